#include "core/autoangler.h"

std::optional<Action> AutoAngler::choose(const FishingGame& game) {
    const Actions can = game.actions();
    if (game.lineInWater()) {
        if (game.angler() == Angler::Nibble && can.liftOrLower) {
            return Action::LiftOrLower;
        }
        return std::nullopt;
    }
    if (game.worm() == Worm::Eaten) {
        return can.changeWorm ? std::optional(Action::ChangeWorm) : std::nullopt;
    }
    // Lowering the line does not lose a rising fish: it lands whatever the rod
    // does. The player waits for it because lowering starts the bite clock
    // afresh, and with the rod tapped below half a second a nibble struck before
    // the landing would replace the fish still on its way up.
    if (can.liftOrLower && !game.risingFish()) {
        return Action::LiftOrLower;
    }
    return std::nullopt;
}

std::optional<Action> AutoAngler::react(FishingGame& game) const {
    const std::optional<Action> action = choose(game);
    if (action) {
        if (act_) {
            act_(*action);
        } else {
            game.act(*action);
        }
    }
    return action;
}
