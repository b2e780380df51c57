#include "test_game_world.h"

#include "platform/look.h"

#include <QApplication>
#include <map>

namespace {

using GameScreen = GameWorld;

QString text(const QWidget* widget) {
    if (auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->text();
    }
    return qobject_cast<const QAbstractButton*>(widget)->text();
}

} // namespace

TEST_F(GameScreen, OpensWithTheDesignTimeLayout) {
    Peli* screen = startGame();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->windowTitle(), "Norppala");
    EXPECT_EQ(screen->size(), QSize(362, 401));
    EXPECT_EQ(screen->pictureFile(), ":/pictures/peli_tausta.gif");

    const std::map<QString, QRect> boxes{
        {"vene", {0, 16, 137, 113}},      {"mies", {0, 0, 97, 129}},
        {"vesi", {0, 136, 153, 73}},      {"kala", {72, 104, 70, 100}},
        {"mato", {256, 208, 97, 89}},     {"va", {152, 216, 89, 81}},
        {"Command1", {264, 32, 41, 33}},  {"Command2", {304, 32, 41, 33}},
        {"Command4", {256, 104, 97, 25}}, {"Command3", {256, 128, 97, 25}},
        {"Command5", {256, 152, 97, 25}}, {"Command6", {224, 360, 129, 33}},
        {"List1", {0, 304, 153, 95}},     {"Label1", {248, 8, 113, 17}},
        {"Label2", {256, 80, 97, 17}},    {"Label3", {248, 184, 105, 17}},
        {"Label4", {160, 312, 81, 33}},   {"Label5", {224, 320, 33, 33}},
        {"Label6", {272, 320, 17, 33}},   {"Label7", {304, 320, 41, 33}},
    };
    for (const auto& [name, box] : boxes) {
        EXPECT_EQ(control(QStringLiteral("peli"), name)->geometry(), box) << name.toStdString();
    }
    const std::map<QString, QString> captions{
        {"Command4", "Nosta!"},
        {"Command3", "Näpäytä vapaa"},
        {"Command5", "Vaihda mato"},
        {"Command6", "Lopeta"},
        {"Label1", "Veneen ohjaus:"},
        {"Label2", "Ongen ohjaus:"},
        {"Label3", "Madon tila:"},
        {"Label4", "Saalis"},
        {"Label5", "0"},
        {"Label6", ":"},
        {"Label7", "0"},
    };
    for (const auto& [name, caption] : captions) {
        EXPECT_EQ(text(control(QStringLiteral("peli"), name)), caption) << name.toStdString();
    }
    EXPECT_EQ(buttons(), "--ee-");
    EXPECT_TRUE(button("Command6")->isEnabled());
    EXPECT_FALSE(button("Command1")->icon().isNull());
    EXPECT_EQ(button("Command2")->iconSize(), QSize(20, 20));
    EXPECT_FALSE(sprite("kala")->isVisible());
    EXPECT_FALSE(sprite("va")->isVisible());
    EXPECT_TRUE(sprite("vene")->isVisible());
    EXPECT_EQ(catchList()->count(), 0);
    EXPECT_EQ(catchList()->palette().color(QPalette::Base), look::navy);
    EXPECT_EQ(catchList()->palette().color(QPalette::Text), look::cyan);
    EXPECT_EQ(control<QLabel>("peli", "Label5")->font().pixelSize(),
              look::arial(20.25, true).pixelSize());
    EXPECT_TRUE(control<QLabel>("peli", "Label7")->font().bold());

    const std::map<QString, std::pair<int, bool>> timers{
        {"Timer1", {5000, true}},      {"pieni", {1200, false}}, {"keski", {1800, false}},
        {"iso", {2500, false}},        {"fish", {10000, true}},  {"vaihto", {5000, false}},
        {"kala_nousee", {100, false}}, {"sano", {8000, true}},   {"aika", {1000, true}},
    };
    for (const auto& [name, design] : timers) {
        EXPECT_EQ(timer(name)->interval(), design.first) << name.toStdString();
        EXPECT_EQ(timer(name)->enabled(), design.second) << name.toStdString();
    }

    // Tab runs through the usable buttons and the list in the design's order.
    click("peli", "Command4");
    QStringList order;
    QWidget* at = button("Command1");
    for (int i = 0; i < 6; ++i) {
        order << at->objectName();
        at = at->nextInFocusChain();
        while (at->focusPolicy() == Qt::NoFocus || !at->isEnabled()) {
            at = at->nextInFocusChain();
        }
    }
    EXPECT_EQ(order,
              QStringList({"Command1", "Command2", "Command4", "Command5", "List1", "Command6"}));
}

