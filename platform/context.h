#pragma once

#include "platform/soundplayer.h"

#include <QString>
#include <functional>
#include <memory>

class Clock;
class Random;
class Dialogs;

// What the windows get from the outside world: time, chance, dialogs, sound and
// the program's folder. The program passes the real ones; tests pass a virtual
// clock, scripted random numbers, scripted dialogs and a recording player.
struct Context {
    Clock& clock;
    Random& random;
    Dialogs& dialogs;
    // Makes the media player of the named window.
    std::function<std::unique_ptr<SoundPlayer>(const QString& window)> makePlayer;
    QString appPath;
};
