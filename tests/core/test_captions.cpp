#include "core/captions.h"
#include "core/clock.h"
#include "core/fishinggame.h"
#include "core/module1.h"
#include "core/random.h"
#include "support/printers.h"

#include <QMap>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>
#include <random>

namespace {

// A whole game on the model alone, played by a careless player (late lifts,
// lifts for nothing, many taps, worms changed or not, pauses), with captions
// on or off. Everything the game did and every caption that appeared is
// written down with its time.
struct CaptionedGame {
    VirtualClock clock;
    MersenneRandom random;
    Module1 shared;
    FishingGame game{clock, random, shared};
    Captions captions{game};
    QStringList events;
    QList<Caption> stream;
    // Facts checked as the game went on.
    QStringList faults;
    int tapsWithNibbleCaption = 0;
    int fastestReached = 0;
    bool nibbledSinceDown = false;
    bool fishLetGo = false;
    QList<int> wormCountdown;

    explicit CaptionedGame(quint32 seed, bool on = true, bool hints = false) : random(seed) {
        const auto note = [this](const QString& what) {
            events << QStringLiteral("%1 %2").arg(game.clock().now()).arg(what);
        };
        QObject::connect(&game, &FishingGame::anglerChanged, [=, this](Angler angler, bool) {
            note(QStringLiteral("angler %1").arg(static_cast<int>(angler)));
            if (angler == Angler::Lowering && game.worm() == Worm::Eaten) {
                note(QStringLiteral("bare hook down"));
            }
            if (angler == Angler::Tapping && game.nibble() && has(CaptionKind::Nibble)) {
                ++tapsWithNibbleCaption;
            }
            // What a watching player knows of the nibbles since the line went down.
            if (angler == Angler::Nibble) {
                fishLetGo = false;
                nibbledSinceDown = true;
            } else if (angler == Angler::Waiting) {
                fishLetGo = true;
            } else if (angler == Angler::Lowering) {
                fishLetGo = nibbledSinceDown = false;
            }
        });
        QObject::connect(&game, &FishingGame::fishHooked, [=](const Fish& fish) {
            note(QStringLiteral("hooked %1").arg(fish.weight));
        });
        QObject::connect(&game, &FishingGame::fishLanded, [=, this](int row) {
            note(QStringLiteral("landed %1").arg(row));
            fishLetGo = fishLetGo || game.lineInWater();
        });
        QObject::connect(&game, &FishingGame::liftedEmpty, [=, this](Miss why) {
            note(QStringLiteral("missed %1 worm %2")
                     .arg(static_cast<int>(why))
                     .arg(static_cast<int>(game.worm())));
            // The reason follows from what the player could see: no nibble, a
            // nibble that ended (or a landing that shook the fish off), or a
            // nibble still going on that did not hook the fish.
            const Miss expected = !nibbledSinceDown ? Miss::NoNibble
                                  : fishLetGo       ? Miss::LetGo
                                                    : Miss::NotHooked;
            if (why != expected && why != Miss::CatchFull) {
                faults << QStringLiteral("%1: missed %2, expected %3")
                              .arg(game.clock().now())
                              .arg(static_cast<int>(why))
                              .arg(static_cast<int>(expected));
            }
        });
        QObject::connect(&game, &FishingGame::chatter,
                         [=](int line) { note(QStringLiteral("chatter %1").arg(line)); });
        QObject::connect(&game, &FishingGame::timeUp, [=] { note(QStringLiteral("time up")); });
        QObject::connect(&game, &FishingGame::pausedChanged,
                         [=](bool paused) { note(QStringLiteral("paused %1").arg(paused)); });
        QObject::connect(&captions, &Captions::posted,
                         [this](const Caption& caption) { stream << caption; });
        // A fake source for the angler's words: line N says so, and shows N × 300 ms.
        captions.setChatterText([](int line) { return QStringLiteral("line %1").arg(line); },
                                [](int line) { return line * 300; });
        captions.setHints(hints);
        captions.setOn(on);
        shared.spot_choice = 3;
    }

    bool has(CaptionKind kind) const {
        const QList<Caption> now = captions.showing();
        return std::any_of(now.begin(), now.end(),
                           [kind](const Caption& caption) { return caption.kind == kind; });
    }

