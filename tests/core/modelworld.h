#pragma once

#include "core/clock.h"
#include "core/fishinggame.h"
#include "core/module1.h"
#include "support/bites.h"
#include "support/printers.h"
#include "support/scriptedrandom.h"

#include <QStringList>
#include <gtest/gtest.h>

// A game with no window: a virtual clock, scripted dice and the shared record.
class ModelWorld : public ::testing::Test {
protected:
    ModelWorld() {
        QObject::connect(&game, &FishingGame::anglerChanged, [this](Angler angler, bool once) {
            anglerSeen << Seen{angler, once};
        });
        QObject::connect(&game, &FishingGame::baitChanged,
                         [this](std::optional<Worm> worm) { baitSeen << worm; });
    }

    // Starts a game at the spot with the hot spot's draw scripted.
    void start(int spot = 1, int hotspot = 3) {
        shared.spot_choice = static_cast<qint16>(spot);
        random.roll(hotspot, 9);
        game.start();
        startedAt = game.clock().now();
    }
    void advance(qint64 ms) { clock.advance(ms); }

    // Lets the game run until just before its next bite (see bites::untilTheBite).
    bool untilTheBite() {
        return bites::untilTheBite(game, startedAt, [this](qint64 ms) { advance(ms); });
    }
    // Runs the game to its next bite and makes that a nibble that hooks the fish;
    // the strike that follows draws a fish of this weight.
    void hookFish(int weight) {
        bites::hookFish(
            game, random, startedAt, [this](qint64 ms) { advance(ms); }, weight);
    }
    // Lifts the line at the next nibble with a fish of this weight on the hook.
    void strike(int weight) {
        hookFish(weight);
        game.liftOrLower();
    }
    // Lowers the line once its first bite will fall clear of the other draws.
    void lower() {
        advance(bites::waitToLower(game, startedAt));
        game.liftOrLower();
    }
    // Strikes a fish of this weight at the next nibble, lets it land and lowers the line.
    void landFish(int weight) {
        strike(weight);
        advance(500);
        lower();
    }

    QStringList catchLines() const {
        QStringList lines;
        for (int row = 1; row <= shared.fish_count; ++row) {
            lines << catchLine(shared, row);
        }
        return lines;
    }
    // Which actions the player has, as "ee-d-" for row up, row down, tap, lift, worm.
    QString actions() const {
        const Actions can = game.actions();
        QString pattern;
        for (bool on : {can.rowUp, can.rowDown, can.tapRod, can.liftOrLower, can.changeWorm}) {
            pattern += on ? 'e' : '-';
        }
        return pattern;
    }
    // The size of the nibble going on, if any, and whether it has hooked the fish.
    std::optional<NibbleSize> nibbleSize() const {
        const std::optional<Nibble> nibble = game.nibble();
        return nibble ? std::optional(nibble->size) : std::nullopt;
    }
    bool hooked() const {
        const std::optional<Nibble> nibble = game.nibble();
        return nibble && nibble->hooked;
    }

    VirtualClock clock;
    ScriptedRandom random;
    Module1 shared;
    FishingGame game{clock, random, shared};
    // What the angler did, and whether his picture was to play once.
    using Seen = std::pair<Angler, bool>;
    QList<Seen> anglerSeen;
    // What the bait box showed: the worm, or nothing of it while the line is down.
    QList<std::optional<Worm>> baitSeen;
    qint64 startedAt = 0;
};
