#include "platform/placement.h"
#include "support/world.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class Placement : public World {
protected:
    QRect screenArea() const { return QGuiApplication::primaryScreen()->availableGeometry(); }

    // Moves a window so that its client area's centre is at `centre`.
    void centreAt(const QString& name, QPoint centre) {
        Form* form = window(name);
        ASSERT_NE(form, nullptr) << name.toStdString();
        const QRect client = form->geometry();
        form->move(form->pos() + centre - client.center());
        settle();
        ASSERT_EQ(form->geometry().center(), centre) << name.toStdString();
    }

    // The window `next` is on screen, centred over where `replaced` was
    // (whole pixels: an odd difference of sizes leaves half a pixel over).
    void expectOver(const QString& next, const QRect& replaced) {
        SCOPED_TRACE(next.toStdString());
        Form* form = window(next);
        ASSERT_NE(form, nullptr);
        EXPECT_TRUE(form->isVisible());
        const QRect opened = form->geometry();
        EXPECT_LE(
            std::abs(2 * opened.left() + opened.width() - 2 * replaced.left() - replaced.width()),
            1)
            << opened.left() << " over " << replaced.left();
        EXPECT_LE(
            std::abs(2 * opened.top() + opened.height() - 2 * replaced.top() - replaced.height()),
            1)
            << opened.top() << " over " << replaced.top();
        EXPECT_TRUE(screenArea().contains(form->frameGeometry()));
    }

    QRect placeOf(const QString& name) const { return window(name)->geometry(); }

    void startGame() {
        ASSERT_TRUE(clickItem("aloita", "File1", "Pitkajarvi.ars"));
        ASSERT_TRUE(click("aloita", "paikka2"));
        ASSERT_TRUE(click("aloita", "Command1")); // "Aloita"
    }
};

} // namespace

// Each window opens where the one it takes over from stood, wherever the
// player has moved that one, through a whole round of the game and back.
TEST_F(Placement, EveryWindowOpensCentredOverTheOneItReplaces) {
    forms.show("menu");
    settle();
    EXPECT_EQ(placeOf("menu").center(), screenArea().center()) << "the first window: mid-screen";

    centreAt("menu", screenArea().center() + QPoint(-37, 21));
    QRect was = placeOf("menu");
    ASSERT_TRUE(click("menu", "Label2")); // "Pelaa"
    expectOver("aloita", was);

    centreAt("aloita", screenArea().center() + QPoint(45, -13));
    was = placeOf("aloita");
    startGame();
    ASSERT_TRUE(forms.isLoaded("peli"));
    expectOver("peli", was);

    // The results open as the game screen closes.
    centreAt("peli", screenArea().center() + QPoint(-20, 9));
    was = placeOf("peli");
    advance(180 * 1000);
    ASSERT_TRUE(forms.isLoaded("loppu"));
    expectOver("loppu", was);

    centreAt("loppu", screenArea().center() + QPoint(31, 27));
    was = placeOf("loppu");
    ASSERT_TRUE(click("loppu", "Command3")); // "Ennätykset"
    expectOver("ennatykset", was);
    ASSERT_TRUE(click("ennatykset", "Command1"));
    settle();

    ASSERT_TRUE(click("loppu", "Command1")); // "OK"
    expectOver("menu", was);

    centreAt("menu", screenArea().center() + QPoint(-11, -40));
    was = placeOf("menu");
    QTest::keyClick(window("menu"), Qt::Key_E);
    expectOver("ennatykset", was);
    ASSERT_TRUE(click("ennatykset", "Command1"));
    settle();

    // A game left with "Lopeta" hands back to the menu in the game's place.
    ASSERT_TRUE(click("menu", "Label2"));
    startGame();
    centreAt("peli", screenArea().center() + QPoint(50, 40));
    was = placeOf("peli");
    ASSERT_TRUE(click("peli", "Command6")); // "Lopeta"
    settle();
    expectOver("menu", was);
}

// Credits and help open over the menu wherever it has gone since, and stay
// on the screen when the menu is half off it.
TEST_F(Placement, InfoWindowsFollowTheMenuAndStayOnScreen) {
    forms.show("menu");
    settle();
    const QRect area = screenArea();
    centreAt("menu", area.center() + QPoint(60, 50));
    QRect was = placeOf("menu");
    ASSERT_TRUE(click("menu", "Label6")); // "Ohje"
    expectOver("ohje", was);
    ASSERT_TRUE(click("ohje", "Command1"));
    settle();

    centreAt("menu", area.center() - QPoint(70, 30));
    was = placeOf("menu");
    ASSERT_TRUE(click("menu", "Label3")); // "Tekijät"
    expectOver("credits", was);
    ASSERT_TRUE(click("credits", "Command1"));
    settle();

    // Pushed against each edge in turn, the help window still opens whole,
    // as near the menu as the screen allows.
    for (const QPoint corner : {area.bottomRight(), area.topLeft(), area.topRight()}) {
        SCOPED_TRACE(corner.x());
        // (This platform keeps a window's top edge on the screen itself.)
        Form* menu = window("menu");
        menu->move(menu->pos() + corner - menu->geometry().center());
        settle();
        ASSERT_TRUE(click("menu", "Label6"));
        Form* help = window("ohje");
        ASSERT_NE(help, nullptr);
        EXPECT_TRUE(area.contains(help->frameGeometry()));
        const QRect frame = help->frameGeometry();
        EXPECT_TRUE(frame.left() == area.left() || frame.right() == area.right());
        EXPECT_TRUE(frame.top() == area.top() || frame.bottom() == area.bottom());
        ASSERT_TRUE(click("ohje", "Command1"));
        settle();
    }
}

// The rule itself, with a frame and with a window bigger than the screen.
TEST(PlacementRule, FrameStaysInsideTheScreenAndATooBigWindowKeepsItsTitleBar) {
    const QRect screen(100, 50, 800, 600); // e.g. a second screen with a panel above
    const QMargins frame(4, 24, 4, 4);
    const QSize size(300, 200);
    // Room enough: the centres meet.
    EXPECT_EQ(placement::centredOver(QRect(400, 300, 100, 100), size, frame, screen),
              QPoint(300, 250));
    // Off the bottom right: the frame ends on the screen's edge.
    const QPoint low = placement::centredOver(QRect(850, 600, 100, 100), size, frame, screen);
    EXPECT_EQ(low + QPoint(size.width() + frame.right(), size.height() + frame.bottom()),
              screen.topLeft() + QPoint(screen.width(), screen.height()));
    // Off the top left: the title bar stays below the screen's top.
    EXPECT_EQ(placement::centredOver(QRect(0, 0, 10, 10), size, frame, screen),
              screen.topLeft() + QPoint(frame.left(), frame.top()));
    // Bigger than the screen both ways: its top-left corner is what shows.
    EXPECT_EQ(placement::centredOver(QRect(400, 300, 100, 100), QSize(1600, 1400), frame, screen),
              screen.topLeft() + QPoint(frame.left(), frame.top()));
}
