#pragma once

#include "platform/accessibility.h"
#include "platform/preferences.h"
#include "platform/settings.h"
#include "platform/soundplayer.h"

#include <QString>

class Clock;
class Random;
class Dialogs;
class Pictures;

// What the windows get from the outside world: time, chance, dialogs, sound,
// the program's folder, the player's lasting settings, a voice for the screen
// reader, the player's sound choices and the decoded pictures. The program passes the real ones;
// tests pass a virtual clock, scripted random numbers, scripted dialogs,
// recording players and announcer, and settings of their own.
struct Context {
    Clock& clock;
    Random& random;
    Dialogs& dialogs;
    Sound& sound;
    QString appPath;
    Settings& settings;
    Announcer& announcer;
    Preferences& preferences;
    Pictures& pictures;
};
