#pragma once

#include "app/headless.h"
#include "game/module1.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/kelmo.h"
#include "platform/soundplayer.h"

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

// A scripted player on the virtual clock: after every tick it lifts the line
// when the angler notices a nibble, changes an eaten worm, and lowers the line
// again once the fish is in. Plays whole games through the real windows.
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
        const qint64 end = clock_.now() + 181 * 1000;
        while (forms_.isLoaded(QStringLiteral("peli")) && clock_.now() <= end) {
            if (!clock_.fireNext()) {
                return -1;
            }
            react();
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
    QPushButton* button(Form* game, const char* name) const {
        return game->findChild<QPushButton*>(QLatin1String(name));
    }

    void react() {
        Form* game = forms_.find(QStringLiteral("peli"));
        if (!game) {
            return;
        }
        if (game != game_) {
            game_ = game;
            lift_ = button(game, "Command4");
            worm_ = button(game, "Command5");
            angler_ = game->findChild<Kelmo*>(QStringLiteral("mies"));
        }
        if (state_.line_in_water) {
            if (angler_->file().endsWith(QLatin1String("mies_kala.gif"))) {
                lift_->click();
            }
        } else if (state_.koho_state == QLatin1String("koho1")) {
            if (worm_->isEnabled()) {
                worm_->click();
            }
        } else if (lift_->isEnabled() && state_.fish_weight == 0) {
            lift_->click();
        }
    }

    Forms& forms_;
    VirtualClock& clock_;
    Module1& state_;
    QPointer<Form> game_;
    QPushButton* lift_ = nullptr;
    QPushButton* worm_ = nullptr;
    Kelmo* angler_ = nullptr;
};

} // namespace bench
