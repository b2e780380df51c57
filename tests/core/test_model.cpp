#include "core/autoangler.h"
#include "modelworld.h"

#include <QPoint>
#include <array>
#include <cmath>
#include <map>

namespace {

using Fishing = ModelWorld;

} // namespace

TEST_F(Fishing, MediumNibbleLiftedInItsWindowLandsAFish) {
    start(1, 3);
    random.roll(5, 11);
    random.roll(2, 3);
    advance(4999);
    EXPECT_EQ(nibbleSize(), std::nullopt);
    advance(1);
    EXPECT_EQ(game.nibble(), (Nibble{NibbleSize::Medium, 6800, true}));
    EXPECT_EQ(game.worm(), Worm::Whole);
    EXPECT_TRUE(hooked());
    EXPECT_EQ(nibbleSize(), NibbleSize::Medium);
    EXPECT_EQ(game.angler(), Angler::Nibble);

    advance(1700);
    random.roll(1234 - 100, 2000);
    game.liftOrLower();
    EXPECT_TRUE(game.risingFish());
    EXPECT_EQ(game.risingFish(), (Fish{Species::Pike, FishSize::Medium, 1234}));
    advance(300);
    EXPECT_EQ(shared.fish_count, 0);
    advance(100);
    EXPECT_EQ(shared.fish_count, 1);
    EXPECT_EQ(catchLines(), QStringList{"hauki = 1234g"});
    EXPECT_EQ(cellText(shared.catch_table[1][1]), "hauki");
    EXPECT_EQ(cellWeight(shared.catch_table[1][2]), 1234);
    EXPECT_FALSE(game.risingFish());
    EXPECT_FALSE(hooked());
}

TEST_F(Fishing, NibbleWindowClosingUnhooksTheFish) {
    start(1, 3);
    random.roll(5, 11);
    random.roll(2, 3);
    advance(6799);
    EXPECT_TRUE(hooked());
    advance(1);
    EXPECT_FALSE(hooked());
    EXPECT_EQ(nibbleSize(), std::nullopt);
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
    random.roll(1, 2); // large nibble leaving the worm half eaten
    random.roll(0, 2); // and hooked
    advance(3199);
    EXPECT_EQ(game.angler(), Angler::Waiting);
    advance(1);
    EXPECT_EQ(random.pending(), 0);
    EXPECT_EQ(rippleX, 100);
    EXPECT_EQ(rippleY, 200);
    EXPECT_EQ(game.worm(), Worm::Half);
    EXPECT_TRUE(hooked());
    EXPECT_EQ(nibbleSize(), NibbleSize::Large);
    EXPECT_EQ(game.angler(), Angler::Nibble);

    // A lift after the window has closed finds the fish gone.
    advance(2500);
    const int draws = random.draws();
    game.liftOrLower();
    EXPECT_EQ(random.draws(), draws);
    EXPECT_FALSE(game.risingFish());
    advance(2000);
    EXPECT_EQ(shared.fish_count, 0);
}

// The first bite of many games, with the boat on the hot spot and off it.
TEST_F(Fishing, NibbleClassesHookOddsAndWearFollowTheBoatsPlace) {
    const int games = 30000;
    std::map<NibbleSize, int> hookedBy;
    std::map<NibbleSize, int> nibbles;
    std::map<NibbleSize, std::map<Worm, int>> wear;
    for (bool atHotspot : {true, false}) {
        SCOPED_TRACE(atHotspot);
        std::map<std::optional<NibbleSize>, int> sizes;
        for (int i = 0; i < games; ++i) {
            start(1, atHotspot ? 0 : 3);
            advance(fishing::kFirstBitePeriod);
            const std::optional<NibbleSize> size = nibbleSize();
            sizes[size]++;
            if (size) {
                nibbles[*size]++;
                hookedBy[*size] += hooked() ? 1 : 0;
                wear[*size][game.worm()]++;
            } else {
                EXPECT_EQ(game.worm(), Worm::Whole);
            }
        }
        const double tol = 0.01;
        auto share = [&](std::optional<NibbleSize> size) { return sizes[size] / double(games); };
        if (atHotspot) {
            EXPECT_NEAR(share(NibbleSize::Small), 2.0 / 7, tol);
            EXPECT_NEAR(share(NibbleSize::Medium), 3.0 / 7, tol);
            EXPECT_NEAR(share(NibbleSize::Large), 2.0 / 7, tol);
            EXPECT_EQ(sizes[std::nullopt], 0);
        } else {
            EXPECT_NEAR(share(NibbleSize::Small), 4.0 / 11, tol);
            EXPECT_NEAR(share(NibbleSize::Medium), 3.0 / 11, tol);
            EXPECT_NEAR(share(NibbleSize::Large), 2.0 / 11, tol);
            EXPECT_NEAR(share(std::nullopt), 2.0 / 11, tol);
        }
    }
    const double tol = 0.015;
    EXPECT_NEAR(hookedBy[NibbleSize::Small] / double(nibbles[NibbleSize::Small]), 37.0 / 50, tol);
    EXPECT_NEAR(hookedBy[NibbleSize::Medium] / double(nibbles[NibbleSize::Medium]), 17.0 / 30, tol);
    EXPECT_NEAR(hookedBy[NibbleSize::Large] / double(nibbles[NibbleSize::Large]), 7.0 / 20, tol);
    // The worm a nibble leaves: eaten, half eaten, whole.
    const std::map<NibbleSize, std::array<double, 3>> left{
        {NibbleSize::Small, {0.2, 0.2, 0.6}},
        {NibbleSize::Medium, {1.0 / 3, 1.0 / 3, 1.0 / 3}},
        {NibbleSize::Large, {0.5, 0.5, 0}}};
    for (const auto& [size, shares] : left) {
        const std::array<Worm, 3> worms{Worm::Eaten, Worm::Half, Worm::Whole};
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(wear[size][worms[k]] / double(nibbles[size]), shares[k], tol)
                << static_cast<int>(size) << " " << static_cast<int>(worms[k]);
        }
    }
    EXPECT_EQ(wear[NibbleSize::Large][Worm::Whole], 0);
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
        const int weight = game.risingFish()->weight;
        lightest = std::min(lightest, weight);
        heaviest = std::max(heaviest, weight);
        bins[std::clamp((weight - 100) / 200, 0, 9)]++;
        perch += game.risingFish()->species == Species::Perch ? 1 : 0;
    }
    EXPECT_EQ(lightest, 100);
    EXPECT_EQ(heaviest, 2099);
    for (int count : bins) {
        EXPECT_NEAR(count / double(draws), 0.1, 0.01);
    }
    EXPECT_NEAR(perch / double(draws), 0.35, 0.01);
}

