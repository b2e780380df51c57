#include "support/world.h"

#include "core/autoangler.h"
#include "core/paths.h"
#include "core/recordsreader.h"
#include "game/peli.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

QString sourceDataFolder() {
    return QStringLiteral(NORPPALA_SOURCE_DIR "/data");
}

bool copyFolder(const QString& from, const QString& to) {
    QDir source(from);
    if (!source.exists() || !QDir().mkpath(to)) {
        return false;
    }
    bool ok = true;
    const auto entries = source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir()) {
            ok = copyFolder(entry.filePath(), target) && ok;
        } else {
            ok = QFile::copy(entry.filePath(), target) && ok;
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
        }
    }
    return ok;
}

World::World()
    : appPath(dir.path()), program(std::make_unique<Program>(Outside{
                               &clock, &random, &dialogs, &sound, &settings, &announcer, appPath})),
      context(program->context()), state(program->state()), forms(program->forms()) {
    copyFolder(sourceDataFolder(), appPath + QStringLiteral("/data"));
}

World::~World() {
    noGame.reset();
    program.reset();
    // No reading of this test's folders goes on once they are gone.
    RecordsReader::finishAll();
}

FishingGame& World::game() {
    if (auto* screen = forms.find<Peli>(QStringLiteral("peli"))) {
        return screen->game();
    }
    ADD_FAILURE() << "no game screen is open";
    if (!noGame) {
        noGame = std::make_unique<FishingGame>(clock, random, state);
    }
    return *noGame;
}

QString World::path(const QString& gamePath) const {
    return appFile(appPath, gamePath);
}

bool World::click(const QString& windowName, const QString& name) {
    QWidget* target = control(windowName, name);
    if (!target) {
        return false;
    }
    if (!target->isEnabled() || !target->isVisibleTo(target->window())) {
        ADD_FAILURE() << name.toStdString() << " cannot be clicked now";
        return false;
    }
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    settle();
    return true;
}

bool World::clickItem(const QString& windowName, const QString& list, const QString& text) {
    auto* widget = control<QListWidget>(windowName, list);
    if (!widget) {
        return false;
    }
    const auto items = widget->findItems(text, Qt::MatchExactly);
    if (items.isEmpty()) {
        ADD_FAILURE() << "no entry " << text.toStdString() << " in " << list.toStdString();
        return false;
    }
    widget->scrollToItem(items.first());
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, Qt::NoModifier,
                      widget->visualItemRect(items.first()).center());
    settle();
    return true;
}

void World::hover(const QString& windowName, const QString& name, QPoint at) {
    QWidget* target = name.isEmpty() ? window(windowName) : control(windowName, name);
    if (!target) {
        return;
    }
    QMouseEvent move(QEvent::MouseMove, QPointF(at), target->mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    settle();
}

void World::fishByTheBook(qint64 ms, qint64 stepMs) {
    const qint64 end = clock.now() + ms;
    while (clock.now() < end) {
        auto* screen = forms.find<Peli>(QStringLiteral("peli"));
        if (!screen) {
            return;
        }
        const AutoAngler angler([this](Action action) {
            auto* screen = forms.find<Peli>(QStringLiteral("peli"));
            click(QStringLiteral("peli"), screen->button(action)->objectName());
        });
        angler.react(screen->game());
        advance(stepMs);
    }
}

void World::advance(qint64 ms) {
    clock.advance(ms);
    settle();
}

void World::settle() {
    QCoreApplication::processEvents();
    // The records read off the windows' thread are in before a test looks.
    RecordsReader::finishAll();
    forms.flushUnloaded();
}
