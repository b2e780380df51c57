#pragma once

#include "app/headless.h"
#include "core/autoangler.h"
#include "core/clock.h"
#include "core/module1.h"
#include "game/peli.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/soundplayer.h"
#include "platform/windownames.h"

#include <QCoreApplication>
#include <QPointer>
#include <QPushButton>

namespace bench {

// Starts a game on `map` at `spot` the way the setup window's "Aloita" does.
// True once the game window is open.
inline bool launchGame(Forms& forms, Module1& state, const QString& map, int spot) {
    state.map_name = map;
    state.spot_choice = static_cast<qint16>(spot);
    forms.show(QStringLiteral("aloita"));
    Form* setup = forms.find(QStringLiteral("aloita"));
    auto* start = setup ? setup->findChild<QPushButton*>(QStringLiteral("Command1")) : nullptr;
    if (!start) {
        return false;
    }
    start->click();
    return forms.isLoaded(QStringLiteral("peli"));
}

// The book player (AutoAngler) on the virtual clock, reading the game screen
// and clicking its buttons after every tick.
// Plays whole games through the real windows.
class SimPlayer {
public:
    SimPlayer(Forms& forms, VirtualClock& clock, Module1& state)
        : forms_(forms), clock_(clock), state_(state) {}

    // Plays one game from launch to the results window, closes the results and
    // returns the number of fish landed, or -1 if the game did not run its course.
    int playGame(const QString& map = QStringLiteral("pitka"), int spot = 2) {
        if (!launchGame(forms_, state_, map, spot)) {
            return -1;
        }
        // The player keeps his eyes on the one game screen until it says the
        // game is over, rather than looking for it by name after every tick.
        QPointer<Peli> screen = forms_.find<Peli>(windowName::peli);
        bool over = false;
        QObject::connect(screen, &Peli::ended, screen, [&over] { over = true; });
        const AutoAngler angler([screen](Action action) { screen->button(action)->click(); });
        const qint64 end = clock_.now() + 181 * 1000;
        while (!over && screen && clock_.now() <= end) {
            if (!clock_.fireNext()) {
                return -1;
            }
            if (!over) {
                angler.react(screen->game());
            }
        }
        const bool finished = forms_.isLoaded(QStringLiteral("loppu"));
        forms_.unload(QStringLiteral("loppu"));
        forms_.flushUnloaded();
        // Between games the event loop would have run: deliver what the windows
        // posted, so the queue does not grow from game to game.
        QCoreApplication::processEvents();
        return finished ? state_.fish_count : -1;
    }

private:
    Forms& forms_;
    VirtualClock& clock_;
    Module1& state_;
};

} // namespace bench
