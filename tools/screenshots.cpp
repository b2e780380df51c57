// Plays through every window offscreen on a virtual clock and saves a picture
// of each: `make screenshots` writes them into docs/.
#include "app/headless.h"
#include "app/windows.h"
#include "game/module1.h"
#include "platform/clock.h"
#include "platform/context.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/kelmo.h"
#include "platform/paths.h"
#include "platform/random.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <cstdio>

namespace {

struct Tour {
    Forms& forms;
    VirtualClock& clock;
    Module1& state;
    QString out;
    int failures = 0;

    void settle() {
        QCoreApplication::processEvents();
        forms.flushUnloaded();
    }
    void advance(qint64 ms) {
        clock.advance(ms);
        settle();
    }
    QWidget* find(const QString& window, const QString& name) {
        Form* form = forms.find(window);
        return form ? form->findChild<QWidget*>(name) : nullptr;
    }
    void click(const QString& window, const QString& name) {
        if (QWidget* target = find(window, name)) {
            QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
            settle();
        } else {
            std::fprintf(stderr, "screenshots: no %s in %s\n", qPrintable(name),
                         qPrintable(window));
            ++failures;
        }
    }
    void save(const QString& window, const QString& file) {
        Form* form = forms.find(window);
        if (!form || !form->grab().save(QDir(out).filePath(file))) {
            std::fprintf(stderr, "screenshots: could not save %s\n", qPrintable(file));
            ++failures;
            return;
        }
        std::printf("%s\n", qPrintable(QDir(out).filePath(file)));
    }
    // Lets time pass until `done` holds, at most `limit` ms.
    template <class F> bool waitFor(F done, qint64 limit) {
        for (qint64 waited = 0; waited < limit; waited += 50) {
            if (done()) {
                return true;
            }
            advance(50);
        }
        return done();
    }
};

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    QDir().mkpath(out);

    VirtualClock clock;
    MersenneRandom random(20261207);
    NoDialogs dialogs;
    Context context{clock, random, dialogs,
                    [](const QString&) { return std::make_unique<SilentPlayer>(); },
                    programFolder()};
    Module1 state;
    Forms forms(context);
    registerWindows(forms, state);
    Tour tour{forms, clock, state, out};

    forms.show("menu");
    tour.settle();
    tour.save("menu", "menu.png");
    tour.click("menu", "Label3");
    tour.save("credits", "credits.png");
    tour.click("menu", "Label6");
    tour.save("ohje", "ohje.png");
    forms.unload("credits");
    forms.unload("ohje");

    tour.click("menu", "Label2");
    if (auto* list = qobject_cast<QListWidget*>(tour.find("aloita", "File1"))) {
        const auto items = list->findItems("Pitkajarvi.ars", Qt::MatchExactly);
        if (!items.isEmpty()) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                              list->visualItemRect(items.first()).center());
            tour.settle();
        }
    }
    tour.click("aloita", "paikka1");
    tour.save("aloita", "aloita.png");
    tour.click("aloita", "Command1");

    auto* angler = qobject_cast<Kelmo*>(tour.find("peli", "mies"));
    auto nibbling = [&] { return angler && angler->file().endsWith("mies_kala.gif"); };
    // Fish until something is landed, keeping a picture of the first nibble and rise.
    bool nibbleSaved = false;
    bool riseSaved = false;
    while (state.fish_count < 2 && state.clock_minutes < 2 && forms.isLoaded("peli")) {
        if (!tour.waitFor(nibbling, 30000)) {
            break;
        }
        if (!nibbleSaved) {
            tour.advance(200);
            tour.save("peli", "peli_nykii.png");
            nibbleSaved = true;
        }
        tour.click("peli", "Command4");
        if (state.fish_weight != 0 && !riseSaved) {
            tour.advance(300);
            tour.save("peli", "peli_kala_nousee.png");
            riseSaved = true;
        }
        tour.advance(1000);
        if (state.fish_count == 2 || state.clock_minutes >= 2) {
            break;
        }
        if (state.koho_state == "koho1") {
            tour.click("peli", "Command5");
            tour.advance(5100);
        }
        tour.click("peli", "Command4");
    }
    if (forms.isLoaded("peli") && !state.line_in_water) {
        tour.click("peli", "Command4");
    }
    if (forms.isLoaded("peli")) {
        tour.click("peli", "Command4");
        tour.click("peli", "Command2");
        tour.advance(400);
        tour.save("peli", "peli_siima_ylhaalla.png");
    }
    tour.waitFor([&] { return forms.isLoaded("loppu"); }, 200000);
    tour.save("loppu", "loppu.png");
    return tour.failures == 0 ? 0 : 1;
}
