#pragma once

#include <QString>

// Every file the game uses is named by the program's folder followed by a path
// that begins "\data\", written with backslashes as the game states it
// ("\data\sound\kala01.wav"). This turns such a path into one for this platform.
QString appFile(const QString& appPath, const QString& gamePath);

// The folder the program runs from (the data folder sits beside it).
QString programFolder();
