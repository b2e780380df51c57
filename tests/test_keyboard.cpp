#include "platform/look.h"
#include "test_game_world.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

namespace {

class GameKeys : public GameWorld {
protected:
    // A key as the keyboard delivers it: to the control with the focus, or to
    // the window when no control has it.
    void press(Qt::Key key, QWidget* to = nullptr) {
        if (!to) {
            to = peli()->focusWidget() ? peli()->focusWidget() : peli();
        }
        QTest::keyClick(to, key);
        settle();
    }
    // A key held down long enough to repeat.
    void repeat(Qt::Key key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(peli(), &event);
        settle();
    }
};

class MenuKeys : public World {
protected:
    void SetUp() override {
        forms.show(QStringLiteral("menu"));
        settle();
    }
    // A key as the keyboard delivers it: to the item with the focus, or to
    // the window when none has it.
    void press(Qt::Key key) {
        QWidget* menu = window("menu");
        QTest::keyClick(menu->focusWidget() ? menu->focusWidget() : menu, key);
        settle();
    }
    QString focused() const {
        const QWidget* at = window("menu")->focusWidget();
        return at ? at->objectName() : QStringLiteral("(none)");
    }
    // Pelaa, Tekijät, Ohje, Poistu as Y (yellow), R (red) or ? (anything else).
    std::string colours() const {
        std::string result;
        for (const char* name : {"Label2", "Label3", "Label6", "Label5"}) {
            const QColor colour = control<Label>("menu", name)->textColor();
            result += colour == look::yellow ? 'Y' : colour == look::red ? 'R' : '?';
        }
        return result;
    }
};

} // namespace

TEST_F(GameKeys, KeysPlayTheBoatTheLineTheTapAndTheWormOnlyWhenTheirButtonsCould) {
    startGame(1, 3);
    // The line starts in the water: the boat cannot move and the worm cannot change.
    press(Qt::Key_Down);
    press(Qt::Key_V);
    EXPECT_EQ(sprite("vene")->top(), 16);
    EXPECT_EQ(game().boatPlace(), 0);
    EXPECT_FALSE((game().rod() == Rod::ChangingWorm));

    press(Qt::Key_N);
    EXPECT_EQ(game().bitePeriod(), 4900);
    EXPECT_EQ(shown("mies"), path("\\data\\mies_napautus.gif"));

    press(Qt::Key_Space);
    EXPECT_FALSE(game().lineInWater());
    EXPECT_EQ(button("Command4")->text(), "Laske!");
    EXPECT_EQ(buttons(), "ee-ee");
    // A lifted line cannot be tapped.
    press(Qt::Key_N);
    EXPECT_EQ(game().bitePeriod(), 4900);

    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(sprite("vene")->top(), 56);
    EXPECT_EQ(sprite("mies")->top(), 40);
    EXPECT_EQ(game().boatPlace(), 2);
    press(Qt::Key_Up);
    EXPECT_EQ(sprite("vene")->top(), 36);
    EXPECT_EQ(game().boatPlace(), 1);

    press(Qt::Key_V);
    EXPECT_EQ(buttons(), "-----");
    EXPECT_TRUE((game().rod() == Rod::ChangingWorm));
    // While the worm is changed every game key is dead.
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Space, Qt::Key_N, Qt::Key_V}) {
        press(key);
    }
    EXPECT_EQ(sprite("vene")->top(), 36);
    EXPECT_FALSE(game().lineInWater());
    advance(5000);
    EXPECT_EQ(buttons(), "ee-ee");
    EXPECT_EQ(shown("mato"), path("\\data\\koho3.gif"));

    press(Qt::Key_Space);
    EXPECT_TRUE(game().lineInWater());
    EXPECT_EQ(button("Command4")->text(), "Nosta!");
    EXPECT_EQ(buttons(), "--ee-");
}

