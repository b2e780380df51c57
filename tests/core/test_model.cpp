#include "core/autoangler.h"
#include "modelworld.h"

#include <QPoint>
#include <array>
#include <cmath>
#include <map>

namespace {

using Fishing = ModelWorld;
using fishing::Nibble;

} // namespace

TEST_F(Fishing, MediumNibbleLiftedInItsWindowLandsAFish) {
    start(1, 3);
    random.roll(5, 11);
    random.roll(2, 3);
    advance(4999);
    EXPECT_FALSE(game.nibbleOpen(Nibble::Medium));
    advance(1);
    EXPECT_EQ(game.bite_roll, 5);
    EXPECT_EQ(game.koho_state, "koho3");
    EXPECT_TRUE(game.fish_hooked);
    EXPECT_TRUE(game.nibbleOpen(Nibble::Medium));
    EXPECT_EQ(game.angler(), Angler::Nibble);

    advance(1700);
    random.roll(1234 - 100, 2000);
    game.liftOrLower();
    EXPECT_TRUE(game.fishRising());
    EXPECT_EQ(game.fish_weight, 1234);
    EXPECT_EQ(game.fish_picture, "\\data\\hauki_keski.gif");
    advance(300);
    EXPECT_EQ(shared.fish_count, 0);
    advance(100);
    EXPECT_EQ(shared.fish_count, 1);
    EXPECT_EQ(catchLines(), QStringList{"hauki = 1234g"});
    EXPECT_EQ(cellText(shared.catch_table[1][1]), "hauki");
    EXPECT_EQ(cellWeight(shared.catch_table[1][2]), 1234);
    EXPECT_FALSE(game.fishRising());
    EXPECT_FALSE(game.fish_hooked);
    EXPECT_TRUE(game.fish_species.isEmpty());
    EXPECT_EQ(game.fish_weight, 0);
    EXPECT_TRUE(game.fish_picture.isEmpty());
}

TEST_F(Fishing, NibbleWindowClosingUnhooksTheFish) {
    start(1, 3);
    random.roll(5, 11);
    random.roll(2, 3);
    advance(6799);
    EXPECT_TRUE(game.fish_hooked);
    advance(1);
    EXPECT_FALSE(game.fish_hooked);
    EXPECT_FALSE(game.nibbleOpen(Nibble::Medium));
    EXPECT_EQ(game.angler(), Angler::Waiting);

    int rippleX = -1;
    int rippleY = -1;
    QObject::connect(&game, &FishingGame::ripple, [&](int x, int y) {
        rippleX = x;
        rippleY = y;
    });
    random.roll(3, 15); // chatter at 8 s
    random.roll(100, 224);
    random.roll(200, 288); // ripple at 10 s, before the bite clock
    random.roll(7, 11);
    random.roll(1, 2); // large nibble leaving koho2
    random.roll(0, 2); // and hooked
    advance(3199);
    EXPECT_EQ(game.angler(), Angler::Waiting);
    advance(1);
    EXPECT_EQ(random.pending(), 0);
    EXPECT_EQ(rippleX, 100);
    EXPECT_EQ(rippleY, 200);
    EXPECT_EQ(game.bite_roll, 7);
    EXPECT_EQ(game.koho_state, "koho2");
    EXPECT_TRUE(game.fish_hooked);
    EXPECT_TRUE(game.nibbleOpen(Nibble::Large));
    EXPECT_EQ(game.angler(), Angler::Nibble);

    // A lift after the window has closed finds the fish gone.
    advance(2500);
    const int draws = random.draws();
    game.liftOrLower();
    EXPECT_EQ(random.draws(), draws);
    EXPECT_FALSE(game.fishRising());
    advance(2000);
    EXPECT_EQ(shared.fish_count, 0);
}

