#pragma once

#include "core/fishinggame.h"

#include <functional>
#include <optional>

// A player who fishes by the book: lifts the line whenever the angler notices
// a nibble, changes an eaten worm, and lowers the line again once the fish is
// in. It reads only the game; how its actions reach the game is up to whoever
// uses it (straight to the model, or as clicks on the game screen's buttons).
class AutoAngler {
public:
    using Act = std::function<void(Action)>;

    // Without `act`, actions go straight to the game.
    explicit AutoAngler(Act act = {}) : act_(std::move(act)) {}

    // Looks at the game and takes at most one action; says which, if any.
    std::optional<Action> react(FishingGame& game) const;

    // What the player would do now, without doing it.
    static std::optional<Action> choose(const FishingGame& game);

private:
    Act act_;
};