// The largest number the generator gives (1 − 2⁻⁵³) still draws inside every
// range: the heaviest fish is 2099 g, at the hot spot the bite roll is at most
// 8 (a large nibble, never the 9 of "no nibble"), and the last voice line is 15.
TEST_F(Fishing, TheLargestRndDrawsTheTopOfEachRange) {
    const double largest = std::nextafter(1.0, 0.0);
    start(1, 0);
    random.push(largest);
    random.push(largest);
    random.roll(0, 2); // a large nibble at the hot spot leaves the worm half eaten, and hooks
    advance(5000);
    EXPECT_EQ(nibbleSize(), NibbleSize::Large);
    EXPECT_EQ(game.worm(), Worm::Half);
    EXPECT_TRUE(hooked());
    random.push(largest);
    game.liftOrLower();
    EXPECT_EQ(game.risingFish(), (Fish{Species::Pike, FishSize::Large, 2099}));

    int line = 0;
    QObject::connect(&game, &FishingGame::chatter, [&](int n) { line = n; });
    random.push(largest);
    advance(3000);
    EXPECT_EQ(line, 15);
}

// The smallest and the largest draws put a ripple at the far corners of the water.
TEST_F(Fishing, RipplesStayOnTheWater) {
    QList<QPoint> ripples;
    QObject::connect(&game, &FishingGame::ripple, [&](int x, int y) { ripples << QPoint(x, y); });
    start();
    game.liftOrLower(); // no bites: only the chatter draws besides the ripple
    advance(9999);
    random.push(std::nextafter(1.0, 0.0));
    random.push(std::nextafter(1.0, 0.0));
    advance(1);
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

TEST_F(Fishing, WeightDecidesSpeciesAndSizeClass) {
    start();
    using enum Species;
    using enum FishSize;
    const Fish borders[] = {
        {Perch, Small, 100},
        {Perch, Small, 399},
        {Perch, Medium, 400},
        {Perch, Medium, 599},
        {Perch, Large, 600},
        {Perch, Large, 799},
        {Pike, Small, 800},
        {Pike, Small, 1099},
        {Pike, Medium, 1100},
        {Pike, Medium, 1399},
        {Pike, Large, 1800},
        {Pike, Large, 2099},
        // A pike between the classes has none of its own.
        {Pike, None, 1400},
        {Pike, None, 1799},
    };
    for (const Fish& border : borders) {
        strike(border.weight);
        EXPECT_EQ(game.risingFish(), border) << border.weight;
        advance(500);
        lower();
    }
    EXPECT_EQ(catchLines().first(), "ahven = 100g");
    EXPECT_EQ(catchLines().last(), "hauki = 1799g");
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
    EXPECT_EQ(game.risingFish(), (Fish{Species::Pike, FishSize::None, 1500}));
    advance(400);
    EXPECT_EQ(catchLines(), QStringList({"ahven = 100g", "hauki = 2099g", "hauki = 1500g"}));
    EXPECT_EQ(landedRows, QList<int>({1, 2, 3}));
    EXPECT_EQ(cellText(shared.catch_table[4][1]), "");
}

TEST_F(Fishing, RodStatesDecideTheActionsAndTheBait) {
    start();
    EXPECT_EQ(actions(), "--ee-");
    EXPECT_EQ(game.liftCaption(), "Nosta!");
    EXPECT_TRUE(baitSeen.isEmpty());
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
    EXPECT_EQ(baitSeen.last(), Worm::Half);
    EXPECT_EQ(anglerSeen.last(), Seen(Angler::Lifting, true));
    EXPECT_FALSE(game.risingFish());

    game.changeWorm();
    EXPECT_EQ(game.rod(), Rod::ChangingWorm);
    EXPECT_EQ(actions(), "-----");
    EXPECT_TRUE(game.actions().quit);
    EXPECT_EQ(baitSeen.last(), std::nullopt);
    // Nothing the player does reaches the rod while the worm is being changed.
    for (Action action : {Action::RowUp, Action::RowDown, Action::TapRod, Action::LiftOrLower,
                          Action::ChangeWorm}) {
        game.act(action);
    }
    EXPECT_EQ(game.rod(), Rod::ChangingWorm);
    EXPECT_EQ(game.boatTop(), FishingGame::kTopLimit);
    advance(4999);
    EXPECT_EQ(actions(), "-----");
    EXPECT_EQ(game.worm(), Worm::Half);
    advance(1);
    EXPECT_EQ(actions(), "ee-ee");
    EXPECT_EQ(game.worm(), Worm::Whole);
    EXPECT_EQ(baitSeen.last(), Worm::Whole);
    advance(10000);
    EXPECT_EQ(actions(), "ee-ee");

    game.liftOrLower();
    EXPECT_EQ(actions(), "--ee-");
    EXPECT_EQ(game.liftCaption(), "Nosta!");
    EXPECT_TRUE(game.lineInWater());
    EXPECT_FALSE(hooked());
    EXPECT_EQ(game.nextBite(), clock.now() + 5000);
    EXPECT_EQ(baitSeen.last(), std::nullopt);
    EXPECT_EQ(anglerSeen.last(), Seen(Angler::Lowering, true));

    game.tapRod();
    EXPECT_EQ(anglerSeen.last(), Seen(Angler::Tapping, true));
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
    ASSERT_EQ(game.worm(), Worm::Eaten);
    anglerSeen.clear();
    otherDraws = 0;
    int draws = random.draws();
    advance(60000);
    EXPECT_EQ(random.draws() - draws, otherDraws);
    EXPECT_EQ(game.worm(), Worm::Eaten);
    EXPECT_EQ(nibbleSize(), std::nullopt);

    game.liftOrLower();
    game.changeWorm();
    advance(5000);
    ASSERT_EQ(game.worm(), Worm::Whole);
    otherDraws = 0;
    draws = random.draws();
    advance(60000);
    EXPECT_EQ(random.draws() - draws, otherDraws);
    EXPECT_EQ(nibbleSize(), std::nullopt);
    EXPECT_FALSE(anglerSeen.contains(Seen(Angler::Nibble, false)));
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
    EXPECT_EQ(nibbleSize(), std::nullopt);
    advance(100);
    EXPECT_EQ(random.pending(), 0);
    EXPECT_EQ(nibbleSize(), NibbleSize::Small);
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
    EXPECT_EQ(game.nibble(), (Nibble{NibbleSize::Medium, 6800, true}));
    anglerSeen.clear();
    random.roll(5, 11);
    random.roll(2, 3);
    advance(1000);
    EXPECT_EQ(anglerSeen, QList<Seen>{Seen(Angler::Nibble, false)});
    EXPECT_EQ(game.nibble(), (Nibble{NibbleSize::Medium, 6800, true}));
    advance(799);
    EXPECT_TRUE(hooked());
    advance(1);
    EXPECT_FALSE(hooked());
    EXPECT_EQ(nibbleSize(), std::nullopt);
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
            EXPECT_EQ(game.risingFish()->weight, 700);
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
        EXPECT_FALSE(hooked());
        EXPECT_FALSE(game.risingFish());
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
    EXPECT_EQ(game.risingFish(), (Fish{Species::Pike, FishSize::Large, 1900}));
    game.liftOrLower();
    // A pike between the classes takes the class of the fish it replaces.
    strike(1500);
    EXPECT_EQ(game.risingFish(), (Fish{Species::Pike, FishSize::Large, 1500}));
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
    EXPECT_FALSE(game.risingFish());
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
    EXPECT_EQ(game.elapsedSeconds(), 179);
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
    ASSERT_TRUE(game.risingFish());
    game.changeWorm();
    ASSERT_EQ(game.worm(), Worm::Eaten);

    start(2, 6);
    EXPECT_EQ(shared.fish_count, 0);
    EXPECT_EQ(game.rod(), Rod::InWater);
    EXPECT_EQ(actions(), "--ee-");
    EXPECT_EQ(game.worm(), Worm::Whole);
    EXPECT_FALSE(hooked());
    EXPECT_FALSE(game.risingFish());
    EXPECT_EQ(game.boatPlace(), 0);
    EXPECT_EQ(game.boatTop(), FishingGame::kTopLimit);
    EXPECT_EQ(game.hotSpot(), 6);
    EXPECT_EQ(game.spotBonus(), 1000);
    EXPECT_EQ(game.bitePeriod(), 5000);
    EXPECT_EQ(game.fishDepth(), FishingGame::kFirstDepth);
    EXPECT_EQ(game.elapsedSeconds(), 0);
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
