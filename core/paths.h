#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Every file the game uses is named by the program's folder followed by a path
// that begins "\data\", written with backslashes as the game states it
// ("\data\sound\kala01.wav"). This turns such a path into one for this platform.
QString appFile(const QString& appPath, const QString& gamePath);

// The folder that holds the game's data folder, found from the folder the
// program runs from: the program's own folder when the data folder sits beside
// it (the build folder, a self-contained install), else the shared games folder
// of a system package (program in .../games, data in .../share/games/norppala),
// found relative to the program so an unpacked package runs wherever it lies.
// With neither, the program's own folder, so the start-up check names it.
QString gameFolder(const QString& programDir);

// gameFolder() of the folder the running program was started from.
QString programFolder();

// What the game needs to know of a plain file: whether it changed since it was
// last read.
struct PlainFile {
    qint64 size = 0;
    qint64 modifiedMs = 0;
    bool operator==(const PlainFile&) const = default;
};

// The file at the path if it is a plain file (a link counts as the file it leads
// to), or nothing when it is missing or anything else: a folder, a named pipe,
// a device, a socket or a link that leads nowhere. The game opens only plain
// files, as reading a named pipe or a device could hold the game up for good.
// Pictures built into the program (":/…") count as plain files that never change.
std::optional<PlainFile> plainFile(const QString& path);
inline bool isPlainFile(const QString& path) {
    return plainFile(path).has_value();
}
