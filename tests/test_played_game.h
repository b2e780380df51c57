#pragma once

#include "core/module1.h"
#include "platform/kelmo.h"
#include "support/world.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

// A world with a scripted player who goes the whole way through the windows:
// menu, setup, a fished game, results, save and back to the menu.
class PlayedGame : public World {
protected:
    // From the menu to a running game: tries the maps in list order (the one
    // whose file name starts like `first`, case aside, before the others) and
    // takes the first one the setup window accepts, on the given spot. False if
    // no map could be launched.
    bool startGame(int spot = 2, const QString& first = {}) {
        forms.show(QStringLiteral("menu"));
        settle();
        if (!click(QStringLiteral("menu"), QStringLiteral("Label2"))) {
            return false;
        }
        auto* list = control<QListWidget>(QStringLiteral("aloita"), QStringLiteral("File1"));
        if (!list) {
            return false;
        }
        QStringList maps;
        for (int i = 0; i < list->count(); ++i) {
            maps << list->item(i)->text();
        }
        if (!first.isEmpty()) {
            std::stable_partition(maps.begin(), maps.end(), [&first](const QString& map) {
                return map.startsWith(first, Qt::CaseInsensitive);
            });
        }
        for (const QString& map : maps) {
            const qsizetype before = dialogs.messages.size();
            clickItem(QStringLiteral("aloita"), QStringLiteral("File1"), map);
            if (dialogs.messages.size() != before) {
                continue; // the map was refused; try the next one
            }
            click(QStringLiteral("aloita"), QStringLiteral("paikka%1").arg(spot));
            click(QStringLiteral("aloita"), QStringLiteral("Command1"));
            if (forms.isLoaded(QStringLiteral("peli"))) {
                return true;
            }
        }
        return false;
    }

    // Fishes by the book until the game clock opens the results (or time runs out).
    void fishToTheEnd(qint64 stepMs = 100) { fishByTheBook(200 * 1000, stepMs); }

    QStringList listLines(const QString& windowName) const {
        QStringList lines;
        auto* list = control<QListWidget>(windowName, QStringLiteral("List1"));
        for (int i = 0; list && i < list->count(); ++i) {
            lines << list->item(i)->text();
        }
        return lines;
    }

    // Every file and folder under a folder, with each file's size, so a test
    // can see whether anything appeared, vanished or changed.
    static QStringList snapshot(const QString& folder) {
        QStringList entries;
        QDirIterator it(folder,
                        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            const QFileInfo info = it.fileInfo();
            entries << info.filePath() + QLatin1Char(' ') +
                           (info.isDir() ? QStringLiteral("dir") : QString::number(info.size()));
        }
        entries.sort();
        return entries;
    }

    static QByteArray readAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};
