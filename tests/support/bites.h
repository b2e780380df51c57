#pragma once

#include "core/fishinggame.h"
#include "support/scriptedrandom.h"

#include <gtest/gtest.h>

// Scripting the bite clock of a game. The bite, the chatter and the ripple all
// draw from the same dice; when two of them tick at the same moment, the order
// they draw in follows when their countdowns began, which a test should not have
// to work out. These helpers keep a scripted bite clear of the others.

namespace bites {

// Whether a bite at game time `at` would fall on a tick of the chatter or the
// ripple of a game started at game time `startedAt` (both tick from the start
// and never stop).
inline bool crowded(qint64 at, qint64 startedAt) {
    const qint64 into = at - startedAt;
    return into % fishing::kChatterEvery == 0 || into % fishing::kRippleEvery == 0;
}

// How long to wait before lowering the line so that its first bite, a whole
// period later, falls on no other draw.
inline qint64 waitToLower(FishingGame& game, qint64 startedAt) {
    qint64 wait = 0;
    while (crowded(game.clock().now() + wait + game.bitePeriod(), startedAt)) {
        ++wait;
    }
    return wait;
}

// Lets the game run until just before its bite clock's next tick, for the test
// to script that bite; `advance(ms)` lets game time pass. False (and a failure)
// if the line is up or the bite would share its moment with another draw.
template <class Advance> bool untilTheBite(FishingGame& game, qint64 startedAt, Advance&& advance) {
    const qint64 bite = game.nextBite();
    if (bite < 0) {
        ADD_FAILURE() << "the line is not in the water";
        return false;
    }
    if (crowded(bite, startedAt)) {
        ADD_FAILURE() << "the bite at " << bite << " falls on a tick of the chatter or the ripple";
        return false;
    }
    advance(bite - game.clock().now() - 1);
    return true;
}

// Scripts the next bite as a small nibble that leaves the worm whole, so the
// fish is hooked for sure (at the hot spot and off it alike).
inline void hookedNibble(ScriptedRandom& random) {
    random.push(0.0);
    random.roll(4, 5);
}

// Scripts the weight of the next fish struck.
inline void fishOf(ScriptedRandom& random, int grams) {
    random.roll(grams - 100, 2000);
}

// Runs the game to its next bite and makes that a nibble that hooks the fish;
// the strike that follows draws a fish of this weight.
template <class Advance>
void hookFish(FishingGame& game, ScriptedRandom& random, qint64 startedAt, Advance&& advance,
              int weight) {
    if (!untilTheBite(game, startedAt, advance)) {
        return;
    }
    hookedNibble(random);
    advance(1);
    EXPECT_EQ(random.pending(), 0) << "no nibble at the bite: the worm is eaten";
    const std::optional<Nibble> nibble = game.nibble();
    EXPECT_TRUE(nibble && nibble->hooked);
    fishOf(random, weight);
}

} // namespace bites
