#include "support/world.h"

#include "platform/look.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

namespace {

class MenuTest : public World {
protected:
    void SetUp() override {
        forms.show(QStringLiteral("menu"));
        settle();
    }

    QStringList activationCalls() const {
        return {QStringLiteral("Stop"), QStringLiteral("Init(44100)"),
                QStringLiteral("LoadMusic(%1)").arg(path(QStringLiteral("\\data\\music2.mp3"))),
                QStringLiteral("PlayMusic(True)")};
    }

    Label* item(const char* name) const { return control<Label>("menu", name); }

    // The four items' colours in the order Pelaa, Tekijät, Ohje, Poistu, as
    // Y (yellow), R (red) or ? (anything else).
    std::string itemColours() const {
        std::string colours;
        for (const char* name : {"Label2", "Label3", "Label6", "Label5"}) {
            const QColor colour = item(name)->textColor();
            colours += colour == look::yellow ? 'Y' : colour == look::red ? 'R' : '?';
        }
        return colours;
    }

    // A real mouse move at a point of the menu, delivered by Qt to whatever
    // control lies under it, as a player's mouse would be.
    void moveMouse(QPoint at) {
        QTest::mouseMove(window("menu")->windowHandle(), at);
        settle();
    }
};

} // namespace

TEST_F(MenuTest, ActivationRestartsTheMenuMusicInOrderAndClosesTheGame) {
    EXPECT_EQ(players.of("menu"), QStringList{"created"} + activationCalls());

    // Coming back from a game: the game screen goes as the menu activates.
    forms.unload("menu");
    settle();
    forms.show("peli");
    ASSERT_NE(window("peli"), nullptr);
    players.clear();
    forms.show("menu");
    settle();
    EXPECT_EQ(window("peli"), nullptr);
    EXPECT_EQ(players.of("menu"), QStringList{"created"} + activationCalls());
    EXPECT_EQ(players.of("peli").value(players.of("peli").size() - 1), "destroyed");
}

TEST_F(MenuTest, ItemsTurnRedUnderTheMouseAndYellowOverTheBackground) {
    EXPECT_EQ(itemColours(), "YYYY");

    // Straight down from "Pelaa" to "Tekijät" through the 7-pixel strip.
    moveMouse({90, 120});
    EXPECT_EQ(itemColours(), "RYYY");
    moveMouse({90, 136}); // Pelaa's last row
    EXPECT_EQ(itemColours(), "RYYY");
    moveMouse({90, 137}); // the strip
    EXPECT_EQ(itemColours(), "YYYY");
    moveMouse({90, 143});
    EXPECT_EQ(itemColours(), "YYYY");
    moveMouse({90, 144}); // Tekijät's first row
    EXPECT_EQ(itemColours(), "YRYY");

    // From one item to another without touching the background: one item is
    // lit at a time, never two.
    hover("menu", "Label5");
    EXPECT_EQ(itemColours(), "YYYR");

    // Leaving the window over an item's edge changes nothing.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(item("Label5"), &leave);
    QApplication::sendEvent(window("menu"), &leave);
    settle();
    EXPECT_EQ(itemColours(), "YYYR");

    // The title, the task text and the icon are not background, and the
    // background never touches the title or the task text.
    moveMouse({150, 40});
    moveMouse({240, 150});
    moveMouse({40, 40});
    EXPECT_EQ(itemColours(), "YYYR");
    EXPECT_EQ(control<Label>("menu", "Label1")->textColor(), look::cyan);
    EXPECT_EQ(control<Label>("menu", "Label4")->textColor(), look::cyan);

    moveMouse({5, 100}); // between the rule and "Pelaa"
    EXPECT_EQ(itemColours(), "YYYY");
    EXPECT_EQ(control<Label>("menu", "Label1")->textColor(), look::cyan);
    EXPECT_EQ(control<Label>("menu", "Label4")->textColor(), look::cyan);
}

TEST_F(MenuTest, PoistuLeavesTheHelpOpenAndTheProgramRunningUntilHelpCloses) {
    QSignalSpy lastClosed(&forms, &Forms::lastWindowClosed);
    click("menu", "Label6");
    click("menu", "Label3");
    forms.show("peli");
    ASSERT_NE(window("ohje"), nullptr);
    ASSERT_NE(window("credits"), nullptr);

    click("menu", "Label5");
    EXPECT_EQ(window("menu"), nullptr);
    EXPECT_EQ(window("credits"), nullptr);
    EXPECT_EQ(window("peli"), nullptr);
    EXPECT_NE(window("ohje"), nullptr);
    EXPECT_EQ(lastClosed.count(), 0);
    EXPECT_EQ(players.of("menu").last(), "destroyed");

    click("ohje", "Command1");
    EXPECT_EQ(forms.loadedNames(), QStringList{});
    EXPECT_EQ(lastClosed.count(), 1);
}

TEST_F(MenuTest, PoistuAloneEndsTheProgram) {
    QSignalSpy lastClosed(&forms, &Forms::lastWindowClosed);
    click("menu", "Label5");
    EXPECT_EQ(forms.loadedNames(), QStringList{});
    EXPECT_EQ(lastClosed.count(), 1);
}

