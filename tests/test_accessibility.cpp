#include "core/autoangler.h"
#include "platform/accessibility.h"
#include "platform/settings.h"
#include "test_game_world.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// What a screen reader sees of the windows, read in-process through Qt's
// accessibility interfaces, and what it is told while a game goes on.

namespace {

QAccessibleInterface* accessible(QWidget* widget) {
    return widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
}

QString nameOf(QWidget* widget) {
    QAccessibleInterface* face = accessible(widget);
    return face ? face->text(QAccessible::Name) : QStringLiteral("<none>");
}

// Every visible object of a window's tree a reader would stop at that has no name.
void collectNameless(QAccessibleInterface* face, QStringList& nameless) {
    for (int i = 0; i < face->childCount(); ++i) {
        QAccessibleInterface* child = face->child(i);
        if (!child || child->state().invisible) {
            continue;
        }
        const QAccessible::Role role = child->role();
        if (role != QAccessible::Separator && role != QAccessible::Whitespace &&
            role != QAccessible::ScrollBar && child->text(QAccessible::Name).trimmed().isEmpty()) {
            QObject* object = child->object();
            nameless << (object ? object->objectName() + QLatin1Char('/') +
                                      QLatin1String(object->metaObject()->className())
                                : QStringLiteral("role %1").arg(int(role)));
        }
        if (role != QAccessible::List) { // a list names its own rows
            collectNameless(child, nameless);
        }
    }
}

// A screen reader arriving, as far as the game can tell: Qt says accessibility is active.
class Reader {
public:
    Reader() { QAccessible::setActive(true); }
    ~Reader() { QAccessible::setActive(false); }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
};

// What a screen reader speaks of its own accord from a window: each
// notification in its status line, in order, says the labels inside it.
QStringList notificationsIn(QWidget* window) {
    QStringList said;
    QAccessibleInterface* face = accessible(window);
    for (int i = 0; i < face->childCount(); ++i) {
        QAccessibleInterface* line = face->child(i);
        if (line->role() != QAccessible::StatusBar) {
            continue;
        }
        for (int j = 0; j < line->childCount(); ++j) {
            QAccessibleInterface* notification = line->child(j);
            EXPECT_EQ(notification->role(), QAccessible::Notification);
            EXPECT_FALSE(notification->state().invisible);
            EXPECT_EQ(notification->text(QAccessible::Name), QString());
            QStringList words;
            for (int k = 0; k < notification->childCount(); ++k) {
                words << notification->child(k)->text(QAccessible::Name);
            }
            said << words.join(QLatin1Char(' '));
        }
    }
    return said;
}

} // namespace

class Accessibility : public GameWorld {
protected:
    // Lifts and lowers the line, then makes its next bite a medium nibble that
    // leaves the worm as `wear` draws it (0 eaten, 1 half) and the fish unhooked.
    bool wornBite(int wear) {
        click("peli", "Command4");
        lower();
        if (!untilTheBite()) {
            return false;
        }
        random.roll(5, 11);
        random.roll(wear, 3);
        random.roll(1, wear == 0 ? 5 : 2);
        advance(1);
        return true;
    }
};

