#pragma once

#include <QString>

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