// The first bite of many games, with the boat on the hot spot and off it.
TEST_F(Fishing, NibbleClassesHookOddsAndWearFollowTheBoatsPlace) {
    const int games = 30000;
    std::map<QString, int> hooked;
    std::map<QString, int> nibbles;
    std::map<QString, std::map<QString, int>> wear;
    for (bool atHotspot : {true, false}) {
        SCOPED_TRACE(atHotspot);
        std::map<QString, int> classes;
        for (int i = 0; i < games; ++i) {
            start(1, atHotspot ? 0 : 3);
            advance(fishing::kFirstBitePeriod);
            const QString cls = nibbleClass();
            classes[cls]++;
            if (cls != "none") {
                nibbles[cls]++;
                hooked[cls] += game.fish_hooked ? 1 : 0;
                wear[cls][game.koho_state]++;
            } else {
                EXPECT_EQ(game.koho_state, "koho3");
            }
        }
        const double tol = 0.01;
        if (atHotspot) {
            EXPECT_NEAR(classes["pieni"] / double(games), 2.0 / 7, tol);
            EXPECT_NEAR(classes["keski"] / double(games), 3.0 / 7, tol);
            EXPECT_NEAR(classes["iso"] / double(games), 2.0 / 7, tol);
            EXPECT_EQ(classes["none"], 0);
        } else {
            EXPECT_NEAR(classes["pieni"] / double(games), 4.0 / 11, tol);
            EXPECT_NEAR(classes["keski"] / double(games), 3.0 / 11, tol);
            EXPECT_NEAR(classes["iso"] / double(games), 2.0 / 11, tol);
            EXPECT_NEAR(classes["none"] / double(games), 2.0 / 11, tol);
        }
    }
    const double tol = 0.015;
    EXPECT_NEAR(hooked["pieni"] / double(nibbles["pieni"]), 37.0 / 50, tol);
    EXPECT_NEAR(hooked["keski"] / double(nibbles["keski"]), 17.0 / 30, tol);
    EXPECT_NEAR(hooked["iso"] / double(nibbles["iso"]), 7.0 / 20, tol);
    const std::map<QString, std::array<double, 3>> bait{
        {"pieni", {0.2, 0.2, 0.6}}, {"keski", {1.0 / 3, 1.0 / 3, 1.0 / 3}}, {"iso", {0.5, 0.5, 0}}};
    for (const auto& [cls, shares] : bait) {
        for (int k = 0; k < 3; ++k) {
            const QString koho = QStringLiteral("koho%1").arg(k + 1);
            EXPECT_NEAR(wear[cls][koho] / double(nibbles[cls]), shares[k], tol)
                << cls.toStdString() << " " << koho.toStdString();
        }
    }
    EXPECT_EQ(wear["iso"]["koho3"], 0);
}

// The fish struck at the first nibble of many games.
TEST_F(Fishing, WeightsAreUniformAndAboutAThirdArePerch) {
    const int draws = 40000;
    std::array<int, 10> bins{};
    int perch = 0;
    int lightest = 10000;
    int heaviest = 0;
    for (int i = 0; i < draws; ++i) {
        start();
        bites::hookedNibble(random);
        advance(fishing::kFirstBitePeriod);
        game.liftOrLower();
        const int weight = game.fish_weight;
        lightest = std::min(lightest, weight);
        heaviest = std::max(heaviest, weight);
        bins[std::clamp((weight - 100) / 200, 0, 9)]++;
        perch += game.fish_species == "ahven" ? 1 : 0;
    }
    EXPECT_EQ(lightest, 100);
    EXPECT_EQ(heaviest, 2099);
    for (int count : bins) {
        EXPECT_NEAR(count / double(draws), 0.1, 0.01);
    }
    EXPECT_NEAR(perch / double(draws), 0.35, 0.01);
}

// The smallest and the largest number the generator gives (0 and 1 − 2⁻⁵³)
// draw inside every range: the heaviest fish is 2099 g, at the hot spot the bite
// roll is at most 8 (a large nibble, never the 9 of "no nibble"), the last voice
// line is 15 and the ripple stays on the water.
TEST_F(Fishing, TheLargestRndDrawsTheTopOfEachRange) {
    const double largest = std::nextafter(1.0, 0.0);
    start(1, 0);
    random.push(largest);
    random.push(largest);
    random.roll(0, 2); // a large nibble at the hot spot leaves the worm half eaten, and hooks
    advance(5000);
    EXPECT_EQ(nibbleClass(), "iso");
    EXPECT_EQ(game.koho_state, "koho2");
    EXPECT_TRUE(game.fish_hooked);
    random.push(largest);
    game.liftOrLower();
    EXPECT_EQ(game.fish_weight, 2099);
    EXPECT_EQ(game.fish_picture, "\\data\\hauki_iso.gif");

    int line = 0;
    QObject::connect(&game, &FishingGame::chatter, [&](int n) { line = n; });
    random.push(largest);
    advance(3000);
    EXPECT_EQ(line, 15);

    QList<QPoint> ripples;
    QObject::connect(&game, &FishingGame::ripple, [&](int x, int y) { ripples << QPoint(x, y); });
    random.push(largest);
    random.push(largest);
    advance(2000);
    advance(9999);
    random.push(0);
    random.push(0);
    advance(1);
    EXPECT_EQ(ripples, QList<QPoint>({QPoint(223, 287), QPoint(0, 0)}));
}

