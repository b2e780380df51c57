#include "core/autoangler.h"
#include "core/timer.h"
#include "modelworld.h"

#include <random>

namespace {

// Everything a game shows and says, in order, stamped with the game's own time.
struct Transcript {
    QStringList lines;
    void watch(FishingGame& game) {
        auto at = [&game] { return QString::number(game.clock().now()) + QLatin1Char(' '); };
        QObject::connect(&game, &FishingGame::anglerChanged, [=, this](Angler a, bool once) {
            lines << at() + QStringLiteral("angler %1").arg(int(a)) + (once ? " once" : "");
        });
        QObject::connect(&game, &FishingGame::baitChanged, [=, this](std::optional<Worm> worm) {
            lines << at() + QStringLiteral("bait %1").arg(worm ? int(*worm) : -1);
        });
        QObject::connect(&game, &FishingGame::boatMoved, [=, this, &game] {
            lines << at() + QStringLiteral("boat %1").arg(game.boatTop());
        });
        QObject::connect(&game, &FishingGame::clockChanged, [=, this, &game] {
            lines << at() + QStringLiteral("clock %1").arg(game.elapsedSeconds());
        });
        QObject::connect(&game, &FishingGame::fishRose, [=, this, &game](const Fish& fish) {
            lines << at() + QStringLiteral("rise %1 %2 %3 %4")
                                .arg(int(fish.species))
                                .arg(int(fish.size))
                                .arg(fish.weight)
                                .arg(game.fishDepth());
        });
        QObject::connect(&game, &FishingGame::fishLanded, [=, this, &game](int row) {
            lines << at() + QStringLiteral("landed ") + catchLine(game.shared(), row);
        });
        QObject::connect(&game, &FishingGame::chatter,
                         [=, this](int n) { lines << at() + QStringLiteral("say %1").arg(n); });
        QObject::connect(&game, &FishingGame::ripple, [=, this](int x, int y) {
            lines << at() + QStringLiteral("ripple %1,%2").arg(x).arg(y);
        });
        QObject::connect(&game, &FishingGame::timeUp, [=, this] { lines << at() + "time up"; });
    }
};

// Plays a whole game by the book with a few boat trips and taps of its own;
// with `pauses`, it also pauses at random moments (and at 2:59.9) for a while.
QStringList play(bool pauses, int* pausedInNibble = nullptr, int* pausedInRise = nullptr,
                 int* pausedInWormChange = nullptr) {
    VirtualClock clock;
    ScriptedRandom random(4242);
    Module1 shared;
    shared.spot_choice = 3;
    FishingGame game(clock, random, shared);
    Transcript transcript;
    transcript.watch(game);
    std::mt19937 player(7);
    std::mt19937 interruptions(99);
    const AutoAngler angler;
    game.start();
    qint64 nextLook = 100;
    while (game.running()) {
        // The player looks at the game every 100 ms of game time.
        const std::optional<qint64> due = clock.nextDue();
        const qint64 lookAt = nextLook + (clock.now() - game.clock().now());
        if (due && *due <= lookAt) {
            clock.fireNext();
            continue;
        }
        clock.advanceTo(lookAt);
        nextLook += 100;
        if (pauses && (std::uniform_int_distribution<int>(0, 29)(interruptions) == 0 ||
                       game.clock().now() == 179900)) {
            game.pause();
            if (pausedInNibble && game.nibble()) {
                ++*pausedInNibble;
            }
            if (pausedInRise && game.risingFish()) {
                ++*pausedInRise;
            }
            if (pausedInWormChange && game.rod() == Rod::ChangingWorm) {
                ++*pausedInWormChange;
            }
            // Nothing the player tries while paused reaches the game.
            for (Action action : {Action::RowDown, Action::TapRod, Action::LiftOrLower}) {
                game.act(action);
            }
            clock.advance(std::uniform_int_distribution<int>(1, 20000)(interruptions));
            game.resume();
        }
        const int roll = std::uniform_int_distribution<int>(0, 99)(player);
        if (roll < 3) {
            game.act(roll == 0 ? Action::RowUp : Action::RowDown);
        } else if (roll < 5) {
            game.tapRod();
        } else {
            angler.react(game);
        }
    }
    transcript.lines << QStringLiteral("catch %1").arg(shared.fish_count);
    return transcript.lines;
}

} // namespace

TEST(Pause, APausedGamePlaysExactlyAsOneThatNeverStopped) {
    int inNibble = 0;
    int inRise = 0;
    int inWormChange = 0;
    const QStringList plain = play(false);
    const QStringList paused = play(true, &inNibble, &inRise, &inWormChange);
    // The moments that matter were all paused in, more than once.
    EXPECT_GE(inNibble, 2);
    EXPECT_GE(inRise, 2);
    EXPECT_GE(inWormChange, 2);
    EXPECT_GT(plain.filter("landed").size(), 3);
    ASSERT_EQ(paused.size(), plain.size());
    for (qsizetype i = 0; i < plain.size(); ++i) {
        ASSERT_EQ(paused[i], plain[i]) << "line " << i;
    }
}

TEST(Pause, TheGamesClockStandsStillAndCountdownsGoOnWhereTheyStood) {
    VirtualClock base;
    PausableClock game(base);
    QStringList fired;
    Timer a(nullptr, game, "a", 1000, true);
    Timer b(nullptr, game, "b", 1000, true); // due with a, started after it
    QObject::connect(&a, &Timer::timeout, [&] { fired << QStringLiteral("a %1").arg(game.now()); });
    QObject::connect(&b, &Timer::timeout, [&] { fired << QStringLiteral("b %1").arg(game.now()); });
    base.advance(400);
    game.pause();
    game.pause();
    EXPECT_EQ(game.now(), 400);
    base.advance(5000);
    EXPECT_EQ(game.now(), 400);
    EXPECT_TRUE(fired.isEmpty());
    // A countdown started while paused waits for the game too.
    Timer c(nullptr, game, "c", 100, true);
    QObject::connect(&c, &Timer::timeout, [&] { fired << QStringLiteral("c %1").arg(game.now()); });
    base.advance(1000);
    game.resume();
    EXPECT_EQ(game.now(), 400);
    base.advance(100);
    EXPECT_EQ(fired, QStringList{"c 500"});
    base.advance(500);
    // c's tick at 1000 was started at 900, after a's and b's countdowns.
    EXPECT_EQ(fired, QStringList({"c 500", "c 600", "c 700", "c 800", "c 900", "a 1000", "b 1000",
                                  "c 1000"}));
}

TEST_F(ModelWorld, OnlyQuittingWorksWhilePausedAndAFinishedGameCannotPause) {
    int changes = 0;
    QObject::connect(&game, &FishingGame::pausedChanged, [&] { ++changes; });
    start();
    game.togglePause();
    EXPECT_TRUE(game.paused());
    EXPECT_EQ(actions(), "-----");
    EXPECT_TRUE(game.actions().quit);
    game.quit();
    EXPECT_FALSE(game.running());
    EXPECT_FALSE(game.paused());
    game.pause();
    EXPECT_FALSE(game.paused());
    EXPECT_EQ(changes, 1);
}
