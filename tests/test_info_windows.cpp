#include "support/world.h"

#include "platform/kelmo.h"
#include "platform/look.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

namespace {

class InfoWindowsTest : public World {
protected:
    void SetUp() override {
        forms.show(QStringLiteral("menu"));
        settle();
        players.clear();
    }

    // How often the menu has started its music since the log was cleared.
    qsizetype menuMusicStarts() const { return players.of("menu").count("PlayMusic(True)"); }

    int openWindowsNamed(const QString& name) const {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == name && widget->isVisible()) {
                ++count;
            }
        }
        return count;
    }
};

struct LabelRow {
    const char* name;
    QRect box;
    const char* text; // the whole text, or only its start for the credit values
    int pixels;
    bool bold;
    Qt::Alignment align;
};

} // namespace

TEST_F(InfoWindowsTest, ClosingCreditsOrHelpRestartsTheMenuMusic) {
    click("menu", "Label3");
    ASSERT_NE(window("credits"), nullptr);
    EXPECT_EQ(forms.active(), window("credits"));
    EXPECT_EQ(menuMusicStarts(), 0);

    click("credits", "Command1");
    EXPECT_EQ(window("credits"), nullptr);
    EXPECT_EQ(forms.active(), window("menu"));
    const QStringList restart = {
        "Stop", "Init(44100)",
        QStringLiteral("LoadMusic(%1)").arg(path(QStringLiteral("\\data\\music2.mp3"))),
        "PlayMusic(True)"};
    EXPECT_EQ(players.of("menu"), restart);

    // The help window's close box does the same as its button.
    players.clear();
    click("menu", "Label6");
    ASSERT_NE(window("ohje"), nullptr);
    window("ohje")->close();
    settle();
    EXPECT_EQ(window("ohje"), nullptr);
    EXPECT_EQ(players.of("menu"), restart);
}

// Esc closes credits, help and the records the way their "Pois" does, so the
// menu comes back with its music, whichever control has the focus.
TEST_F(InfoWindowsTest, EscClosesCreditsHelpAndTheRecordsAsTheirButtonDoes) {
    for (const char* name : {"credits", "ohje", "ennatykset"}) {
        SCOPED_TRACE(name);
        forms.show(QString::fromLatin1(name));
        settle();
        players.clear();
        Form* form = window(QString::fromLatin1(name));
        ASSERT_NE(form, nullptr);
        QWidget* button = control(QString::fromLatin1(name), "Command1");
        button->setFocus();
        // An Esc held down since before the window opened closes nothing.
        QKeyEvent held(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(button, &held);
        settle();
        ASSERT_EQ(window(QString::fromLatin1(name)), form);

        QTest::keyClick(std::string(name) == "ohje" ? static_cast<QWidget*>(form) : button,
                        Qt::Key_Escape);
        settle();
        EXPECT_EQ(window(QString::fromLatin1(name)), nullptr);
        EXPECT_EQ(forms.active(), window("menu"));
        EXPECT_EQ(menuMusicStarts(), 1);
    }
}

TEST_F(InfoWindowsTest, ShowingAnOpenInfoWindowAgainOpensNoSecondOne) {
    click("menu", "Label3");
    Form* first = window("credits");
    click("menu", "Label3");
    EXPECT_EQ(window("credits"), first);
    EXPECT_EQ(openWindowsNamed("credits"), 1);
    EXPECT_EQ(menuMusicStarts(), 0);
    EXPECT_EQ(players.of("menu"), QStringList{});

    click("menu", "Label6");
    Form* help = window("ohje");
    click("menu", "Label6");
    EXPECT_EQ(window("ohje"), help);
    EXPECT_EQ(openWindowsNamed("ohje"), 1);
    EXPECT_NE(window("credits"), nullptr);
}

TEST_F(InfoWindowsTest, CreditsLayout) {
    click("menu", "Label3");
    Form* credits = window("credits");
    ASSERT_NE(credits, nullptr);
    EXPECT_EQ(credits->windowTitle(), "Norppala - Tekijät");
    EXPECT_EQ(credits->size(), QSize(223, 241));

    const LabelRow rows[] = {
        {"Label1_0", {16, 16, 177, 25}, "Grafiikka: ", 13, false, Qt::AlignLeft},
        {"Label2", {16, 48, 177, 25}, "Musiikki: ", 13, false, Qt::AlignLeft},
        {"Label3", {16, 80, 177, 25}, "Testaaja: ", 13, false, Qt::AlignLeft},
        {"Label4", {8, 120, 177, 41}, "Pelin kotisivujen osoite:  ", 13, false, Qt::AlignLeft},
        {"Label1_1", {8, 168, 177, 33}, "Sähköposti: ", 13, false, Qt::AlignLeft},
    };
    for (const LabelRow& row : rows) {
        SCOPED_TRACE(row.name);
        auto* label = control<Label>("credits", row.name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->geometry(), row.box);
        const QString prefix = QString::fromUtf8(row.text);
        EXPECT_TRUE(label->text().startsWith(prefix)) << label->text().toStdString();
        EXPECT_GT(label->text().trimmed().size(), prefix.trimmed().size());
        EXPECT_EQ(label->font().pixelSize(), row.pixels);
        EXPECT_EQ(label->font().bold(), row.bold);
        EXPECT_EQ(label->textColor(), look::cyan);
        EXPECT_TRUE(label->isTransparent());
        EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, row.align);
    }

    auto* line = control<Line>("credits", "Line1");
    EXPECT_EQ(line->from(), QPoint(0, 112));
    EXPECT_EQ(line->to(), QPoint(224, 112));
    auto* pois = control<QPushButton>("credits", "Command1");
    EXPECT_EQ(pois->geometry(), QRect(0, 216, 225, 25));
    EXPECT_EQ(pois->text(), "Pois");
}

