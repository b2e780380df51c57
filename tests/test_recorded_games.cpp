#include "game/peli.h"
#include "platform/kelmo.h"
#include "support/world.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <random>

// Whole games played through the windows by a scripted player with a style of
// its own, written down as everything a player can see and hear, in the order
// it happens: every tick of the game and every click, followed by what changed
// on screen and every call made to the sound players. The records in
// tests/golden/ were made from the game as it plays, so any change to what a
// game does, however small, shows up here as the first line that differs.
//
// NORPPALA_RECORD_GAMES=1 writes the records anew instead of comparing.

namespace {

struct Style {
    int spot;
    std::uint32_t seed;
    int liftDelayMax;    // ms between noticing a nibble and lifting, drawn up to this
    int tapPercent;      // chance per second of tapping the rod with the line down
    int rowPercent;      // chance per second of rowing while the line is up
    int idleLiftPercent; // chance per second of lifting with no nibble
    qint64 quitAt;       // "Lopeta" at this time into the game, or 0 to play to the end
};

const Style kStyles[] = {
    {1, 11, 300, 5, 40, 2, 0},   {2, 22, 1500, 30, 60, 5, 0},        {3, 33, 2800, 60, 20, 1, 0},
    {2, 44, 800, 70, 90, 10, 0}, {3, 55, 600, 10, 50, 3, 95 * 1000},
};

class RecordedGames : public World {
protected:
    // The records were made before the game had its nibble cue; it has its own
    // player and its own test (test_accessibility.cpp).
    RecordedGames() { settings.setFlag(setting::nibbleCue, false); }

    // What a player can see now, as "name=value" entries.
    QMap<QString, QString> scene() const {
        QMap<QString, QString> seen;
        seen[QStringLiteral("windows")] = forms.loadedNames().join(QLatin1Char(','));
        Form* game = forms.find(QStringLiteral("peli"));
        if (!game) {
            return seen;
        }
        seen[QStringLiteral("picture")] = QFileInfo(game->pictureFile()).fileName();
        for (const char* name : {"vesi", "va", "kala", "vene", "mies", "mato"}) {
            const auto* sprite = game->findChild<Kelmo*>(QLatin1String(name));
            const QString key = QLatin1String(name);
            seen[key + QStringLiteral(".file")] = QFileInfo(sprite->file()).fileName();
            seen[key + QStringLiteral(".at")] =
                QStringLiteral("%1,%2").arg(sprite->left()).arg(sprite->top());
            seen[key + QStringLiteral(".shown")] = sprite->isVisibleTo(game) ? "1" : "0";
        }
        for (int i = 1; i <= 6; ++i) {
            const auto* button = game->findChild<QPushButton*>(QStringLiteral("Command%1").arg(i));
            seen[button->objectName()] =
                (button->isEnabled() ? QStringLiteral("on ") : QStringLiteral("off ")) +
                button->text();
        }
        for (const char* name : {"Label5", "Label7"}) {
            seen[QLatin1String(name)] = game->findChild<QLabel*>(QLatin1String(name))->text();
        }
        const auto* list = game->findChild<QListWidget*>(QStringLiteral("List1"));
        QStringList lines;
        for (int i = 0; i < list->count(); ++i) {
            lines << list->item(i)->text();
        }
        seen[QStringLiteral("List1")] = lines.join(QStringLiteral("; "));
        return seen;
    }

    // Writes down one event and what followed from it.
    void note(const QString& event) {
        settle();
        log << QStringLiteral("%1 %2").arg(now()).arg(event);
        for (; soundsSeen < players.calls.size(); ++soundsSeen) {
            log << QStringLiteral("  sound %1").arg(players.calls[soundsSeen]);
        }
        const QMap<QString, QString> now = scene();
        for (auto it = now.cbegin(); it != now.cend(); ++it) {
            if (shown.value(it.key()) != it.value() || !shown.contains(it.key())) {
                log << QStringLiteral("  %1=%2").arg(it.key(), it.value());
            }
        }
        shown = now;
    }

    bool pressed(const char* name) {
        Form* game = forms.find(QStringLiteral("peli"));
        auto* button = game ? game->findChild<QPushButton*>(QLatin1String(name)) : nullptr;
        if (!button || !button->isEnabled()) {
            return false;
        }
        button->click();
        note(QStringLiteral("click %1").arg(QLatin1String(name)));
        return true;
    }