// However often the rod is tapped, the bite clock's period never goes below
// 100 ms, and a tap never lengthens it.
TEST(FishingRules, ATapShortensThePeriodBy100MsDownTo100Ms) {
    for (int period = 0; period <= 25000; ++period) {
        const int tapped = fishing::tappedPeriod(period);
        ASSERT_LE(tapped, period) << period;
        ASSERT_GE(tapped, std::min(period, 100)) << period;
        if (period >= 200) {
            ASSERT_EQ(tapped, period - 100) << period;
        }
    }
}

TEST_F(Fishing, WeightDecidesSpeciesSizeAndPicture) {
    start();
    struct Border {
        int weight;
        const char* species;
        const char* size;
    };
    const Border borders[] = {
        {100, "ahven", "_pieni"},
        {399, "ahven", "_pieni"},
        {400, "ahven", "_keski"},
        {599, "ahven", "_keski"},
        {600, "ahven", "_iso"},
        {799, "ahven", "_iso"},
        {800, "hauki", "_pieni"},
        {1099, "hauki", "_pieni"},
        {1100, "hauki", "_keski"},
        {1399, "hauki", "_keski"},
        {1800, "hauki", "_iso"},
        {2099, "hauki", "_iso"},
        // A pike between the classes has none of its own.
        {1400, "hauki", ""},
        {1799, "hauki", ""},
    };
    for (const Border& border : borders) {
        strike(border.weight);
        EXPECT_EQ(game.fish_weight, border.weight);
        EXPECT_EQ(game.fish_species, border.species) << border.weight;
        EXPECT_EQ(game.fish_size, border.size) << border.weight;
        EXPECT_EQ(game.fish_picture,
                  QStringLiteral("\\data\\%1%2.gif").arg(border.species, border.size));
        advance(500);
        lower();
    }
    EXPECT_EQ(shared.fish_count, 14);
}

TEST_F(Fishing, LandedFishWriteTheirCatchLines) {
    start();
    QList<int> landedRows;
    QObject::connect(&game, &FishingGame::fishLanded, [&](int row) { landedRows << row; });
    advance(1000);
    landFish(100);
    landFish(2099);
    // A pike between the classes, after a landing, rises as the plain pike picture.
    hookFish(1500);
    game.liftOrLower();
    advance(100);
    EXPECT_EQ(game.fish_picture, "\\data\\hauki.gif");
    advance(400);
    EXPECT_EQ(catchLines(), QStringList({"ahven = 100g", "hauki = 2099g", "hauki = 1500g"}));
    EXPECT_EQ(landedRows, QList<int>({1, 2, 3}));
    EXPECT_EQ(cellText(shared.catch_table[4][1]), "");
}