TEST_F(InfoWindowsTest, HelpLayout) {
    click("menu", "Label6");
    Form* help = window("ohje");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->windowTitle(), "Norppala");
    EXPECT_EQ(help->size(), QSize(426, 358));
    EXPECT_EQ(help->picture().size(), QSize(32, 32));

    const Qt::Alignment left = Qt::AlignLeft;
    const LabelRow rows[] = {
        {"Label1", {8, 8, 153, 57}, "Norppala Ohje", 16, true, left},
        {"Label2", {0, 56, 81, 17}, "Ahventen koot:", 11, false, left},
        {"Label3", {0, 208, 81, 17}, "Haukien koot:", 11, false, left},
        {"Label4",
         {256, 8, 161, 305},
         "Pelin nimi tulee miehestä kuka pelissä kalastelee. Mies on ihan pöpi! Puhelee yksin "
         "mielettömiä. Ilman äänikorttia tämä peli on aivan tavallinen kalastuspeli. HUOM! Tämä "
         "peli ei ole kovin realistinen!",
         19,
         false,
         Qt::AlignHCenter},
    };
    for (const LabelRow& row : rows) {
        SCOPED_TRACE(row.name);
        auto* label = control<Label>("ohje", row.name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->geometry(), row.box);
        EXPECT_EQ(label->text(), QString::fromUtf8(row.text));
        EXPECT_EQ(label->font().pixelSize(), row.pixels);
        EXPECT_EQ(label->font().bold(), row.bold);
        EXPECT_EQ(label->textColor(), look::cyan);
        EXPECT_TRUE(label->isTransparent());
        EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, row.align);
    }

    // Smallest on the left, perch above pike; each shows its built-in picture.
    const std::pair<const char*, QRect> sprites[] = {
        {"Kelmo1", {16, 80, 41, 65}},  {"Kelmo2", {80, 80, 57, 73}},
        {"Kelmo3", {160, 80, 65, 97}}, {"Kelmo4", {24, 232, 25, 57}},
        {"Kelmo5", {80, 232, 41, 89}}, {"Kelmo6", {152, 232, 41, 113}},
    };
    for (const auto& [name, box] : sprites) {
        SCOPED_TRACE(name);
        auto* sprite = control<Kelmo>("ohje", name);
        ASSERT_NE(sprite, nullptr);
        EXPECT_EQ(sprite->geometry(), box);
        EXPECT_EQ(sprite->currentFrame(), 0);
    }

    auto* line = control<Line>("ohje", "Line1");
    EXPECT_EQ(line->from(), QPoint(248, 0));
    EXPECT_EQ(line->to(), QPoint(248, 360));
    auto* pois = control<QPushButton>("ohje", "Command1");
    EXPECT_EQ(pois->geometry(), QRect(256, 312, 161, 33));
    EXPECT_EQ(pois->text(), "Pois");
}

TEST_F(InfoWindowsTest, NoLabelTextIsCutOffByItsBox) {
    click("menu", "Label3");
    click("menu", "Label6");
    for (const char* name : {"menu", "credits", "ohje"}) {
        for (Label* label : window(name)->findChildren<Label*>()) {
            SCOPED_TRACE(QStringLiteral("%1.%2").arg(name, label->objectName()).toStdString());
            // A margin takes its room from the box.
            const int room = label->contentsRect().width();
            const QRect needed = label->fontMetrics().boundingRect(
                QRect(QPoint(0, 0), QSize(room, 1000)), Qt::TextWordWrap | label->alignment(),
                label->text());
            EXPECT_LE(needed.width(), room);
            EXPECT_LE(needed.height(), label->height());
        }
    }
}

// The heading and the icon in the help window's corner share the corner: the
// icon shows whole, with no letter of the heading drawn over it.
TEST_F(InfoWindowsTest, HelpHeadingLeavesTheCornerIconClear) {
    click("menu", "Label6");
    Form* help = window("ohje");
    ASSERT_NE(help, nullptr);
    auto* heading = control<Label>("ohje", "Label1");
    ASSERT_NE(heading, nullptr);
    const QRect icon(QPoint(0, 0), help->picture().size());
    ASSERT_TRUE(icon.intersects(heading->geometry())) << "the test needs them to share the corner";
    const QImage with = help->grab().toImage();
    heading->hide();
    const QImage without = help->grab().toImage();
    heading->show();
    const qreal scale = with.devicePixelRatio();
    const QRect pixels(icon.topLeft() * scale, icon.size() * scale);
    EXPECT_EQ(with.copy(pixels), without.copy(pixels));
    EXPECT_NE(with, without) << "the heading is drawn at all";
}

// No window of the game can change its size, so none asks the window system
// for a maximise button (or full screen): only the caption, the window menu,
// minimise and close, with the toolkit told to add nothing of its own.
TEST_F(InfoWindowsTest, NoWindowOffersToMaximiseItself) {
    for (const char* name : {"menu", "credits", "ohje", "aloita", "peli", "loppu"}) {
        SCOPED_TRACE(name);
        Form* form = forms.get(QString::fromLatin1(name));
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->minimumSize(), form->maximumSize());
        EXPECT_EQ(form->size(), form->maximumSize());
        const Qt::WindowFlags flags = form->windowFlags();
        EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowFullscreenButtonHint));
        for (Qt::WindowType wanted : {Qt::WindowTitleHint, Qt::WindowSystemMenuHint,
                                      Qt::WindowMinimizeButtonHint, Qt::WindowCloseButtonHint}) {
            EXPECT_TRUE(flags.testFlag(wanted)) << wanted;
        }
        if (form->objectName() != QLatin1String("menu")) {
            forms.unload(form->objectName());
            settle();
        }
    }
}
