#pragma once

#include "core/clock.h"
#include "core/fishinggame.h"
#include "core/module1.h"
#include "support/printers.h"
#include "support/scriptedrandom.h"

#include <QStringList>
#include <gtest/gtest.h>

// A game with no window: a virtual clock, scripted dice and the shared record.
class ModelWorld : public ::testing::Test {
protected:
    ModelWorld() {
        QObject::connect(&game, &FishingGame::anglerChanged, [this](Angler angler, bool once) {
            anglerSeen << FishingGame::anglerPicture(angler) + (once ? " once" : "");
        });
    }

    // Starts a game at the spot with the hot spot's draw scripted.
    void start(int spot = 1, int hotspot = 3) {
        shared.spot_choice = static_cast<qint16>(spot);
        random.roll(hotspot, 9);
        game.start();
    }
    void advance(qint64 ms) { clock.advance(ms); }

    // Forces a hooked nibble so that the next lift strikes a fish of this weight.
    void hookFish(int weight) {
        game.fish_hooked = true;
        random.roll(weight - 100, 2000);
    }
    // Lifts with a fish of this weight on the hook, lets it land and lowers the line.
    void landFish(int weight) {
        hookFish(weight);
        game.liftOrLower();
        advance(500);
        game.liftOrLower();
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
    QString nibbleClass() const {
        using fishing::Nibble;
        for (auto [nibble, name] : {std::pair{Nibble::Small, "pieni"},
                                    {Nibble::Medium, "keski"},
                                    {Nibble::Large, "iso"}}) {
            if (game.nibbleOpen(nibble)) {
                return QString::fromLatin1(name);
            }
        }
        return QStringLiteral("none");
    }
    void closeNibbles() {
        if (game.nibbleOpen(fishing::Nibble::Small)) {
            game.on_pieni_timeout();
        }
        if (game.nibbleOpen(fishing::Nibble::Medium)) {
            game.on_keski_timeout();
        }
        if (game.nibbleOpen(fishing::Nibble::Large)) {
            game.on_iso_timeout();
        }
    }

    VirtualClock clock;
    ScriptedRandom random;
    Module1 shared;
    FishingGame game{clock, random, shared};
    QStringList anglerSeen;
};