    void play(quint32 style) {
        std::mt19937 dice(style);
        const auto chance = [&dice](int percent) {
            return std::uniform_int_distribution<int>(0, 99)(dice) < percent;
        };
        game.start();
        qint64 liftAt = -1;
        while (game.running()) {
            clock.advance(100);
            if (!game.running()) {
                break;
            }
            check();
            if (chance(1)) {
                game.pause();
                clock.advance(std::uniform_int_distribution<int>(100, 5000)(dice));
                if (captions.on() && !has(CaptionKind::Paused)) {
                    faults << QStringLiteral("no pause caption while paused");
                }
                game.resume();
                continue;
            }
            if (game.lineInWater()) {
                if (game.angler() == Angler::Nibble && liftAt < 0) {
                    liftAt =
                        game.clock().now() + std::uniform_int_distribution<int>(0, 30)(dice) * 100;
                }
                if ((liftAt >= 0 && game.clock().now() >= liftAt) || chance(1)) {
                    liftAt = -1;
                    game.liftOrLower();
                } else if (chance(8)) {
                    const int before = game.bitePeriod();
                    game.tapRod();
                    fastestReached += before > fishing::kShortestTappedPeriod &&
                                      game.bitePeriod() == fishing::kShortestTappedPeriod;
                }
            } else if (game.rod() == Rod::Up && !game.risingFish()) {
                if (game.worm() != Worm::Whole && chance(30)) {
                    game.changeWorm();
                } else if (chance(5)) {
                    chance(50) ? game.rowUp() : game.rowDown();
                } else if (chance(15)) {
                    game.liftOrLower();
                }
            }
        }
    }

    // What must hold at every moment of the game.
    void check() {
        if (!captions.on()) {
            return;
        }
        // The nibble shows in words exactly while the angler shows it.
        if (game.angler() == Angler::Nibble && !has(CaptionKind::Nibble)) {
            faults << QStringLiteral("%1: a nibble without its caption").arg(clock.now());
        }
        if (has(CaptionKind::Nibble) && !game.nibble()) {
            faults << QStringLiteral("%1: a nibble caption with no nibble").arg(clock.now());
        }
        if (game.rod() == Rod::ChangingWorm) {
            const QList<Caption> now = captions.showing();
            for (const Caption& caption : now) {
                if (caption.kind == CaptionKind::WormChange) {
                    const qint64 left = game.wormChangeEnds() - game.clock().now();
                    const int said = caption.text.section(QLatin1Char(' '), -2, -2).toInt();
                    // Counted down on the game's whole seconds: at most a second behind.
                    if (said * 1000 < left || said * 1000 >= left + 2000) {
                        faults << QStringLiteral("%1 s said with %2 ms left").arg(said).arg(left);
                    }
                    wormCountdown << said;
                }
            }
        }
    }

    // The captions of a kind, as "time text".
    QStringList posted(CaptionKind kind) const {
        QStringList out;
        for (const Caption& caption : stream) {
            if (caption.kind == kind) {
                out << QStringLiteral("%1 %2").arg(caption.at).arg(caption.text);
            }
        }
        return out;
    }
    // The times of the events that start with `what`.
    QList<qint64> times(const QString& what) const {
        QList<qint64> out;
        for (const QString& event : events) {
            if (event.section(QLatin1Char(' '), 1).startsWith(what)) {
                out << event.section(QLatin1Char(' '), 0, 0).toLongLong();
            }
        }
        return out;
    }
    QList<qint64> times(CaptionKind kind) const {
        QList<qint64> out;
        for (const Caption& caption : stream) {
            if (caption.kind == kind) {
                out << caption.at;
            }
        }
        return out;
    }
};

} // namespace