TEST_F(GameKeys, SpaceLiftsOnceAndArrowsRowWhicheverControlHasTheFocus) {
    startGame(1, 3);
    bool inWater = game().lineInWater();
    for (const char* name : {"Command3", "Command4", "List1", "Command6"}) {
        SCOPED_TRACE(name);
        QWidget* focused = control<QWidget>("peli", name);
        if (!focused->isEnabled()) {
            // Näpäytä is off while the line is up: lower it first.
            press(Qt::Key_Space, peli());
            inWater = game().lineInWater();
        }
        focused->setFocus();
        const int period = game().bitePeriod();
        press(Qt::Key_Space, focused);
        ASSERT_NE(peli(), nullptr) << "space must never quit";
        EXPECT_EQ(game().lineInWater(), !inWater);
        EXPECT_EQ(game().bitePeriod(), period) << "space must not tap the rod";
        inWater = game().lineInWater();
    }

    if (game().lineInWater()) {
        press(Qt::Key_Space, peli());
    }
    QWidget* lift = button("Command4");
    lift->setFocus();
    press(Qt::Key_Down, lift);
    press(Qt::Key_Down, lift);
    EXPECT_EQ(game().boatPlace(), 2);
    EXPECT_EQ(peli()->focusWidget(), lift);
}

TEST_F(GameKeys, HeldArrowsKeepRowingButAHeldSpaceOrTapActsOnce) {
    startGame(1, 3);
    press(Qt::Key_Space);
    ASSERT_FALSE(game().lineInWater());
    repeat(Qt::Key_Down);
    repeat(Qt::Key_Down);
    EXPECT_EQ(game().boatPlace(), 2);
    repeat(Qt::Key_Space);
    EXPECT_FALSE(game().lineInWater());
    press(Qt::Key_Space);
    const int period = game().bitePeriod();
    repeat(Qt::Key_N);
    EXPECT_EQ(game().bitePeriod(), period);
}

TEST_F(GameKeys, LopetaHasNoKey) {
    startGame();
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_L, Qt::Key_Q, Qt::Key_Return, Qt::Key_Enter}) {
        press(key, peli());
    }
    // Nor is a key the keyboard could not name (a media key, a dead key).
    QKeyEvent unnamed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier);
    QApplication::sendEvent(peli(), &unnamed);
    settle();
    EXPECT_NE(peli(), nullptr);
    EXPECT_EQ(window("menu"), nullptr);
}

TEST_F(MenuKeys, ArrowsLightOneItemAtATimeAndWrapRound) {
    EXPECT_EQ(colours(), "YYYY");
    // Enter with nothing lit chooses nothing.
    press(Qt::Key_Return);
    EXPECT_EQ(window("aloita"), nullptr);
    EXPECT_NE(window("menu"), nullptr);

    press(Qt::Key_Down);
    EXPECT_EQ(colours(), "RYYY");
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(colours(), "YYRY");
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(colours(), "RYYY");
    press(Qt::Key_Up);
    EXPECT_EQ(colours(), "YYYR");

    // The mouse and the keys share one highlight.
    hover("menu", "Label3");
    press(Qt::Key_Down);
    EXPECT_EQ(colours(), "YYRY");
}

// The focus goes with the light, so a screen reader says each item reached;
// the mouse lights items without taking the focus.
TEST_F(MenuKeys, ArrowsAndTabCarryTheFocusWithTheLight) {
    EXPECT_EQ(focused(), "menu");
    press(Qt::Key_Down);
    EXPECT_EQ(focused(), "Label2");
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), "Label3");
    EXPECT_EQ(colours(), "YRYY");
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    EXPECT_EQ(focused(), "Label5");
    EXPECT_EQ(colours(), "YYYR");
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(focused(), "Label3");

    // The mouse lights another item, and the focus stays; Space presses the
    // item with the focus.
    hover("menu", "Label6");
    EXPECT_EQ(colours(), "YYRY");
    EXPECT_EQ(focused(), "Label3");
    press(Qt::Key_Space);
    EXPECT_NE(window("credits"), nullptr);
    EXPECT_EQ(window("ohje"), nullptr);
}

