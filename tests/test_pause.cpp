#include "test_game_world.h"
#include "test_played_game.h"

#include <QLabel>
#include <QTest>

namespace {

using Pause = GameWorld;
using PauseOnTheWay = PlayedGame;

QLabel* notice(Peli* screen) {
    return screen->findChild<QLabel*>(QStringLiteral("tauko"));
}

} // namespace

TEST_F(Pause, EverythingStandsStillUntilThePlayerGoesOn) {
    Peli* screen = startGame(1, 3);
    random.roll(5, 11); // a nibble at 5 s
    random.roll(2, 3);
    advance(5100);
    ASSERT_TRUE(nibbleSize() == NibbleSize::Medium);
    const int frame = sprite("mies")->currentFrame();
    const QString clockShown = control<QLabel>("peli", "Label7")->text();
    players.clear();

    QTest::keyClick(screen, Qt::Key_P);
    settle();
    EXPECT_TRUE(game().paused());
    EXPECT_TRUE(notice(screen)->isVisible());
    EXPECT_EQ(buttons(), "-----");
    EXPECT_TRUE(button("Command6")->isEnabled());
    advance(60 * 1000 + 130); // not a whole number of the animation's runs
    EXPECT_EQ(control<QLabel>("peli", "Label7")->text(), clockShown);
    EXPECT_EQ(sprite("mies")->currentFrame(), frame) << "the angler's animation stands still";
    EXPECT_TRUE(nibbleSize() == NibbleSize::Medium);
    EXPECT_EQ(players.of("peli"), QStringList{"Pause"});
    // Keys and clicks reach nothing meanwhile.
    QTest::keyClick(screen, Qt::Key_Space);
    EXPECT_TRUE(game().lineInWater());

    // A click on the notice goes on; the fish is still there to be struck.
    QTest::mouseClick(notice(screen), Qt::LeftButton);
    settle();
    EXPECT_FALSE(game().paused());
    EXPECT_FALSE(notice(screen)->isVisible());
    EXPECT_EQ(players.of("peli"), QStringList({"Pause", "Resume"}));
    EXPECT_EQ(buttons(), "--ee-");
    bites::fishOf(random, 900);
    click("peli", "Command4");
    advance(500);
    EXPECT_EQ(catchLines(), QStringList{"hauki = 900g"});
}

TEST_F(Pause, LopetaWorksWhilePaused) {
    Peli* screen = startGame();
    QTest::keyClick(screen, Qt::Key_Escape);
    settle();
    ASSERT_TRUE(game().paused());
    ASSERT_TRUE(click("peli", "Command6"));
    EXPECT_EQ(forms.loadedNames(), QStringList{"menu"});
}

TEST_F(Pause, LeavingOrMinimisingTheWindowPausesUntilThePlayerGoesOn) {
    Peli* screen = startGame();
    screen->activateWindow();
    advance(5000);
    settle();
    ASSERT_FALSE(game().paused());

    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QApplication::setActiveWindow(&elsewhere);
    settle();
    EXPECT_TRUE(game().paused());
    // Coming back is not enough: the player says when to go on.
    QApplication::setActiveWindow(screen);
    settle();
    EXPECT_TRUE(game().paused());
    QTest::keyClick(screen, Qt::Key_P);
    settle();
    EXPECT_FALSE(game().paused());

    screen->showMinimized();
    settle();
    EXPECT_TRUE(game().paused());
}

TEST_F(PauseOnTheWay, WindowsReplacingEachOtherNeverPauseTheGame) {
    ASSERT_TRUE(startGame(2));
    settle();
    EXPECT_FALSE(game().paused());
    advance(179 * 1000);
    EXPECT_FALSE(game().paused());
    advance(1000);
    EXPECT_EQ(forms.loadedNames(), QStringList{"loppu"});
}

// The second click of a double-click on "Aloita" lands beside the new game
// window and takes the focus from it at once: the game plays on. Leaving it
// once it has settled, and minimising it at any time, pause it.
TEST_F(Pause, AStrayClickAsTheGameOpensDoesNotPauseIt) {
    Peli* screen = startGame();
    QWidget elsewhere;
    elsewhere.show();
    advance(900);
    QApplication::setActiveWindow(&elsewhere);
    settle();
    EXPECT_FALSE(game().paused());
    advance(4100);
    EXPECT_EQ(game().elapsedSeconds(), 5);

    QApplication::setActiveWindow(screen);
    settle();
    QApplication::setActiveWindow(&elsewhere);
    settle();
    EXPECT_TRUE(game().paused());

    forms.unload(QStringLiteral("peli"));
    settle();
    screen = startGame();
    screen->showMinimized();
    settle();
    EXPECT_TRUE(game().paused());
}

// Coming back to a paused game (from the help window, left open beside it)
// sounds nothing; going on resumes the music where it stopped.
TEST_F(Pause, ComingBackToAPausedGameKeepsItSilentUntilThePlayerGoesOn) {
    Peli* screen = startGame();
    advance(5000);
    forms.show(QStringLiteral("ohje"));
    QApplication::setActiveWindow(window("ohje"));
    settle();
    ASSERT_TRUE(game().paused());
    players.clear();

    screen->activateWindow();
    QApplication::setActiveWindow(screen);
    settle();
    ASSERT_EQ(forms.active(), screen);
    EXPECT_TRUE(game().paused());
    EXPECT_EQ(players.of("peli"), QStringList());

    QTest::keyClick(screen, Qt::Key_P);
    settle();
    EXPECT_EQ(players.of("peli"), QStringList{"Resume"});
}