    QString sees(const QString& key) const { return shown.value(key); }

    // The time of the run as a player who never paused would see it.
    qint64 now() const { return clock.now() - pausedFor; }

    // Pauses the game with P, lets `ms` pass and goes on with P or Esc: the game
    // stands still meanwhile and looks and sounds as it did once it goes on.
    void pauseAWhile(qint64 ms, bool escape) {
        Peli* screen = forms.find<Peli>(QStringLiteral("peli"));
        QTest::keyClick(screen, Qt::Key_P);
        settle();
        ASSERT_TRUE(screen->game().paused());
        pausedIn[QStringLiteral("nibble")] += screen->game().nibble().has_value();
        pausedIn[QStringLiteral("rise")] += screen->game().risingFish().has_value();
        pausedIn[QStringLiteral("worm change")] += screen->game().rod() == Rod::ChangingWorm;
        pausedIn[QStringLiteral("last second")] += now() % 180000 >= 179000;
        auto* notice = screen->findChild<QLabel*>(QStringLiteral("tauko"));
        EXPECT_TRUE(notice->isVisible());
        EXPECT_EQ(notice->accessibleName(), QString::fromUtf8("Tauko – jatka painamalla P"));
        for (const char* name : {"Command1", "Command2", "Command3", "Command4", "Command5"}) {
            EXPECT_FALSE(screen->findChild<QPushButton*>(QLatin1String(name))->isEnabled());
        }
        EXPECT_TRUE(screen->findChild<QPushButton*>(QStringLiteral("Command6"))->isEnabled());
        clock.advance(ms);
        pausedFor += ms;
        settle();
        QTest::keyClick(screen, escape ? Qt::Key_Escape : Qt::Key_P);
        settle();
        EXPECT_FALSE(screen->game().paused());
        EXPECT_FALSE(notice->isVisible());
        const QStringList heard = players.calls.mid(soundsSeen);
        EXPECT_EQ(heard, QStringList({"peli: Pause", "peli: Resume"}));
        soundsSeen = players.calls.size();
        EXPECT_EQ(scene(), shown) << "the game looks the same once it goes on";
    }

    // Plays one game from the setup window to its end in this style.
    void play(const Style& style, bool interrupted = false) {
        std::mt19937 dice(style.seed);
        std::mt19937 phone(style.seed + 1);
        auto chance = [&dice](int percent) {
            return std::uniform_int_distribution<int>(0, 99)(dice) < percent;
        };
        auto upTo = [&dice](int ms) { return std::uniform_int_distribution<int>(0, ms)(dice); };

        state.map_name = QStringLiteral("pitka");
        state.spot_choice = static_cast<qint16>(style.spot);
        forms.show(QStringLiteral("aloita"));
        settle();
        control<QPushButton>(QStringLiteral("aloita"), QStringLiteral("Command1"))->click();
        const qint64 start = now();
        note(QStringLiteral("start spot %1").arg(style.spot));

        qint64 liftAt = -1;
        qint64 lowerAt = -1;
        qint64 decideAt = start + 100;
        while (forms.isLoaded(QStringLiteral("peli")) && now() < start + 185 * 1000) {
            const std::optional<qint64> due = clock.nextDue();
            if (due && *due <= decideAt + pausedFor) {
                clock.fireNext();
                note(QStringLiteral("tick"));
                continue;
            }
            clock.advanceTo(decideAt + pausedFor);
            decideAt += 100;
            const qint64 into = now() - start;
            if (interrupted &&
                (std::uniform_int_distribution<int>(0, 24)(phone) == 0 || into == 179900)) {
                pauseAWhile(std::uniform_int_distribution<int>(1, 30000)(phone),
                            std::uniform_int_distribution<int>(0, 1)(phone) == 1);
            }
            if (style.quitAt && into >= style.quitAt) {
                pressed("Command6");
                break;
            }
            const bool lineDown =
                sees(QStringLiteral("Command4")).endsWith(QStringLiteral("Nosta!"));
            const bool second = into % 1000 == 0;
            if (lineDown) {
                lowerAt = -1;
                if (sees(QStringLiteral("mies.file")) == QStringLiteral("mies_kala.gif") &&
                    liftAt < 0) {
                    liftAt = now() + upTo(style.liftDelayMax) / 100 * 100;
                }
                if ((liftAt >= 0 && now() >= liftAt) || (second && chance(style.idleLiftPercent))) {
                    liftAt = -1;
                    pressed("Command4");
                } else if (second && chance(style.tapPercent)) {
                    pressed("Command3");
                }
                continue;
            }
            liftAt = -1;
            if (sees(QStringLiteral("mato.file")) == QStringLiteral("koho1.gif") &&
                pressed("Command5")) {
                continue;
            }
            if (second && chance(style.rowPercent)) {
                const int presses = 1 + upTo(4);
                const char* arrow = chance(50) ? "Command1" : "Command2";
                for (int i = 0; i < presses && pressed(arrow); ++i) {
                }
                continue;
            }
            if (lowerAt < 0) {
                lowerAt = now() + 100 + upTo(30) * 100;
            } else if (now() >= lowerAt && !sees(QStringLiteral("kala.shown")).startsWith('1')) {
                lowerAt = -1;
                pressed("Command4");
            }
        }
        log << QStringLiteral("catch %1: %2")
                   .arg(state.fish_count)
                   .arg(caughtLines().join(QStringLiteral("; ")));
        forms.unload(QStringLiteral("loppu"));
        forms.unload(QStringLiteral("menu"));
        settle();
        shown.clear();
    }

