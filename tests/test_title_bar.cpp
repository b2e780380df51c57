#include "platform/look.h"
#include "platform/titlebar.h"
#include "test_game_world.h"

#include <QAbstractButton>
#include <QTest>

// Under Wayland the toolkit draws the title bar itself (unless the compositor
// does), and its bar offers to maximise a window that cannot grow. There each
// window draws its own bar instead: here it is asked for on the headless
// platform, which has none of its own.
class OwnTitleBars : public GameWorld {
protected:
    OwnTitleBars() { forms.setOwnTitleBars(true); }
};

TEST_F(OwnTitleBars, EveryWindowHasCaptionMinimiseAndCloseAboveItsWholeClientArea) {
    // What each window shows without a bar of its own, and then with one.
    auto shown = [this](const QString& name, bool ownBar) {
        forms.setOwnTitleBars(ownBar);
        forms.show(name);
        settle();
        Form* form = window(name);
        const int top = ownBar ? TitleBar::kHeight : 0;
        const QImage image =
            form->grab(QRect(0, top, form->width(), form->height() - top)).toImage();
        const QString focused = form->focusWidget() ? form->focusWidget()->objectName() : "";
        forms.unload(name);
        settle();
        return std::pair{image, focused};
    };
    for (const char* name : {"menu", "credits", "ohje", "aloita", "peli", "loppu", "ennatykset"}) {
        SCOPED_TRACE(name);
        const QString windowName = QString::fromLatin1(name);
        const auto [plain, focused] = shown(windowName, false);
        // The client area below the bar is the same, picture and controls
        // alike, and the same control has the focus.
        const auto [withBar, focusedWithBar] = shown(windowName, true);
        EXPECT_EQ(withBar, plain);
        EXPECT_EQ(focusedWithBar, focused);

        forms.setOwnTitleBars(true);
        Form* form = forms.get(windowName);
        ASSERT_NE(form, nullptr);
        TitleBar* bar = form->titleBar();
        ASSERT_NE(bar, nullptr);
        // The toolkit draws no frame: the window's own bar is the only one.
        EXPECT_TRUE(form->windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_EQ(form->minimumSize(), form->maximumSize());
        EXPECT_EQ(form->size(), plain.size() + QSize(0, TitleBar::kHeight));
        QStringList buttons;
        for (const QAbstractButton* button : bar->findChildren<QAbstractButton*>()) {
            buttons << button->objectName();
            EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
        }
        EXPECT_EQ(buttons, (QStringList{"minimise", "close"}));
        EXPECT_EQ(bar->geometry(), QRect(0, 0, form->width(), TitleBar::kHeight));
        forms.show(windowName);
        settle();
        forms.unload(windowName);
        settle();
    }
}

TEST_F(OwnTitleBars, CloseAndMinimiseDoWhatTheWindowSystemsButtonsDo) {
    forms.show(QStringLiteral("menu"));
    forms.show(QStringLiteral("credits"));
    settle();
    players.clear();
    QTest::mouseClick(window("credits")->titleBar()->closeButton(), Qt::LeftButton);
    settle();
    EXPECT_EQ(window("credits"), nullptr);
    EXPECT_EQ(forms.active(), window("menu"));
    EXPECT_EQ(players.of("menu").count("PlayMusic(True)"), 1);

    // Minimising the game pauses it; its pictures and notices stay as they were.
    Peli* screen = startGame();
    advance(5000);
    EXPECT_FALSE(control("peli", "tauko")->isVisible());
    EXPECT_FALSE(sprite("kala")->isVisible());
    EXPECT_TRUE(sprite("mies")->isVisible());
    QTest::mouseClick(screen->titleBar()->minimiseButton(), Qt::LeftButton);
    settle();
    EXPECT_TRUE(screen->isMinimized());
    EXPECT_TRUE(game().paused());
    screen->showNormal();
    settle();
    EXPECT_TRUE(control("peli", "tauko")->isVisible());
    ASSERT_TRUE(click("peli", "Command6"));
    EXPECT_EQ(forms.loadedNames(), QStringList{"menu"});
}

TEST_F(OwnTitleBars, ClicksAndTheMouseFindTheControlsWhereTheyAre) {
    forms.show(QStringLiteral("menu"));
    settle();
    hover("menu", "Label3");
    EXPECT_EQ(control<Label>("menu", "Label3")->textColor(), look::red);
    // The bare background under the bar puts the items back to yellow.
    hover("menu", QString(), QPoint(100, TitleBar::kHeight + 5));
    EXPECT_EQ(control<Label>("menu", "Label3")->textColor(), look::yellow);

    // A map places its spot markers where a click finds them.
    click("menu", "Label2");
    ASSERT_TRUE(clickItem("aloita", "File1", QStringLiteral("Pitkajarvi.ars")));
    ASSERT_TRUE(click("aloita", "paikka2"));
    EXPECT_EQ(state.spot_choice, 2);
}
