#pragma once

#include "platform/soundplayer.h"

#include <QString>

class Clock;
class Random;
class Dialogs;

// What the windows get from the outside world: time, chance, dialogs, sound and
// the program's folder. The program passes the real ones; tests pass a virtual
// clock, scripted random numbers, scripted dialogs and recording players.
struct Context {
    Clock& clock;
    Random& random;
    Dialogs& dialogs;
    Sound& sound;
    QString appPath;
};