TEST_F(GameScreen, ActivationStartsTheGameMusic) {
    startGame();
    EXPECT_EQ(players.of("peli"),
              QStringList({"created", "Init(44100)", "LoadMusic(" + path("\\data\\music.mp3") + ")",
                           "PlayMusic(True)", "Volume = 20"}));
}

TEST_F(GameScreen, EveryGameStartsFromItsOwnStartValues) {
    startGame(3, 5);
    EXPECT_EQ(game().spotBonus(), 2000);
    EXPECT_EQ(game().hotSpot(), 5);
    EXPECT_EQ(random.reseeds(), 1);
    // The game is left with a fish rising, the boat two steps down and an eaten
    // worm being changed: a small nibble eats the worm and hooks the fish.
    ASSERT_TRUE(untilTheBite());
    random.roll(0, 11);
    random.roll(0, 5);
    random.roll(0, 5);
    advance(1);
    bites::fishOf(random, 1900);
    click("peli", "Command4");
    click("peli", "Command2");
    click("peli", "Command2");
    click("peli", "Command5");
    ASSERT_TRUE(game().risingFish().has_value());
    ASSERT_EQ(game().worm(), Worm::Eaten);
    click("peli", "Command6");
    ASSERT_EQ(peli(), nullptr);

    startGame(1, 7);
    EXPECT_EQ(random.reseeds(), 2);
    EXPECT_EQ(game().spotBonus(), 0);
    EXPECT_EQ(game().hotSpot(), 7);
    EXPECT_EQ(game().boatPlace(), 0);
    EXPECT_EQ(game().elapsedSeconds(), 0);
    EXPECT_EQ(game().worm(), Worm::Whole);
    EXPECT_TRUE(game().lineInWater());
    EXPECT_EQ(sprite("vene")->top(), 16);
    EXPECT_EQ(control<QLabel>("peli", "Label7")->text(), "0");
    EXPECT_EQ(game().bitePeriod(), 5000);
    // The old game's fish stays behind: a lift before any nibble lands nothing.
    EXPECT_FALSE(game().nibble());
    EXPECT_FALSE(game().risingFish());
    click("peli", "Command4");
    advance(2000);
    EXPECT_EQ(state.fish_count, 0);
    EXPECT_TRUE(catchLines().isEmpty());

    forms.unload("peli");
    settle();
    startGame(2, 0);
    EXPECT_EQ(game().spotBonus(), 1000);
}

TEST_F(GameScreen, ClockCountsThreeMinutesThenHandsOverToTheResults) {
    startGame();
    click("peli", "Command4"); // the line stays up, and the worm whole, until the last seconds
    auto reads = [this] {
        return control<QLabel>("peli", "Label5")->text() + " : " +
               control<QLabel>("peli", "Label7")->text();
    };
    EXPECT_EQ(reads(), "0 : 0");
    advance(59000);
    EXPECT_EQ(reads(), "0 : 59");
    advance(1000);
    EXPECT_EQ(reads(), "1 : 0");
    advance(5000);
    EXPECT_EQ(reads(), "1 : 5");
    advance(109700);
    click("peli", "Command4"); // the next bite comes at 2:59.7
    advance(4300);
    EXPECT_EQ(reads(), "2 : 59");
    EXPECT_FALSE(forms.isLoaded("loppu"));

    // A fish still rising at the last tick does not count.
    hookFish(1234);
    click("peli", "Command4");
    advance(300);
    EXPECT_TRUE(forms.isLoaded("loppu"));
    EXPECT_FALSE(forms.isLoaded("peli"));
    EXPECT_EQ(state.fish_count, 0);

    // Nothing of the closed screen runs any more: no chatter, clock, nibble or landing.
    const QStringList heard = players.of("peli");
    EXPECT_EQ(heard.last(), "destroyed");
    const int draws = random.draws();
    advance(60000);
    EXPECT_EQ(players.of("peli"), heard);
    EXPECT_EQ(random.draws(), draws);
    EXPECT_EQ(state.fish_count, 0);
}

