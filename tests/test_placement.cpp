#include "platform/placement.h"
#include "support/world.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <tuple>

namespace {

class Placement : public World {
protected:
    QRect area() const { return QGuiApplication::primaryScreen()->availableGeometry(); }

    // Moves a window's client centre to `offset` from the screen's centre (the
    // platform may keep it off the very edge) and returns its client area.
    QRect moveTo(const QString& name, QPoint offset) {
        Form* form = window(name);
        if (!form) {
            ADD_FAILURE() << name.toStdString() << " is not open";
            return {};
        }
        form->move(form->pos() + area().center() + offset - form->geometry().center());
        settle();
        return form->geometry();
    }

    // `next` is on screen and inside it, centred over `replaced` to the half
    // pixel that an odd difference of sizes leaves over.
    void expectOver(const QString& next, const QRect& replaced) {
        SCOPED_TRACE(next.toStdString());
        Form* form = window(next);
        ASSERT_TRUE(form && form->isVisible());
        const QRect opened = form->geometry();
        const QPoint twiceOff = opened.topLeft() * 2 + QPoint(opened.width(), opened.height()) -
                                replaced.topLeft() * 2 -
                                QPoint(replaced.width(), replaced.height());
        EXPECT_LE(std::abs(twiceOff.x()), 1) << opened.left() << " over " << replaced.left();
        EXPECT_LE(std::abs(twiceOff.y()), 1) << opened.top() << " over " << replaced.top();
        EXPECT_TRUE(area().contains(form->frameGeometry()));
    }

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
    EXPECT_EQ(window("menu")->geometry().center(), area().center()) << "the first: mid-screen";

    QRect was = moveTo("menu", {-37, 21});
    ASSERT_TRUE(click("menu", "Label2")); // "Pelaa"
    expectOver("aloita", was);
    was = moveTo("aloita", {45, -13});
    startGame();
    expectOver("peli", was);
    // The results open as the game screen closes.
    was = moveTo("peli", {-20, 9});
    advance(180 * 1000);
    expectOver("loppu", was);
    was = moveTo("loppu", {31, 27});
    ASSERT_TRUE(click("loppu", "Command3")); // "Ennätykset"
    expectOver("ennatykset", was);
    ASSERT_TRUE(click("ennatykset", "Command1"));
    settle();
    ASSERT_TRUE(click("loppu", "Command1")); // "OK"
    expectOver("menu", was);

    was = moveTo("menu", {-11, -40});
    QTest::keyClick(window("menu"), Qt::Key_E);
    expectOver("ennatykset", was);
    ASSERT_TRUE(click("ennatykset", "Command1"));
    settle();
    // A game left with "Lopeta" hands back to the menu in the game's place.
    ASSERT_TRUE(click("menu", "Label2"));
    startGame();
    was = moveTo("peli", {50, 40});
    ASSERT_TRUE(click("peli", "Command6")); // "Lopeta"
    settle();
    expectOver("menu", was);
}

// Credits and help open over the menu wherever it has gone since, and open
// whole, as near it as the screen allows, when the menu is half off the screen.
TEST_F(Placement, InfoWindowsFollowTheMenuAndStayOnScreen) {
    forms.show("menu");
    settle();
    const std::tuple<const char*, const char*, QPoint> infos[] = {
        {"Label6", "ohje", {60, 50}}, {"Label3", "credits", {-70, -30}}};
    for (const auto& [item, name, offset] : infos) {
        const QRect was = moveTo("menu", offset);
        ASSERT_TRUE(click("menu", item));
        expectOver(name, was);
        ASSERT_TRUE(click(name, "Command1")); // "Pois"
        settle();
    }
    const QRect half = area().adjusted(0, 0, -1, -1);
    for (const QPoint corner : {half.bottomRight(), half.topLeft(), half.topRight()}) {
        SCOPED_TRACE(corner.x());
        moveTo("menu", corner - area().center());
        ASSERT_TRUE(click("menu", "Label6"));
        const QRect frame = window("ohje")->frameGeometry();
        EXPECT_TRUE(area().contains(frame));
        EXPECT_TRUE(frame.left() == area().left() || frame.right() == area().right());
        EXPECT_TRUE(frame.top() == area().top() || frame.bottom() == area().bottom());
        ASSERT_TRUE(click("ohje", "Command1"));
        settle();
    }
}

// The rule itself, with a frame, on a screen not at the origin, and for a
// window bigger than the screen.
TEST(PlacementRule, FrameStaysInsideTheScreenAndATooBigWindowKeepsItsTitleBar) {
    const QRect screen(100, 50, 800, 600);
    const QMargins frame(4, 24, 4, 4);
    const QSize size(300, 200);
    const QPoint titleBarInView = screen.topLeft() + QPoint(frame.left(), frame.top());
    EXPECT_EQ(placement::centredOver({400, 300, 100, 100}, size, frame, screen), QPoint(300, 250));
    const QPoint low = placement::centredOver({850, 600, 100, 100}, size, frame, screen);
    EXPECT_EQ(low + QPoint(size.width() + frame.right(), size.height() + frame.bottom()),
              QPoint(screen.left() + screen.width(), screen.top() + screen.height()));
    EXPECT_EQ(placement::centredOver({0, 0, 10, 10}, size, frame, screen), titleBarInView);
    EXPECT_EQ(placement::centredOver({400, 300, 100, 100}, {1600, 1400}, frame, screen),
              titleBarInView);
}