TEST_F(MenuKeys, EnterChoosesTheLitItemAsAClickWould) {
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_Enter);
    EXPECT_NE(window("credits"), nullptr);
    EXPECT_NE(window("menu"), nullptr);

    forms.show("menu");
    settle();
    press(Qt::Key_Up);
    ASSERT_EQ(colours(), "RYYY");
    players.clear();
    press(Qt::Key_Return);
    EXPECT_NE(window("aloita"), nullptr);
    EXPECT_EQ(window("menu"), nullptr);
    EXPECT_EQ(window("credits"), nullptr);
    EXPECT_TRUE(players.of("menu").startsWith("Stop"));
}

namespace {

class ButtonKeys : public World {
protected:
    // Gives the button the focus and presses the key on it, as the keyboard would.
    void pressOn(const QString& windowName, const QString& name, Qt::Key key,
                 bool autoRepeat = false) {
        auto* button = control<QPushButton>(windowName, name);
        ASSERT_NE(button, nullptr);
        button->setFocus();
        QKeyEvent press(QEvent::KeyPress, key,
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier, QString(),
                        autoRepeat);
        QApplication::sendEvent(button, &press);
        QKeyEvent release(QEvent::KeyRelease, key, press.modifiers(), QString(), autoRepeat);
        QApplication::sendEvent(button, &release);
        settle();
    }
};

} // namespace

// Return, and Enter on the number pad, click the button that has the focus in
// every window, as Space does; held down, they click once.
TEST_F(ButtonKeys, ReturnAndEnterClickTheFocusedButtonInEveryWindow) {
    forms.show("credits");
    settle();
    pressOn("credits", "Command1", Qt::Key_Return);
    EXPECT_EQ(window("credits"), nullptr);
    forms.show("ohje");
    settle();
    pressOn("ohje", "Command1", Qt::Key_Enter);
    EXPECT_EQ(window("ohje"), nullptr);

    forms.show("aloita");
    settle();
    pressOn("aloita", "Command1", Qt::Key_Return);
    EXPECT_EQ(dialogs.messages, QStringList{"Norppala|Valitse ensin kartta listasta."});

    state.spot_choice = 1;
    state.map_name = "saari";
    pressOn("aloita", "Command1", Qt::Key_Enter);
    ASSERT_TRUE(forms.isLoaded("peli"));
    pressOn("peli", "Command3", Qt::Key_Return);
    EXPECT_EQ(control<Timer>("peli", "Timer1")->interval(), 4900);
    pressOn("peli", "Command3", Qt::Key_Return, true);
    EXPECT_EQ(control<Timer>("peli", "Timer1")->interval(), 4900) << "a held key clicked again";
    pressOn("peli", "Command6", Qt::Key_Enter);
    EXPECT_EQ(forms.loadedNames(), QStringList{"menu"});

    forms.show("loppu");
    settle();
    dialogs.answers.push_back(QString());
    pressOn("loppu", "Command2", Qt::Key_Return);
    EXPECT_EQ(dialogs.questions, QStringList{"Norppala|Kuka olet?"});
    pressOn("loppu", "Command1", Qt::Key_Enter);
    EXPECT_EQ(forms.loadedNames(), QStringList{"menu"});
}

// After help or credits, the item last used and the one under the mouse are
// never lit together, and Enter chooses the one that is lit.
TEST_F(MenuKeys, MouseAndKeysShareOneHighlightAfterAnInfoWindow) {
    hover("menu", "Label6");
    EXPECT_EQ(colours(), "YYRY");
    click("menu", "Label6");
    ASSERT_NE(window("ohje"), nullptr);
    // The mouse left over the item's edge to the help window, and "Pois" closes it.
    click("ohje", "Command1");
    EXPECT_EQ(colours(), "YYRY");
    hover("menu", "Label3");
    EXPECT_EQ(colours(), "YRYY");
    press(Qt::Key_Return);
    EXPECT_NE(window("credits"), nullptr);
    EXPECT_EQ(window("ohje"), nullptr);

    click("credits", "Command1");
    press(Qt::Key_Down);
    EXPECT_EQ(colours(), "YYRY");
    hover("menu", "Label5");
    EXPECT_EQ(colours(), "YYYR");
}