TEST_F(GameScreen, AnglerMuttersOneOfFifteenLinesEveryEightSeconds) {
    startGame();
    random.roll(9, 15);
    advance(8000);
    EXPECT_EQ(players.of("peli").last(),
              "PlaySound(" + path("\\data\\sound\\kala010.wav") + ", False)");
    random.roll(0, 15);
    advance(8000);
    EXPECT_EQ(players.of("peli").last(),
              "PlaySound(" + path("\\data\\sound\\kala01.wav") + ", False)");

    // Every line in turn, each file named with a "0" before its number. The
    // chatter's ticks that the ripple shares are left to the dice.
    click("peli", "Command4"); // the line up: no bite draws meanwhile
    QStringList heard;
    QStringList expected;
    int line = 1;
    for (qint64 at = 3 * fishing::kChatterEvery; line <= 15; at += fishing::kChatterEvery) {
        if (at % fishing::kRippleEvery == 0) {
            continue;
        }
        advance(startedAt + at - 1 - clock.now());
        random.roll(line - 1, 15);
        advance(1);
        heard << players.of("peli").last();
        expected << QStringLiteral("PlaySound(%1, False)")
                        .arg(path(QStringLiteral("\\data\\sound\\kala0%1.wav").arg(line++)));
    }
    EXPECT_EQ(heard, expected);
}

TEST_F(GameScreen, LopetaReturnsToTheMenuInEveryRodState) {
    enum class Rod { InWater, Up, ChangingWorm, FishRising };
    for (Rod rod : {Rod::InWater, Rod::Up, Rod::ChangingWorm, Rod::FishRising}) {
        SCOPED_TRACE(static_cast<int>(rod));
        startGame();
        advance(1000);
        if (rod == Rod::Up) {
            click("peli", "Command4");
        } else if (rod == Rod::ChangingWorm) {
            click("peli", "Command4");
            click("peli", "Command5");
        } else if (rod == Rod::FishRising) {
            hookFish(500);
            click("peli", "Command4");
            advance(200);
            ASSERT_TRUE(game().risingFish().has_value());
        }
        ASSERT_TRUE(click("peli", "Command6"));
        const int draws = random.draws();
        EXPECT_TRUE(forms.isLoaded("menu"));
        EXPECT_FALSE(forms.isLoaded("peli"));
        EXPECT_FALSE(forms.isLoaded("loppu"));
        advance(30000);
        EXPECT_EQ(state.fish_count, 0);
        EXPECT_EQ(random.draws(), draws) << "nothing of the quit game runs on";
        EXPECT_EQ(players.of("peli").last(), "destroyed");
        forms.unload("menu");
        settle();
    }
}