TEST_F(Fishing, RodStatesDecideTheActionsAndTheBait) {
    start();
    EXPECT_EQ(actions(), "--ee-");
    EXPECT_EQ(game.liftCaption(), "Nosta!");
    EXPECT_TRUE(game.baitPicture().isEmpty());
    EXPECT_EQ(game.nextBite(), 5000);

    random.roll(5, 11);
    random.roll(1, 3);
    random.roll(1, 2); // a medium nibble leaves the worm half eaten and does not hook
    advance(5000);
    game.liftOrLower();
    EXPECT_EQ(game.rod(), Rod::Up);
    EXPECT_EQ(actions(), "ee-ee");
    EXPECT_EQ(game.liftCaption(), "Laske!");
    EXPECT_EQ(game.nextBite(), -1);
    EXPECT_EQ(game.baitPicture(), "\\data\\koho2.gif");
    EXPECT_EQ(anglerSeen.last(), "\\data\\mies_nosto.gif once");
    EXPECT_FALSE(game.fishRising());

    game.changeWorm();
    EXPECT_EQ(game.rod(), Rod::ChangingWorm);
    EXPECT_EQ(actions(), "-----");
    EXPECT_TRUE(game.actions().quit);
    EXPECT_EQ(game.baitPicture(), "\\data\\mato_dis.gif");
    // Nothing the player does reaches the rod while the worm is being changed.
    for (Action action : {Action::RowUp, Action::RowDown, Action::TapRod, Action::LiftOrLower,
                          Action::ChangeWorm}) {
        game.act(action);
    }
    EXPECT_EQ(game.rod(), Rod::ChangingWorm);
    EXPECT_EQ(game.boatTop(), FishingGame::kTopLimit);
    advance(4999);
    EXPECT_EQ(actions(), "-----");
    EXPECT_EQ(game.koho_state, "koho2");
    advance(1);
    EXPECT_EQ(actions(), "ee-ee");
    EXPECT_EQ(game.koho_state, "koho3");
    EXPECT_EQ(game.baitPicture(), "\\data\\koho3.gif");
    advance(10000);
    EXPECT_EQ(actions(), "ee-ee");

    game.liftOrLower();
    EXPECT_EQ(actions(), "--ee-");
    EXPECT_EQ(game.liftCaption(), "Nosta!");
    EXPECT_TRUE(game.line_in_water());
    EXPECT_FALSE(game.fish_hooked);
    EXPECT_EQ(game.nextBite(), clock.now() + 5000);
    EXPECT_EQ(game.baitPicture(), "\\data\\mato_dis.gif");
    EXPECT_EQ(anglerSeen.last(), "\\data\\mies_lasku.gif once");

    game.tapRod();
    EXPECT_EQ(anglerSeen.last(), "\\data\\mies_napautus.gif once");
    EXPECT_EQ(game.bitePeriod(), 4900);
}

// Neither an eaten worm nor a lifted line draws a bite: the only numbers drawn
// are the chatter's and the ripple's.
TEST_F(Fishing, NothingNibblesAnEatenWormOrALiftedLine) {
    int otherDraws = 0;
    QObject::connect(&game, &FishingGame::chatter, [&] { otherDraws += 1; });
    QObject::connect(&game, &FishingGame::ripple, [&] { otherDraws += 2; });
    start();
    random.roll(0, 11);
    random.roll(0, 5);
    random.roll(1, 5); // a small nibble eats the worm to the bone and does not hook
    advance(5000);
    ASSERT_EQ(game.koho_state, "koho1");
    anglerSeen.clear();
    otherDraws = 0;
    int draws = random.draws();
    advance(60000);
    EXPECT_EQ(random.draws() - draws, otherDraws);
    EXPECT_EQ(game.koho_state, "koho1");
    EXPECT_EQ(nibbleClass(), "none");

    game.liftOrLower();
    game.changeWorm();
    advance(5000);
    ASSERT_EQ(game.koho_state, "koho3");
    otherDraws = 0;
    draws = random.draws();
    advance(60000);
    EXPECT_EQ(random.draws() - draws, otherDraws);
    EXPECT_EQ(nibbleClass(), "none");
    EXPECT_FALSE(anglerSeen.contains("\\data\\mies_kala.gif"));
}

// A scripted roll still waiting has not been drawn yet: when the count of
// waiting rolls drops, the bite clock has ticked.
TEST_F(Fishing, TapsShortenOnlyTheFollowingPeriods) {
    start(1, 3);
    advance(2000);
    game.tapRod();
    game.tapRod();
    EXPECT_EQ(game.bitePeriod(), 4800);
    random.roll(10, 11); // no nibble at 5 s
    random.roll(0, 15);  // chatter at 8 s
    random.roll(9, 11);  // no nibble at 9.8 s
    advance(2999);
    EXPECT_EQ(random.pending(), 3);
    advance(1);
    EXPECT_EQ(random.pending(), 2);
    advance(4799);
    EXPECT_EQ(random.pending(), 1);
    advance(1);
    EXPECT_EQ(random.pending(), 0);

    // However often the rod is tapped, the period stops at 100 ms and the fish
    // keep biting: a 48th tap from 4800 ms must not stop the bite clock.
    for (int i = 0; i < 47; ++i) {
        game.tapRod();
    }
    EXPECT_EQ(game.bitePeriod(), 100);
    game.tapRod();
    game.tapRod();
    EXPECT_EQ(game.bitePeriod(), 100);
    advance(4799); // the period under way when the taps came runs to its end
    random.roll(10, 11);
    random.roll(3, 11);
    advance(1);
    EXPECT_EQ(random.pending(), 1);
    EXPECT_EQ(nibbleClass(), "none");
    advance(100);
    EXPECT_EQ(random.pending(), 0);
    EXPECT_EQ(nibbleClass(), "pieni");
    game.liftOrLower();
    game.rowDown();
    EXPECT_EQ(game.bitePeriod(), 20000);
    game.liftOrLower();
    EXPECT_EQ(game.nextBite(), clock.now() + 20000);
}