// The real announcer: a notification of its own in the window's status line
// for every announcement, repeats included, and the focus stays; a window
// just opened hears its announcements once it is active; with nobody
// listening nothing is built.
TEST_F(Accessibility, AnnouncementsAreNotificationsAReaderSpeaksWhereverTheFocusIs) {
    forms.show(QStringLiteral("menu"));
    settle();
    Form* menu = window("menu");
    AccessibleAnnouncer speaker;
    EXPECT_FALSE(speaker.listening());
    speaker.announce(menu, "Kala nykii!");
    EXPECT_EQ(menu->findChild<QWidget*>("tilarivi"), nullptr);

    Reader reader;
    ASSERT_TRUE(speaker.listening());
    QWidget* focused = QApplication::focusWidget();
    for (const char* text : {"Kala nykii!", "Kala nykii!", "Saalis: hauki, 2048 grammaa."}) {
        speaker.announce(menu, text);
    }
    EXPECT_EQ(notificationsIn(menu),
              (QStringList{"Kala nykii!", "Kala nykii!", "Saalis: hauki, 2048 grammaa."}));
    EXPECT_EQ(QApplication::focusWidget(), focused);
    // Only the last few stay in the window.
    for (int i = 0; i < 10; ++i) {
        speaker.announce(menu, QString::number(i));
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(notificationsIn(menu), (QStringList{"6", "7", "8", "9"}));

    // The credits open beside the menu; the menu's announcements wait for the menu.
    forms.show(QStringLiteral("credits"));
    settle();
    ASSERT_FALSE(menu->isActiveWindow());
    speaker.announce(menu, "Tekijät");
    speaker.announce(menu, "Ohje");
    settle();
    EXPECT_EQ(notificationsIn(menu).last(), "9");
    forms.show(QStringLiteral("menu"));
    settle();
    settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(notificationsIn(menu), (QStringList{"8", "9", "Tekijät", "Ohje"}));
}

// The angler, the worm and the clock are worked out when a reader asks, so
// with nobody listening nothing is; a reader that comes later hears them as
// they are now.
TEST_F(Accessibility, AReaderArrivingLateHearsTheAnglerWormAndClockAsTheyAre) {
    startGame();
    QWidget* clock = control("peli", "Label5");
    const auto clockSays = [this] {
        const int at = game().elapsedSeconds();
        return QStringLiteral("Aikaa kulunut %1 min %2 s").arg(at / 60).arg(at % 60);
    };
    ASSERT_TRUE(wornBite(1));
    settle();
    Reader reader;
    EXPECT_EQ(nameOf(clock), clockSays());
    EXPECT_EQ(nameOf(sprite("mies")), "Ukko: kala nykii!");
    EXPECT_EQ(nameOf(sprite("mato")), "Mato: vedessä");
    const int before = game().elapsedSeconds();
    advance(2000);
    ASSERT_EQ(game().elapsedSeconds(), before + 2);
    EXPECT_EQ(nameOf(clock), clockSays());
    click("peli", "Command4");
    EXPECT_EQ(nameOf(sprite("mato")), "Mato: puoliksi syöty");
    click("peli", "Command4");
    EXPECT_EQ(nameOf(sprite("mato")), "Mato: vedessä");
    EXPECT_EQ(nameOf(sprite("mies")), "Ukko: laskee siiman");
}

TEST_F(Accessibility, EveryVisibleControlOfEveryWindowHasAName) {
    for (const char* name : {"menu", "credits", "ohje", "aloita", "peli", "loppu", "ennatykset"}) {
        SCOPED_TRACE(name);
        forms.show(QLatin1String(name));
        settle();
        Form* form = window(QLatin1String(name));
        ASSERT_NE(form, nullptr);
        QStringList nameless;
        collectNameless(accessible(form), nameless);
        EXPECT_TRUE(nameless.isEmpty()) << nameless.join(QLatin1Char(' ')).toStdString();
        forms.unload(QLatin1String(name));
        settle();
    }
}

TEST_F(Accessibility, MenuItemsAndSpotsAreButtonsAReaderCanPress) {
    forms.show(QStringLiteral("menu"));
    settle();
    QAccessibleInterface* credits = accessible(control("menu", "Label3"));
    ASSERT_NE(credits, nullptr);
    EXPECT_EQ(credits->role(), QAccessible::Button);
    EXPECT_EQ(credits->text(QAccessible::Name), "Tekijät");
    ASSERT_NE(credits->actionInterface(), nullptr);
    ASSERT_EQ(credits->actionInterface()->actionNames(),
              QStringList{QAccessibleActionInterface::pressAction()});
    credits->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    settle();
    EXPECT_TRUE(forms.isLoaded("credits"));
    // The welcome text stays plain text, the icon beside it is skipped.
    EXPECT_EQ(accessible(control("menu", "Label1"))->role(), QAccessible::StaticText);
    EXPECT_EQ(accessible(control("menu", "Image1"))->role(), QAccessible::Whitespace);

    // The arrows move the focus, which a reader follows and speaks: the
    // item need not be announced besides.
    forms.show(QStringLiteral("menu"));
    settle();
    const QStringList before = announcer.said;
    QTest::keyClick(window("menu"), Qt::Key_Down);
    QTest::keyClick(window("menu")->focusWidget(), Qt::Key_Down);
    EXPECT_EQ(window("menu")->focusWidget(), control("menu", "Label3"));
    EXPECT_TRUE(accessible(control("menu", "Label3"))->state().focused);
    EXPECT_EQ(announcer.said, before);

    forms.show(QStringLiteral("aloita"));
    settle();
    for (int spot = 1; spot <= 3; ++spot) {
        QAccessibleInterface* marker =
            accessible(control("aloita", QStringLiteral("paikka%1").arg(spot)));
        EXPECT_EQ(marker->role(), QAccessible::Button);
        EXPECT_EQ(marker->text(QAccessible::Name), QStringLiteral("Kalapaikka %1").arg(spot));
    }
    accessible(control("aloita", "paikka2"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(state.spot_choice, 2);
    EXPECT_EQ(announcer.last(), "aloita: Kalapaikka 2 valittu");
    EXPECT_EQ(nameOf(control("aloita", "File1")), "Järvet");
}

TEST_F(Accessibility, GameScreenSaysWhatItShowsInWords) {
    startGame();
    EXPECT_EQ(nameOf(button("Command1")), "Souda ylös");
    EXPECT_EQ(nameOf(button("Command2")), "Souda alas");
    EXPECT_EQ(nameOf(button("Command4")), "Nosta!");
    EXPECT_EQ(accessible(sprite("vene"))->role(), QAccessible::Graphic);
    EXPECT_EQ(nameOf(sprite("mies")), "Ukko: odottaa");
    EXPECT_EQ(nameOf(sprite("mato")), "Mato: vedessä");
    EXPECT_EQ(nameOf(catchList()), "Saalis");
    // The clock is one phrase; the colon and the seconds are not read again.
    click("peli", "Command4"); // no nibble meanwhile: the worm stays whole
    advance(65 * 1000);
    EXPECT_EQ(nameOf(control("peli", "Label5")), "Aikaa kulunut 1 min 5 s");
    EXPECT_EQ(accessible(control("peli", "Label7"))->role(), QAccessible::Whitespace);

    // A nibble that leaves the worm half eaten: the reader hears it; the lift
    // shows the worm.
    lower();
    ASSERT_TRUE(untilTheBite());
    random.roll(5, 11);
    random.roll(1, 3);
    random.roll(1, 2);
    advance(1);
    EXPECT_EQ(nameOf(sprite("mies")), "Ukko: kala nykii!");
    EXPECT_EQ(announcer.last(), "peli: Kala nykii!");
    click("peli", "Command4");
    EXPECT_EQ(announcer.last(), "peli: Mato on puoliksi syöty.");
    EXPECT_EQ(nameOf(sprite("mato")), "Mato: puoliksi syöty");
    EXPECT_EQ(nameOf(sprite("mies")), "Ukko: nostaa");
    lower();

    // A fish on the hook: it rises, then lands with its species and weight said.
    hookFish(1234);
    click("peli", "Command4");
    EXPECT_EQ(nameOf(sprite("mies")), "Ukko: kala nousee");
    advance(1000);
    ASSERT_EQ(catchLines().size(), 1);
    const QString species = cellText(state.catch_table[1][1]);
    EXPECT_TRUE(announcer.said.contains("peli: Saalis: " + species + ", 1234 grammaa."))
        << announcer.said.join('\n').toStdString();
    EXPECT_EQ(nameOf(sprite("mies")), "Ukko: siima ylhäällä");
    click("peli", "Command4");

    // The last ten seconds, once, and the end, said in the results window. The
    // focus never moves for any of it.
    QWidget* focused = QApplication::focusWidget();
    announcer.said.clear();
    advance((171 - game().elapsedSeconds()) * 1000);
    EXPECT_EQ(announcer.said.count("peli: Kymmenen sekuntia jäljellä."), 1);
    EXPECT_EQ(QApplication::focusWidget(), focused);
    advance(20 * 1000);
    // Then the results say their total.
    EXPECT_EQ(announcer.said.mid(announcer.said.size() - 2),
              (QStringList{"loppu: Aika loppui, peli päättyi.",
                           "loppu: Yhteispaino 1234 grammaa. Uusi ennätys!"}));
}

// Once the angler's animation has played, his name says how he stands: the
// line up after a lift, waiting after a tap or after lowering.
TEST_F(Accessibility, TheAnglerAtRestIsNamedByHowHeStandsNow) {
    startGame();
    QWidget* angler = sprite("mies");
    // Lets the game run until the angler's name changes, within five seconds.
    const auto restingName = [&] {
        const QString playing = nameOf(angler);
        for (int ms = 0; ms < 5000 && nameOf(angler) == playing; ms += 50) {
            advance(50);
        }
        return nameOf(angler);
    };
    click("peli", "Command3");
    ASSERT_EQ(nameOf(angler), "Ukko: näpäyttää vapaa");
    EXPECT_EQ(restingName(), "Ukko: odottaa");
    ASSERT_EQ(game().angler(), Angler::Tapping) << "a nibble came in between";
    click("peli", "Command4");
    ASSERT_EQ(nameOf(angler), "Ukko: nostaa");
    EXPECT_EQ(restingName(), "Ukko: siima ylhäällä");
    EXPECT_EQ(restingName(), "Ukko: siima ylhäällä") << "at rest he stays so";
    click("peli", "Command4");
    ASSERT_EQ(nameOf(angler), "Ukko: laskee siiman");
    EXPECT_EQ(restingName(), "Ukko: odottaa");
    ASSERT_EQ(game().angler(), Angler::Lowering) << "a nibble came in between";
}

// The window holds the focus through a game. A button that goes out of use
// hands it back to the window, never on to the catch list or the next button,
// whose names a reader would say over the game's news; a control that stays
// in use keeps it.
TEST_F(Accessibility, AButtonGoingOutOfUseHandsTheFocusBackToTheWindow) {
    Peli* screen = startGame();
    EXPECT_EQ(QApplication::focusWidget(), screen);
    QWidgetList movedTo;
    QObject watching;
    QObject::connect(qApp, &QApplication::focusChanged, &watching,
                     [&movedTo](QWidget*, QWidget* now) { movedTo << now; });
    const auto focusOn = [&](QWidget* control) {
        control->setFocus(Qt::TabFocusReason);
        movedTo.clear();
    };
    const auto press = [&](Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key);
        settle();
    };

    focusOn(button("Command3")); // the tap goes when the line comes up
    press(Qt::Key_Space);
    EXPECT_EQ(QApplication::focusWidget(), screen);
    focusOn(button("Command1")); // rowing goes when the line goes down
    press(Qt::Key_Space);
    EXPECT_EQ(QApplication::focusWidget(), screen);
    focusOn(button("Command4")); // everything but "Lopeta" goes in a pause
    press(Qt::Key_P);
    EXPECT_EQ(QApplication::focusWidget(), screen);
    press(Qt::Key_P);
    EXPECT_EQ(QApplication::focusWidget(), screen);
    press(Qt::Key_Space);
    focusOn(button("Command5")); // a new worm takes a while
    press(Qt::Key_V);
    EXPECT_EQ(QApplication::focusWidget(), screen);
    advance(fishing::kWormChange);
    EXPECT_EQ(movedTo, QWidgetList({screen}));
    press(Qt::Key_Space);

    // Half a minute each by the book, played by keys, from the tap button and
    // from the catch list.
    const AutoAngler player([](Action action) {
        static const QHash<Action, Qt::Key> keys{{Action::RowUp, Qt::Key_Up},
                                                 {Action::RowDown, Qt::Key_Down},
                                                 {Action::TapRod, Qt::Key_N},
                                                 {Action::LiftOrLower, Qt::Key_Space},
                                                 {Action::ChangeWorm, Qt::Key_V}};
        QTest::keyClick(QApplication::focusWidget(), keys.value(action));
    });
    for (QWidget* start :
         {static_cast<QWidget*>(button("Command3")), static_cast<QWidget*>(catchList())}) {
        focusOn(start);
        for (int step = 0; step < 300; ++step) {
            player.react(game());
            advance(100);
        }
        for (QWidget* now : movedTo) {
            EXPECT_TRUE(now == screen || qobject_cast<QPushButton*>(now))
                << "the focus went to " << now->objectName().toStdString();
        }
        EXPECT_FALSE(movedTo.contains(catchList()));
        EXPECT_EQ(movedTo.value(0), start == catchList() ? nullptr : screen);
    }
    EXPECT_EQ(QApplication::focusWidget(), catchList()) << "the catch list stays in use";
}

// A pause and its end, an eaten worm found on lifting, a hooked fish and the
// sound keys both ways are said as they happen.
TEST_F(Accessibility, PauseTheWormTheHookedFishAndTheSoundKeysAreSaid) {
    Peli* screen = startGame();
    QTest::keyClick(screen, Qt::Key_P);
    settle();
    EXPECT_EQ(announcer.last(), "peli: Tauko");
    QTest::keyClick(screen, Qt::Key_P);
    settle();
    EXPECT_EQ(announcer.last(), "peli: Peli jatkuu");

    // A nibble eats the worm to the bone; then a fresh worm goes on.
    ASSERT_TRUE(wornBite(0));
    click("peli", "Command4");
    EXPECT_EQ(announcer.last(), "peli: Mato on syöty, vaihda mato.");
    click("peli", "Command5");
    advance(fishing::kWormChange);
    lower();

    announcer.said.clear();
    hookFish(700);
    click("peli", "Command4");
    EXPECT_EQ(announcer.last(), "peli: Kala tarttui, se nousee veneeseen.");
    EXPECT_EQ(announcer.said.filter("Mato").size(), 0) << "a rising fish is no eaten worm";

    const QStringList keys{"peli: Äänet pois", "peli: Äänet päällä", "peli: Nykäisymerkki pois",
                           "peli: Nykäisymerkki päällä"};
    announcer.said.clear();
    for (Qt::Key key : {Qt::Key_M, Qt::Key_M, Qt::Key_A, Qt::Key_A}) {
        QTest::keyClick(screen, key);
    }
    EXPECT_EQ(announcer.said, keys);
}

// Plays a minute by the book, with a marker written into the sound log right
// after the game screen has heard of each nibble and each hooked fish.
class NibbleCue : public Accessibility {
protected:
    void playAMinute() {
        startGame(1, 3);
        FishingGame& model = game();
        QObject::connect(&model, &FishingGame::anglerChanged, peli(), [this](Angler angler, bool) {
            if (angler == Angler::Nibble) {
                players.calls << "-- nibble";
            }
        });
        QObject::connect(&model, &FishingGame::fishHooked, peli(),
                         [this] { players.calls << "-- hooked"; });
        fishByTheBook(60 * 1000);
    }
    qsizetype count(const QString& line) const { return players.calls.count(line); }
};

TEST_F(NibbleCue, SoundsExactlyAtEveryNibbleAndRiseBesideTheGamesOwnSounds) {
    playAMinute();
    const QString nibble =
        "peli/merkki: PlaySound(" + path("\\data\\sound\\nykaisy.wav") + ", False)";
    const QString hooked =
        "peli/merkki: PlaySound(" + path("\\data\\sound\\koukku.wav") + ", False)";
    ASSERT_GE(count("-- nibble"), 3);
    ASSERT_GE(count("-- hooked"), 2);
    EXPECT_EQ(count(nibble), count("-- nibble"));
    EXPECT_EQ(count(hooked), count("-- hooked"));
    for (qsizetype i = 0; i < players.calls.size(); ++i) {
        if (players.calls[i] == "-- nibble") {
            EXPECT_EQ(players.calls[i - 1], nibble) << i;
        } else if (players.calls[i] == "-- hooked") {
            EXPECT_EQ(players.calls[i - 1], hooked) << i;
        }
    }
    // The cue has a player of its own: the chatter and music go on as before.
    EXPECT_EQ(count("peli/merkki: created"), 1);
    EXPECT_TRUE(players.of("peli").filter("kala0").size() >= 1);
    EXPECT_TRUE(players.of("peli/merkki").filter("kala0").isEmpty());
}

TEST_F(NibbleCue, NeverSoundsWhenTurnedOffWithA) {
    forms.show(QStringLiteral("menu"));
    settle();
    QTest::keyClick(window("menu"), Qt::Key_A);
    EXPECT_FALSE(context.preferences.nibbleCue());
    EXPECT_EQ(announcer.last(), "menu: Nykäisymerkki pois");
    forms.unload(QStringLiteral("menu"));
    playAMinute();
    ASSERT_GE(count("-- nibble"), 3);
    EXPECT_TRUE(players.calls.filter("peli/merkki").isEmpty());
    // The reader still hears every nibble.
    EXPECT_EQ(announcer.said.count("peli: Kala nykii!"), count("-- nibble"));
    // A in the game window turns it back on.
    QTest::keyClick(peli(), Qt::Key_A);
    EXPECT_TRUE(context.preferences.nibbleCue());
}

TEST(Settings, MuteAndCueOutliveARunAndShowOnTheGameScreen) {
    QTemporaryDir dir;
    const QString file = dir.filePath("norppala.ini");
    {
        QtSettings settings(file);
        EXPECT_FALSE(settings.flag(setting::muted, false));
        EXPECT_TRUE(settings.flag(setting::nibbleCue, true));
        settings.setFlag(setting::muted, true);
        settings.setFlag(setting::nibbleCue, false);
    }
    QtSettings again(file);
    EXPECT_TRUE(again.flag(setting::muted, false));
    EXPECT_FALSE(again.flag(setting::nibbleCue, true));
}

TEST_F(Accessibility, MuteIsRememberedAndShownInTheCorner) {
    startGame();
    QWidget* notice = control("peli", "aanet");
    EXPECT_FALSE(notice->isVisible());
    QTest::keyClick(peli(), Qt::Key_M);
    EXPECT_TRUE(sound.muted());
    EXPECT_TRUE(notice->isVisible());
    EXPECT_TRUE(settings.flag(setting::muted, false));
    EXPECT_EQ(announcer.last(), "peli: Äänet pois");

    // The next run starts muted: a new program on the same settings.
    RecordingSound nextSound{players};
    const Program next({&clock, &random, &dialogs, &nextSound, &settings, &announcer, appPath});
    EXPECT_TRUE(nextSound.muted());
    QTest::keyClick(peli(), Qt::Key_M);
    EXPECT_FALSE(notice->isVisible());
    EXPECT_FALSE(settings.flag(setting::muted, true));
}
