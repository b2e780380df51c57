#pragma once

#include <QString>

class Dialogs;

// The game cannot run without its data folder beside the program: without it
// every window would open empty and silent. Reports the missing folder to the
// player (by name) and returns false, so the program can end at once.
// With NORPPALA_NO_DIALOGS=1 in the environment the message goes to stderr only,
// so a headless run cannot hang on a dialog nobody answers.
bool checkDataFolder(const QString& appPath, Dialogs& dialogs);