TEST_F(Fishing, SecondNibbleOfAnOpenClassKeepsItsWindow) {
    start(1, 3);
    for (int i = 0; i < 40; ++i) {
        game.tapRod(); // the periods after the first are a second long
    }
    random.roll(5, 11);
    random.roll(2, 3);
    advance(5000);
    EXPECT_EQ(game.nibbleEnds(Nibble::Medium), 6800);
    anglerSeen.clear();
    random.roll(5, 11);
    random.roll(2, 3);
    advance(1000);
    EXPECT_EQ(anglerSeen, QStringList{"\\data\\mies_kala.gif"});
    EXPECT_EQ(game.nibbleEnds(Nibble::Medium), 6800);
    advance(799);
    EXPECT_TRUE(game.fish_hooked);
    advance(1);
    EXPECT_FALSE(game.fish_hooked);
    EXPECT_FALSE(game.nibbleOpen(Nibble::Medium));
}

TEST_F(Fishing, RisingFishLandsWhateverTheRodDoesMeanwhile) {
    enum class Then { Lower, LowerAndLiftAgain, BoatStep, WormChange };
    for (Then then : {Then::Lower, Then::LowerAndLiftAgain, Then::BoatStep, Then::WormChange}) {
        SCOPED_TRACE(static_cast<int>(then));
        start();
        strike(700);
        advance(100);
        // The first fish of a game starts a little higher than the waiting place.
        EXPECT_EQ(game.fishDepth(), FishingGame::kFirstDepth - FishingGame::kRisePerStep);
        if (then == Then::Lower) {
            game.liftOrLower();
        } else if (then == Then::LowerAndLiftAgain) {
            // Lowering unhooks: the lift that follows strikes nothing new.
            game.liftOrLower();
            const int draws = random.draws();
            game.liftOrLower();
            EXPECT_EQ(random.draws(), draws);
            EXPECT_EQ(game.fish_weight, 700);
        } else if (then == Then::BoatStep) {
            // The fish starts its rise again under the boat's new place.
            game.rowDown();
            EXPECT_EQ(game.fishDepth(), FishingGame::kRestDepth);
            advance(400);
            EXPECT_EQ(shared.fish_count, 0);
        } else {
            game.changeWorm();
        }
        advance(500);
        EXPECT_EQ(shared.fish_count, 1);
        EXPECT_EQ(catchLines(), QStringList{"ahven = 700g"});
        EXPECT_FALSE(game.fish_hooked);
        EXPECT_FALSE(game.fishRising());
        EXPECT_EQ(game.fishDepth(), FishingGame::kRestDepth);
    }
}

// Taps make the bite clock faster than the rise: the line lowered behind a
// rising fish brings another nibble before the fish is in.
TEST_F(Fishing, SecondStrikeDuringARiseReplacesTheFish) {
    start();
    for (int i = 0; i < 48; ++i) {
        game.tapRod();
    }
    ASSERT_EQ(game.bitePeriod(), 200);
    strike(1900);
    advance(100);
    EXPECT_EQ(game.fish_picture, "\\data\\hauki_iso.gif");
    game.liftOrLower();
    // A pike between the classes takes the class of the fish it replaces.
    strike(1500);
    EXPECT_EQ(game.fish_weight, 1500);
    EXPECT_EQ(game.fish_picture, "\\data\\hauki_iso.gif");
    advance(1000);
    EXPECT_EQ(catchLines(), QStringList{"hauki = 1500g"});
}

TEST_F(Fishing, TwentyFishFillTheCatchAndTheNextLiftIsOnlyALift) {
    start();
    advance(1000);
    for (int i = 1; i <= 20; ++i) {
        landFish(100 + i);
    }
    ASSERT_EQ(shared.fish_count, 20);
    hookFish(2000);
    game.liftOrLower();
    EXPECT_EQ(random.pending(), 1);
    EXPECT_FALSE(game.fishRising());
    advance(2000);
    EXPECT_EQ(shared.fish_count, 20);
    EXPECT_EQ(catchLines().last(), "ahven = 120g");
}