    void compareWithTheRecords();

    QStringList caughtLines() const {
        QStringList lines;
        for (int row = 1; row <= state.fish_count; ++row) {
            lines << catchLine(state, row);
        }
        return lines;
    }

    QStringList log;
    QMap<QString, QString> shown;
    qint64 pausedFor = 0;
    QMap<QString, int> pausedIn;
    qsizetype soundsSeen = 0;
};

QString goldenPath() {
    return QStringLiteral(NORPPALA_SOURCE_DIR "/tests/golden/recorded_games.txt");
}

} // namespace

TEST_F(RecordedGames, SeededGamesPlayExactlyAsRecorded) {
    for (const Style& style : kStyles) {
        play(style);
    }
    compareWithTheRecords();
}

// The phone rings at random moments (and once at 2:59.9): P or Esc pauses the
// game for a while. Nothing about any game changes.
TEST_F(RecordedGames, PausedAtRandomMomentsTheSameGamesPlayTheSame) {
    for (const Style& style : kStyles) {
        play(style, true);
    }
    for (const char* moment : {"nibble", "rise", "worm change", "last second"}) {
        EXPECT_GE(pausedIn.value(QLatin1String(moment)), 2) << moment;
    }
    if (qEnvironmentVariable("NORPPALA_RECORD_GAMES") == QStringLiteral("1")) {
        GTEST_SKIP();
    }
    compareWithTheRecords();
}

void RecordedGames::compareWithTheRecords() {
    // The program folder differs from run to run; the records name files from the data folder on.
    const QString text =
        log.join(QLatin1Char('\n')).replace(appPath, QStringLiteral("<app>")) + QLatin1Char('\n');
    if (qEnvironmentVariable("NORPPALA_RECORD_GAMES") == QStringLiteral("1")) {
        QDir().mkpath(QFileInfo(goldenPath()).path());
        QFile out(goldenPath());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(text.toUtf8());
        GTEST_SKIP() << "records written to " << goldenPath().toStdString();
    }
    QFile in(goldenPath());
    ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << "no records: run with NORPPALA_RECORD_GAMES=1";
    const QStringList expected = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'));
    const QStringList actual = text.split(QLatin1Char('\n'));
    // Every game lands some fish and the quitter leaves early, or the records prove little.
    EXPECT_GE(actual.filter(QStringLiteral("click Command5")).size(), 3);
    EXPECT_GE(actual.filter(QStringLiteral("click Command3")).size(), 10);
    EXPECT_GE(actual.filter(QStringLiteral("click Command1")).size(), 10);
    for (qsizetype i = 0; i < std::min(expected.size(), actual.size()); ++i) {
        ASSERT_EQ(actual[i].toStdString(), expected[i].toStdString()) << "line " << i + 1;
    }
    EXPECT_EQ(actual.size(), expected.size());
}