// Every piece of news is captioned the moment the game makes it, and only then;
// every lift that brings up no fish says why, and the why is the rule's own.
TEST(Captions, EachNewsItemAppearsExactlyWhenTheGameMakesIt) {
    QMap<int, int> reasons;
    int fastest = 0;
    qsizetype bareHooks = 0;
    for (quint32 seed : {3u, 14u, 15u, 92u}) {
        CaptionedGame played(seed);
        played.play(seed);
        SCOPED_TRACE(seed);
        EXPECT_EQ(played.faults, QStringList());
        EXPECT_EQ(played.times(CaptionKind::Nibble), played.times(QStringLiteral("angler 1")));
        EXPECT_EQ(played.times(CaptionKind::Hooked), played.times(QStringLiteral("hooked")));
        EXPECT_EQ(played.times(CaptionKind::Landed), played.times(QStringLiteral("landed")));
        EXPECT_EQ(played.times(CaptionKind::Missed), played.times(QStringLiteral("missed")));
        EXPECT_EQ(played.times(CaptionKind::Chatter), played.times(QStringLiteral("chatter")));
        EXPECT_EQ(played.times(CaptionKind::Paused), played.times(QStringLiteral("paused 1")));
        EXPECT_EQ(played.times(CaptionKind::Resumed), played.times(QStringLiteral("paused 0")));
        EXPECT_EQ(played.times(CaptionKind::TimeUp), played.times(QStringLiteral("time up")));
        EXPECT_EQ(played.times(CaptionKind::BareHook), played.times(QStringLiteral("bare hook")));
        bareHooks += played.times(CaptionKind::BareHook).size();
        ASSERT_EQ(played.times(CaptionKind::TenSeconds).size(), 1);
        EXPECT_EQ(played.times(CaptionKind::TenSeconds).first() - played.game.clock().now(),
                  -10000);
        // Every lift of the line in the water either hooks a fish or says why not.
        int lifts = 0;
        bool down = true;
        for (const QString& event : played.events) {
            if (event.endsWith(QLatin1String("angler 3"))) {
                lifts += down;
                down = false;
            } else if (event.endsWith(QLatin1String("angler 4"))) {
                down = true;
            }
        }
        EXPECT_EQ(lifts, played.times(QStringLiteral("hooked")).size() +
                             played.times(QStringLiteral("missed")).size());
        // The landed fish's words carry its species and weight.
        const QStringList landed = played.posted(CaptionKind::Landed);
        for (int row = 1; row <= played.shared.fish_count; ++row) {
            EXPECT_TRUE(
                landed[row - 1].endsWith(QStringLiteral("%1, %2 g")
                                             .arg(cellText(played.shared.catch_table[row][1]))
                                             .arg(cellWeight(played.shared.catch_table[row][2]))));
        }
        // A worn worm is named with the reason; a bare one asks to be changed.
        const QStringList misses = played.posted(CaptionKind::Missed);
        const QStringList missed = played.events.filter(QStringLiteral(" missed "));
        ASSERT_EQ(misses.size(), missed.size());
        for (qsizetype i = 0; i < misses.size(); ++i) {
            const int worm = missed[i].section(QLatin1Char(' '), -1).toInt();
            reasons[missed[i].section(QLatin1Char(' '), 2, 2).toInt()]++;
            EXPECT_EQ(misses[i].count(QLatin1Char('\n')), worm == 0 ? 0 : 1)
                << misses[i].toStdString();
            EXPECT_EQ(misses[i].contains(QLatin1String("(V)")), worm == 2)
                << misses[i].toStdString();
        }
        EXPECT_GT(played.tapsWithNibbleCaption, 0) << "tapping hides no nibble";
        EXPECT_FALSE(played.wormCountdown.isEmpty());
        EXPECT_EQ(played.posted(CaptionKind::Fastest).size(), played.fastestReached);
        fastest += played.fastestReached;
    }
    EXPECT_GT(fastest, 0);
    EXPECT_GT(bareHooks, 0);
    for (Miss why : {Miss::NoNibble, Miss::LetGo, Miss::NotHooked}) {
        EXPECT_GT(reasons.value(static_cast<int>(why)), 0) << static_cast<int>(why);
    }
}

// The stream of captions is a pure function of what the game did: the same
// game gives the same captions, and switched off the captions change nothing
// in the game and work out no words.
TEST(Captions, AreAPureFunctionOfTheGameAndCostNothingOff) {
    CaptionedGame first(7);
    first.play(7);
    CaptionedGame again(7);
    again.play(7);
    CaptionedGame off(7, false);
    off.play(7);
    EXPECT_EQ(first.stream, again.stream);
    EXPECT_GT(first.stream.size(), 50);
    EXPECT_EQ(first.events, off.events);
    EXPECT_TRUE(off.stream.isEmpty());
    EXPECT_TRUE(off.captions.showing().isEmpty());
}

// The angler's words show for as long as their source says, then go.
TEST(Captions, ChatterShowsItsOwnTimeAndHintsComeOnceEach) {
    CaptionedGame played(21, true, true);
    QList<qint64> gone;
    QObject::connect(&played.captions, &Captions::changed, [&] {
        if (!played.has(CaptionKind::Chatter)) {
            gone << played.game.clock().now();
        }
    });
    played.play(21);
    const QStringList said = played.posted(CaptionKind::Chatter);
    ASSERT_GE(said.size(), 10);
    for (const QString& line : said) {
        const qint64 at = line.section(QLatin1Char(' '), 0, 0).toLongLong();
        const int n = line.section(QLatin1Char(' '), -1).toInt();
        // Gone by the first clock second after its time is up.
        const auto after = std::lower_bound(gone.begin(), gone.end(), at + n * 300);
        ASSERT_NE(after, gone.end());
        EXPECT_LT(*after - (at + n * 300), 1000) << line.toStdString();
    }
    // The hints: the first at the first nibble, the second at the first empty
    // lift with a worn worm, and none twice.
    const QStringList hints = played.posted(CaptionKind::Hint);
    ASSERT_GE(hints.size(), 2);
    EXPECT_LE(hints.size(), 3);
    EXPECT_EQ(QSet<QString>(hints.begin(), hints.end()).size(), hints.size());
    EXPECT_EQ(played.times(CaptionKind::Hint)[0], played.times(QStringLiteral("angler 1")).first());
    QList<qint64> worn;
    for (const QString& event : played.events) {
        if (event.contains(QLatin1String(" missed ")) && !event.endsWith(QLatin1String("worm 0"))) {
            worn << event.section(QLatin1Char(' '), 0, 0).toLongLong();
        }
    }
    ASSERT_FALSE(worn.isEmpty());
    EXPECT_EQ(played.times(CaptionKind::Hint)[1], worn.first());
}

// Without hints asked for, none shows.
TEST(Captions, NoHintsUnlessTheGameGivesThem) {
    CaptionedGame played(21);
    played.play(21);
    EXPECT_TRUE(played.posted(CaptionKind::Hint).isEmpty());
}