// Over many games every line from 1 to 15 is said, each as often as another.
TEST_F(Fishing, TheAnglerMuttersEachOfFifteenLinesAlike) {
    std::map<int, int> said;
    int lines = 0;
    QObject::connect(&game, &FishingGame::chatter, [&](int line) {
        said[line]++;
        ++lines;
    });
    while (lines < 15000) {
        start();
        while (game.running() && clock.fireNext()) {
        }
    }
    ASSERT_EQ(said.size(), 15u);
    EXPECT_EQ(said.begin()->first, 1);
    EXPECT_EQ(said.rbegin()->first, 15);
    for (const auto& [line, times] : said) {
        EXPECT_NEAR(times / double(lines), 1.0 / 15, 0.006) << line;
    }
}

TEST_F(Fishing, TheClockEndsTheGameAtThreeMinutesAndQuittingEndsItAtOnce) {
    int ended = 0;
    QObject::connect(&game, &FishingGame::timeUp, [&] { ++ended; });
    start();
    advance(179 * 1000);
    EXPECT_EQ(game.clock_minutes, 2);
    EXPECT_EQ(game.clock_seconds, 59);
    EXPECT_TRUE(game.running());
    advance(1000);
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(game.running());
    EXPECT_EQ(actions(), "-----");
    EXPECT_EQ(clock.armedCount(), 0) << "nothing of the game ticks after its end";

    int quits = 0;
    QObject::connect(&game, &FishingGame::quitted, [&] { ++quits; });
    start();
    EXPECT_EQ(shared.fish_count, 0);
    advance(30 * 1000);
    game.quit();
    game.quit();
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(clock.armedCount(), 0);
}

TEST_F(Fishing, ANewGameForgetsEverythingOfTheLast) {
    start(3, 4);
    landFish(900);
    game.tapRod();
    // A nibble eats the worm and hooks a fish that is still rising when the
    // game starts again, with the worm being changed.
    ASSERT_TRUE(untilTheBite());
    random.roll(0, 11);
    random.roll(0, 5);
    random.roll(0, 5);
    advance(1);
    bites::fishOf(random, 1500);
    game.liftOrLower();
    ASSERT_TRUE(game.fishRising());
    game.changeWorm();
    ASSERT_EQ(game.koho_state, "koho1");

    start(2, 6);
    EXPECT_EQ(shared.fish_count, 0);
    EXPECT_EQ(game.rod(), Rod::InWater);
    EXPECT_EQ(actions(), "--ee-");
    EXPECT_EQ(game.koho_state, "koho3");
    EXPECT_FALSE(game.fish_hooked);
    EXPECT_EQ(game.fish_weight, 0);
    EXPECT_FALSE(game.fishRising());
    EXPECT_EQ(game.boat_pos, 0);
    EXPECT_EQ(game.boatTop(), FishingGame::kTopLimit);
    EXPECT_EQ(game.hotspot_pos, 6);
    EXPECT_EQ(game.spot_bonus, 1000);
    EXPECT_EQ(game.bitePeriod(), 5000);
    EXPECT_EQ(game.fishDepth(), FishingGame::kFirstDepth);
    EXPECT_EQ(game.clock_minutes * 60 + game.clock_seconds, 0);
    // A lift before any nibble lands nothing.
    game.liftOrLower();
    advance(1000);
    EXPECT_EQ(shared.fish_count, 0);
}

TEST_F(Fishing, ASeededGameByTheBookAlwaysGivesTheSameCatch) {
    auto play = [](quint32 seed) {
        VirtualClock clock;
        MersenneRandom random(seed);
        Module1 shared;
        shared.spot_choice = 2;
        FishingGame game(clock, random, shared);
        const AutoAngler angler;
        QStringList lines;
        for (int round = 0; round < 3; ++round) {
            game.start();
            while (game.running() && clock.fireNext()) {
                angler.react(game);
            }
            for (int row = 1; row <= shared.fish_count; ++row) {
                lines << catchLine(shared, row);
            }
            lines << QStringLiteral("--");
        }
        return lines;
    };
    const QStringList first = play(77);
    EXPECT_EQ(play(77), first);
    EXPECT_NE(play(78), first);
    // A player who lifts on every nibble lands something in each of three games.
    EXPECT_EQ(first.count(QStringLiteral("--")), 3);
    EXPECT_GE(first.size(), 3 + 3 * 3);
}
