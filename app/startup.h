#pragma once

#include <QString>
#include <optional>

class Dialogs;

// Answers --version and --help on stdout before anything else is set up, so
// they need no display and open no window, and refuses a --lang it does not
// know (status 2). Returns the exit status when the program should end at
// once; other arguments are left to Qt (-platform …).
std::optional<int> answerCommandLine(int argc, char* argv[]);

// The game cannot run without its data folder (see gameFolder()): without it
// every window would open empty and silent. Reports the missing folder to the
// player (by name) and returns false, so the program can end at once.
// With NORPPALA_NO_DIALOGS=1 in the environment the message goes to stderr only,
// so a headless run cannot hang on a dialog nobody answers.
bool checkDataFolder(const QString& appPath, Dialogs& dialogs);

// How many times faster than the wall clock the game's time runs: 1, unless a
// test of the real program sets NORPPALA_TEST_CLOCK_RATE (2 to 10) to hear a
// whole game, its last ten seconds and its end, in well under three minutes.
int clockRate();