TEST_F(MenuTest, PelaaStopsTheMusicOpensSetupAndClosesCreditsButNotHelp) {
    click("menu", "Label3");
    click("menu", "Label6");
    players.clear();

    click("menu", "Label2");
    EXPECT_EQ(forms.loadedNames(), (QStringList{"aloita", "ohje"}));
    EXPECT_EQ(players.of("menu"), (QStringList{"Stop", "destroyed"}));
    EXPECT_EQ(forms.active(), window("aloita"));
}

TEST_F(MenuTest, EveryControlSitsInItsBoxWithItsTextAndColour) {
    Form* menu = window("menu");
    EXPECT_EQ(menu->windowTitle(), "Norppala");
    EXPECT_EQ(menu->size(), QSize(299, 261));

    struct Row {
        const char* name;
        QRect box;
        const char* text;
        QColor colour;
        int pixels; // font size
        Qt::Alignment align;
    };
    const Qt::Alignment centred = Qt::AlignHCenter;
    const Row rows[] = {
        {"Label1",
         {88, 16, 209, 65},
         "Tervetuloa pelaamaan Norppala:stä!",
         look::cyan,
         19,
         Qt::AlignLeft},
        {"Label2", {0, 104, 185, 33}, "Pelaa", look::yellow, 27, centred},
        {"Label3", {0, 144, 185, 33}, "Tekijät", look::yellow, 27, centred},
        {"Label6", {0, 184, 185, 33}, "Ohje", look::yellow, 27, centred},
        {"Label5", {0, 224, 185, 33}, "Poistu", look::yellow, 27, centred},
        {"Label4",
         {200, 104, 81, 105},
         "Tehtävänäsi on saada mahdollisimman paljon isoja kaloja 3 minuutin aikana.",
         look::cyan,
         11,
         centred},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Label* label = control<Label>("menu", row.name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->geometry(), row.box);
        EXPECT_EQ(label->text(), QString::fromUtf8(row.text));
        EXPECT_EQ(label->textColor(), row.colour);
        EXPECT_EQ(label->font().pixelSize(), row.pixels);
        EXPECT_FALSE(label->font().bold());
        EXPECT_TRUE(label->isTransparent());
        EXPECT_TRUE(label->wordWrap());
        EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, row.align);
    }

    auto* image = control<QLabel>("menu", "Image1");
    EXPECT_EQ(image->geometry(), QRect(16, 16, 68, 68));
    EXPECT_FALSE(image->pixmap().isNull());
    EXPECT_TRUE(image->hasScaledContents());

    auto* line1 = control<Line>("menu", "Line1");
    EXPECT_EQ(line1->from(), QPoint(0, 96));
    EXPECT_EQ(line1->to(), QPoint(296, 96));
    auto* line2 = control<Line>("menu", "Line2");
    EXPECT_EQ(line2->from(), QPoint(184, 264));
    EXPECT_EQ(line2->to(), QPoint(184, 96));
}

// A click on an item is a press and a release of the left button, both on the
// item, as with a button: the press alone does nothing, sliding off before the
// release takes the click back, and the second click of a double-click on
// "Pelaa" finds the menu gone and opens nothing more.
TEST_F(MenuTest, AnItemActsWhenTheButtonIsLetGoOverIt) {
    const QPoint inside(5, 5);
    Label* tekijat = item("Label3");
    QTest::mousePress(tekijat, Qt::LeftButton, {}, inside);
    settle();
    EXPECT_EQ(window("credits"), nullptr) << "acted on the press";
    QTest::mouseRelease(tekijat, Qt::LeftButton, {}, inside);
    settle();
    EXPECT_NE(window("credits"), nullptr);

    // Slid off: the item that took the press hears the release outside itself.
    Label* ohje = item("Label6");
    QTest::mousePress(ohje, Qt::LeftButton, {}, inside);
    QTest::mouseMove(ohje, QPoint(5, -10));
    QTest::mouseRelease(ohje, Qt::LeftButton, {}, QPoint(5, -10));
    settle();
    EXPECT_EQ(window("ohje"), nullptr);
    // Nor is a release without a press, or the right button, a click.
    QTest::mouseRelease(ohje, Qt::LeftButton, {}, inside);
    QTest::mouseClick(ohje, Qt::RightButton, {}, inside);
    settle();
    EXPECT_EQ(window("ohje"), nullptr);

    // A double-click, as the platform delivers it: press, release, double-click, release.
    players.clear();
    Label* pelaa = item("Label2");
    QTest::mousePress(pelaa, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(pelaa, Qt::LeftButton, {}, inside);
    QTest::mouseDClick(pelaa, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(pelaa, Qt::LeftButton, {}, inside);
    settle();
    EXPECT_EQ(forms.loadedNames(), QStringList{"aloita"});
    EXPECT_EQ(players.of("menu"), (QStringList{"Stop", "destroyed"}));
    EXPECT_EQ(forms.active(), window("aloita"));
}