TEST_F(GameScreen, ScriptedPlayerFishesThreeMinutesAndSeesTheCatchInTheResults) {
    startGame(2, 6);
    QStringList seen;
    int strikes = 0;
    int changes = 0;
    while (peli()) {
        seen = catchLines();
        const bool busy = game().risingFish().has_value() || (game().rod() == Rod::ChangingWorm);
        if (game().lineInWater() && shown("mies") == path("\\data\\mies_kala.gif")) {
            strikes += hooked() ? 1 : 0;
            click("peli", "Command4");
        } else if (!game().lineInWater() && !busy) {
            if (game().worm() == Worm::Eaten) {
                click("peli", "Command5");
                ++changes;
            } else if (game().boatPlace() < game().hotSpot()) {
                click("peli", "Command2");
            } else if (game().boatPlace() > game().hotSpot()) {
                click("peli", "Command1");
            } else {
                click("peli", "Command4");
            }
        } else if (game().lineInWater() && game().worm() == Worm::Eaten && !busy) {
            click("peli", "Command4");
        }
        advance(100);
    }
    EXPECT_EQ(clock.now(), 180000);
    EXPECT_GT(strikes, 5);
    EXPECT_GT(changes, 0);
    ASSERT_TRUE(forms.isLoaded("loppu"));

    QStringList caught;
    int total = 0;
    for (int row = 1; row <= state.fish_count; ++row) {
        caught << catchLine(state, row);
        total += cellWeight(state.catch_table[row][2]);
    }
    // Every hooked fish lands, unless it was still rising when the time ran out.
    EXPECT_LE(caught.size(), strikes);
    EXPECT_GE(caught.size(), strikes - 1);
    EXPECT_EQ(seen, caught);
    auto* results = control<QListWidget>("loppu", "List1");
    QStringList listed;
    for (int i = 0; i < results->count(); ++i) {
        listed << results->item(i)->text();
    }
    EXPECT_EQ(listed, caught);
    EXPECT_EQ(control<QLabel>("loppu", "tot")->text(), QString::number(total) + "g");
}

TEST_F(GameScreen, MissingPicturesNeverStopTheGame) {
    for (const char* name : {"mies_kala.gif", "mies_nosto.gif", "koho3.gif", "hauki_iso.gif"}) {
        QFile::remove(appPath + "/data/" + name);
    }
    startGame(1, 3);
    random.roll(7, 11);
    random.roll(1, 2);
    random.roll(0, 2);
    advance(5000);
    EXPECT_TRUE(hooked());
    EXPECT_EQ(sprite("mies")->currentFrame(), -1);
    bites::fishOf(random, 1900);
    click("peli", "Command4");
    advance(500);
    EXPECT_EQ(catchLines(), QStringList{"hauki = 1900g"});
    EXPECT_EQ(button("Command4")->text(), "Laske!");
}

TEST_F(GameScreen, TheRisingFishAndTheRippleShowWhereTheGameSays) {
    startGame();
    click("peli", "Command4"); // the ripple plays with the line up too
    random.roll(4, 15);        // chatter at 8 s
    random.roll(223, 224);
    random.roll(0, 288);
    advance(10000);
    EXPECT_TRUE(sprite("va")->isVisible());
    EXPECT_EQ(sprite("va")->left(), 223);
    EXPECT_EQ(sprite("va")->top(), 0);
    EXPECT_TRUE(sprite("va")->isPlaying());
    advance(5000);
    EXPECT_FALSE(sprite("va")->isVisible());

    // The first fish rises from where the screen first drew it; after a boat
    // step it waits under the boat's new place.
    lower();
    hookFish(700);
    click("peli", "Command4");
    advance(100);
    EXPECT_TRUE(sprite("kala")->isVisible());
    EXPECT_EQ(sprite("kala")->top(), 104 - 15);
    click("peli", "Command2");
    EXPECT_EQ(sprite("kala")->top(), 36 + 137 - 40);
    EXPECT_EQ(sprite("vesi")->top(), 36 + 137);
    EXPECT_EQ(sprite("mies")->top(), 36 - 16);
    advance(500);
    EXPECT_EQ(catchLines(), QStringList{"ahven = 700g"});
    EXPECT_FALSE(sprite("kala")->isVisible());
    EXPECT_EQ(sprite("kala")->top(), sprite("vene")->top() + 137 - 40);
}

// The catch list shows about seven lines; every landing brings its own line
// into view, however long the list has grown.
TEST_F(GameScreen, TheNewestCatchLineIsAlwaysInView) {
    startGame();
    advance(1000);
    QListWidget* list = catchList();
    for (int fish = 1; fish <= 12; ++fish) {
        landFish(100 + fish);
        ASSERT_EQ(list->count(), fish);
        const QRect newest = list->visualItemRect(list->item(fish - 1));
        EXPECT_TRUE(list->viewport()->rect().contains(newest))
            << "fish " << fish << ": line at " << newest.top() << ".." << newest.bottom()
            << ", list shows 0.." << list->viewport()->height() - 1;
    }
}
