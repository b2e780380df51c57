#include "platform/kelmo.h"
#include "platform/look.h"
#include "setup/aloita.h"
#include "support/world.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

QByteArray description(const QByteArray& folder, std::array<std::pair<int, int>, 3> topLeft,
                       const QByteArray& extra = {}) {
    QByteArray out = folder + "\r\nRanta\r\n";
    for (int i = 0; i < 3; ++i) {
        out += QByteArray::number(topLeft[i].first) + "\r\n" +
               QByteArray::number(topLeft[i].second) + "\r\n";
        if (i < 2) {
            out += "Paikka\r\n";
        }
    }
    return out + extra;
}

} // namespace

class SetupWindow : public World {
protected:
    SetupWindow() {
        // Every test lays out its own maps.
        QDir(maps()).removeRecursively();
        QDir().mkpath(maps());
    }

    QString maps() const { return path("\\data\\maps"); }

    // A map folder with its overview and spot pictures, each of its own size so
    // a test can tell which one was loaded.
    void writeMap(const QString& folder, QSize overview = QSize(200, 200)) {
        QDir(maps()).mkpath(folder);
        writePicture(folder + "/1.gif", overview, Qt::darkGreen);
        for (int spot = 1; spot <= 3; ++spot) {
            writePicture(folder + QString("/taka%1.gif").arg(spot), QSize(360 + spot, 400),
                         Qt::blue);
        }
    }
    void writePicture(const QString& name, QSize size, QColor colour) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        // Qt writes no GIF; its reader knows a PNG by its content whatever the name.
        ASSERT_TRUE(image.save(maps() + "/" + name, "PNG"));
    }
    void writeFile(const QString& name, const QByteArray& bytes) {
        QFile file(maps() + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    Aloita* open() {
        forms.show("aloita");
        settle();
        return forms.find<Aloita>("aloita");
    }
    QListWidget* list() const { return control<QListWidget>("aloita", "File1"); }
    // The highlighted entries of the map list.
    QStringList selected() const {
        QStringList names;
        for (const QListWidgetItem* item : list()->selectedItems()) {
            names << item->text();
        }
        return names;
    }
    QStringList listed() const {
        QStringList names;
        for (int i = 0; i < list()->count(); ++i) {
            names << list()->item(i)->text();
        }
        return names;
    }
    // Clicks an entry of the map list where a player would.
    void clickMap(const QString& name) {
        const auto found = list()->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString() << " is not listed";
        list()->scrollToItem(found.first());
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list()->visualItemRect(found.first()).center());
        settle();
    }
    Label* marker(int spot) const {
        return control<Label>("aloita", QString("paikka%1").arg(spot));
    }
    QList<QPoint> markerPlaces() const {
        return {marker(1)->pos(), marker(2)->pos(), marker(3)->pos()};
    }
    QList<int> frames() const {
        return {marker(1)->borderStyle(), marker(2)->borderStyle(), marker(3)->borderStyle()};
    }

    // Everything a click on the list or a marker can change.
    struct Seen {
        QString mapName;
        qint16 spot;
        QList<QPoint> places;
        QList<int> frames;
        QString pictureFile;
        QSize pictureSize;
        bool operator==(const Seen&) const = default;
    };
    Seen seen() const {
        const Form* aloita = window("aloita");
        return {state.map_name, state.spot_choice,     markerPlaces(),
                frames(),       aloita->pictureFile(), aloita->picture().size()};
    }
};

TEST_F(SetupWindow, LaysOutTheWindowAndListsTheDescriptionsByName) {
    writeFile("b.ars", "");
    writeFile("A.ARS", "");
    writeFile("c.ars", "");
    writeFile("notes.txt", "");
    QDir(maps()).mkpath("folder.ars");

    Form* aloita = forms.get("aloita");
    ASSERT_TRUE(aloita);
    EXPECT_EQ(aloita->windowTitle(), "Norppala");
    EXPECT_EQ(aloita->size(), QSize(337, 201));
    EXPECT_TRUE(aloita->picture().isNull());
    // Before the window is first active the markers are opaque squares.
    for (int spot = 1; spot <= 3; ++spot) {
        EXPECT_FALSE(marker(spot)->isTransparent());
    }
    EXPECT_EQ(marker(1)->geometry(), QRect(80, 160, 40, 40));
    EXPECT_EQ(marker(2)->geometry(), QRect(40, 160, 40, 40));
    EXPECT_EQ(marker(3)->geometry(), QRect(0, 160, 40, 40));

    open();
    for (int spot = 1; spot <= 3; ++spot) {
        EXPECT_TRUE(marker(spot)->isTransparent());
        EXPECT_EQ(marker(spot)->borderStyle(), 0);
        EXPECT_EQ(marker(spot)->focusPolicy(), Qt::TabFocus);
    }
    const auto* label = control<Label>("aloita", "Label1");
    EXPECT_EQ(label->text(),
              "Valitse kenttä alapuolelta. Klikkaa hiirellä ympyrää ja paina sitten Aloita.");
    EXPECT_EQ(label->geometry(), QRect(200, 0, 137, 73));
    EXPECT_EQ(label->textColor(), look::cyan);
    const auto* start = control<QPushButton>("aloita", "Command1");
    EXPECT_EQ(start->text(), "Aloita");
    EXPECT_EQ(start->geometry(), QRect(200, 176, 137, 25));
    EXPECT_EQ(list()->geometry(), QRect(208, 80, 121, 84));
    EXPECT_EQ(control<Line>("aloita", "Line1")->from(), QPoint(200, 0));
    EXPECT_EQ(control<Line>("aloita", "Line2")->to(), QPoint(200, 200));

    // Tab goes from "Aloita" to the map list, then round the spots.
    QList<QWidget*> chain;
    for (QWidget* next = start->nextInFocusChain(); next != start && chain.size() < 50;
         next = next->nextInFocusChain()) {
        if (next->focusPolicy() & Qt::TabFocus) {
            chain << next;
        }
    }
    EXPECT_EQ(chain, (QList<QWidget*>{list(), marker(1), marker(2), marker(3)}));

    EXPECT_EQ(listed(), (QStringList{"A.ARS", "b.ars", "c.ars"}));
    EXPECT_FALSE(control<Label>("aloita", "viesti")->isVisible());
}

TEST_F(SetupWindow, SaysSoWhenThereAreNoMapsToChoose) {
    open();
    const auto* note = control<Label>("aloita", "viesti");
    EXPECT_TRUE(note->isVisible());
    EXPECT_TRUE(note->text().contains("ei ole yhtään karttaa"));
    forms.unload("aloita");
    settle();

    QDir(maps()).removeRecursively();
    open();
    EXPECT_TRUE(listed().isEmpty());
    const auto* missing = control<Label>("aloita", "viesti");
    EXPECT_TRUE(missing->isVisible());
    EXPECT_TRUE(missing->text().contains("puuttuu kansio data\\maps"));
    // Nothing to start with either.
    click("aloita", "Command1");
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(window("aloita"));
}

TEST_F(SetupWindow, ADescriptionLoadsTheMapOfTheFolderItsFirstLineNames) {
    writeMap("jarvi", QSize(180, 190));
    writeMap("lake", QSize(50, 50));
    writeFile("lake.ars",
              description("jarvi", {{{48, 36}, {94, 134}, {122, 72}}}, "999\r\n999\r\n"));
    Aloita* aloita = open();
    clickMap("lake.ars");

    EXPECT_EQ(state.map_name, "jarvi");
    EXPECT_EQ(markerPlaces(), (QList<QPoint>{{36, 48}, {134, 94}, {72, 122}}));
    EXPECT_EQ(aloita->pictureFile(), path("\\data\\maps\\jarvi\\1.gif"));
    EXPECT_EQ(aloita->picture().size(), QSize(180, 190));
    EXPECT_EQ(aloita->loadedMap(), "lake.ars");
    EXPECT_TRUE(dialogs.messages.isEmpty());

    const Seen once = seen();
    clickMap("lake.ars");
    EXPECT_EQ(seen(), once);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(SetupWindow, NumberLinesPlaceTheMarkersInsideTheWindow) {
    writeMap("jarvi");
    writeFile("rough.ars", "jarvi\r\nx\r\n  60  \r\nabc\r\ny\r\n1 20\r\n-50\r\nz\r\n1e30\r\n"
                           "99999999999999999999999999999999999999999999");
    open();
    clickMap("rough.ars");
    EXPECT_EQ(markerPlaces(), (QList<QPoint>{{0, 60}, {0, 120}, {297, 161}}));
    for (int spot = 1; spot <= 3; ++spot) {
        EXPECT_TRUE(window("aloita")->rect().contains(marker(spot)->geometry()));
    }
}

TEST_F(SetupWindow, ARefusedDescriptionChangesNothing) {
    writeMap("jarvi");
    writeMap("ilman2");
    QFile::remove(maps() + "/ilman2/taka2.gif");
    writeMap("ilman1");
    QFile::remove(maps() + "/ilman1/1.gif");
    writeFile("good.ars", description("jarvi", {{{48, 36}, {94, 134}, {122, 72}}}));
    const std::array<std::pair<int, int>, 3> elsewhere{{{1, 1}, {2, 2}, {3, 3}}};
    const std::vector<std::pair<QString, QByteArray>> bad{
        {"no_taka2.ars", description("ilman2", elsewhere)},
        {"no_overview.ars", description("ilman1", elsewhere)},
        {"no_folder.ars", description("puuttuu", elsewhere)},
        {"short.ars", "jarvi\r\nx\r\n1\r\n2\r\n"},
        {"up.ars", description("..", elsewhere)},
        {"slash.ars", description("jarvi/../jarvi", elsewhere)},
        {"backslash.ars", description("..\\maps", elsewhere)},
        {"empty_name.ars", description("", elsewhere)},
        {"gone.ars", description("jarvi", elsewhere)},
    };
    for (const auto& [name, bytes] : bad) {
        writeFile(name, bytes);
    }
    open();
    clickMap("good.ars");
    click("aloita", "paikka2");
    // Listed when the window opened, gone by the time it is clicked.
    QFile::remove(maps() + "/gone.ars");

    const Seen before = seen();
    for (const auto& [name, bytes] : bad) {
        dialogs.messages.clear();
        clickMap(name);
        EXPECT_EQ(seen(), before) << name.toStdString();
        ASSERT_EQ(dialogs.messages.size(), 1) << name.toStdString();
        EXPECT_TRUE(dialogs.messages.first().startsWith("Norppala|"));
        EXPECT_TRUE(dialogs.messages.first().contains(name)) << name.toStdString();
        EXPECT_EQ(selected(), QStringList{"good.ars"}) << name.toStdString();
    }
    EXPECT_TRUE(dialogs.messages.first().contains("Karttaa \"gone.ars\" ei voitu avata"));

    // Refused before anything was loaded: still no map and no picture.
    forms.unload("aloita");
    settle();
    state.map_name.clear();
    state.map_file.clear();
    open();
    clickMap("short.ars");
    EXPECT_TRUE(state.map_name.isEmpty());
    EXPECT_TRUE(window("aloita")->picture().isNull());
    EXPECT_EQ(markerPlaces(), (QList<QPoint>{{80, 160}, {40, 160}, {0, 160}}));
    EXPECT_EQ(selected(), QStringList{});
}

TEST_F(SetupWindow, OnlyTheLastClickedMarkerIsFramedAndItsSpotChosen) {
    writeMap("jarvi");
    writeMap("kivi");
    writeFile("jarvi.ars", description("jarvi", {{{48, 36}, {94, 134}, {122, 72}}}));
    writeFile("kivi.ars", description("kivi", {{{10, 20}, {30, 40}, {50, 60}}}));
    open();

    // Before any map the markers stand at their first places and still take clicks.
    click("aloita", "paikka2");
    EXPECT_EQ(frames(), (QList<int>{0, 1, 0}));
    EXPECT_EQ(state.spot_choice, 2);

    // A map keeps the chosen spot framed, now at that map's place for it.
    clickMap("jarvi.ars");
    EXPECT_EQ(frames(), (QList<int>{0, 1, 0}));
    EXPECT_EQ(state.spot_choice, 2);
    EXPECT_EQ(marker(2)->pos(), QPoint(134, 94));
    clickMap("kivi.ars");
    EXPECT_EQ(marker(2)->pos(), QPoint(40, 30));
    EXPECT_EQ(frames(), (QList<int>{0, 1, 0}));

    click("aloita", "paikka3");
    EXPECT_EQ(frames(), (QList<int>{0, 0, 1}));
    EXPECT_EQ(state.spot_choice, 3);
    click("aloita", "paikka3");
    EXPECT_EQ(frames(), (QList<int>{0, 0, 1}));
    EXPECT_EQ(state.spot_choice, 3);
    click("aloita", "paikka1");
    EXPECT_EQ(frames(), (QList<int>{1, 0, 0}));
    EXPECT_EQ(state.spot_choice, 1);

    // A marker stays clickable wherever a map puts it, even over the list.
    writeFile("edge.ars", description("kivi", {{{161, 297}, {0, 0}, {1000000, 0}}}));
    forms.unload("aloita");
    settle();
    open();
    EXPECT_EQ(frames(), (QList<int>{1, 0, 0})); // a new visit frames the spot chosen last
    EXPECT_EQ(state.spot_choice, 1);
    clickMap("edge.ars");
    click("aloita", "paikka1");
    EXPECT_EQ(window("aloita")->childAt(310, 180), marker(1));
}

TEST_F(SetupWindow, AloitaClearsTheCatchAndGivesTheGameItsBackground) {
    writeMap("jarvi");
    writeFile("jarvi.ars", description("jarvi", {{{48, 36}, {94, 134}, {122, 72}}}));
    // What an earlier game left behind.
    state.fish_count = 2;
    state.catch_table[1] = {Cell{}, Cell{QString("hauki")}, Cell{qint16(1234)}};
    state.catch_table[2] = {Cell{}, Cell{QString("ahven")}, Cell{qint16(150)}};

    open();
    clickMap("jarvi.ars");
    click("aloita", "paikka3");
    click("aloita", "Command1");

    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(state.fish_count, 0);
    for (int row = 1; row <= Module1::kRows; ++row) {
        for (int col = 1; col <= 2; ++col) {
            EXPECT_EQ(state.catch_table[row][col], Cell{QString()}) << row << "," << col;
        }
    }
    const QString background = path("\\data\\maps\\jarvi\\taka3.gif");
    Form* peli = window("peli");
    ASSERT_TRUE(peli);
    EXPECT_EQ(peli->pictureFile(), background);
    EXPECT_EQ(peli->picture().size(), QSize(363, 400));
    if (auto* vesi = peli->findChild<Kelmo*>("vesi")) {
        EXPECT_EQ(vesi->file(), background);
    }
    EXPECT_TRUE(peli->isVisible());
    EXPECT_EQ(forms.active(), peli);
    EXPECT_FALSE(window("aloita"));
}

TEST_F(SetupWindow, TheNextVisitShowsTheLastGamesMapAndSpotAndAloitaStartsThem) {
    writeMap("jarvi");
    writeMap("kivi", QSize(150, 150));
    writeFile("jarvi.ars", description("jarvi", {{{48, 36}, {94, 134}, {122, 72}}}));
    writeFile("kivi.ars", description("kivi", {{{10, 20}, {30, 40}, {50, 60}}}));
    open();
    clickMap("jarvi.ars");
    click("aloita", "paikka2");
    click("aloita", "Command1");
    ASSERT_TRUE(window("peli"));
    forms.unload("peli");
    settle();

    // Without a click, the window shows what "Aloita" starts.
    open();
    const Seen shown = seen();
    EXPECT_EQ(shown.frames, (QList<int>{0, 1, 0}));
    EXPECT_EQ(shown.places, (QList<QPoint>{{36, 48}, {134, 94}, {72, 122}}));
    EXPECT_EQ(shown.pictureFile, path("\\data\\maps\\jarvi\\1.gif"));
    EXPECT_EQ(selected(), QStringList{"jarvi.ars"});
    click("aloita", "Command1");
    ASSERT_TRUE(window("peli"));
    EXPECT_EQ(window("peli")->pictureFile(), path("\\data\\maps\\jarvi\\taka2.gif"));
    forms.unload("peli");
    settle();

    // Another lake shows the remembered spot on it before "Aloita" starts there.
    open();
    clickMap("kivi.ars");
    EXPECT_EQ(frames(), (QList<int>{0, 1, 0}));
    EXPECT_EQ(marker(2)->pos(), QPoint(40, 30));
    click("aloita", "Command1");
    ASSERT_TRUE(window("peli"));
    EXPECT_EQ(window("peli")->pictureFile(), path("\\data\\maps\\kivi\\taka2.gif"));
    forms.unload("peli");
    settle();

    // A lake that can no longer be shown is not started unseen.
    QFile::remove(maps() + "/kivi.ars");
    open();
    EXPECT_TRUE(window("aloita")->picture().isNull());
    EXPECT_EQ(selected(), QStringList{});
    EXPECT_TRUE(dialogs.messages.isEmpty());
    click("aloita", "Command1");
    EXPECT_EQ(dialogs.messages, QStringList{"Norppala|Valitse ensin kartta listasta."});
    EXPECT_FALSE(window("peli"));
}

TEST_F(SetupWindow, AloitaWithoutAMapASpotOrTheSpotsPictureStaysHere) {
    writeMap("jarvi");
    writeFile("jarvi.ars", description("jarvi", {{{48, 36}, {94, 134}, {122, 72}}}));
    state.fish_count = 1;
    state.catch_table[1] = {Cell{}, Cell{QString("hauki")}, Cell{qint16(1234)}};
    open();

    const auto expectRefused = [this](const char* why) {
        ASSERT_EQ(dialogs.messages.size(), 1) << why;
        EXPECT_TRUE(dialogs.messages.first().startsWith("Norppala|")) << why;
        EXPECT_TRUE(window("aloita")) << why;
        EXPECT_FALSE(window("peli")) << why;
        EXPECT_EQ(state.fish_count, 1) << why;
        EXPECT_EQ(state.catch_table[1][2], Cell{qint16(1234)}) << why;
        dialogs.messages.clear();
    };

    click("aloita", "Command1");
    expectRefused("no map");
    EXPECT_TRUE(dialogs.messages.isEmpty());

    click("aloita", "paikka1");
    click("aloita", "Command1");
    expectRefused("no map, a spot");

    state.spot_choice = 0;
    clickMap("jarvi.ars");
    click("aloita", "Command1");
    expectRefused("a map, no spot");

    // Taken away after the map was accepted.
    QFile::remove(maps() + "/jarvi/taka3.gif");
    click("aloita", "paikka3");
    click("aloita", "Command1");
    expectRefused("no picture for spot 3");

    click("aloita", "paikka2");
    click("aloita", "Command1");
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(window("peli"));
}

TEST_F(SetupWindow, ShowsAShippedMap) {
    ASSERT_TRUE(copyFolder(sourceDataFolder() + "/maps", maps()));
    Aloita* aloita = open();
    const QStringList names = listed();
    ASSERT_FALSE(names.isEmpty());
    clickMap(names.first());
    click("aloita", "paikka2");
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
    EXPECT_FALSE(aloita->picture().isNull());
    if (qEnvironmentVariableIsSet("NORPPALA_SHOTS")) {
        aloita->grab().save(qEnvironmentVariable("NORPPALA_SHOTS") + "/aloita.png");
    }
}

// A marker is chosen when the button is let go over it, as a button would be:
// a press that slides off before the release chooses nothing.
TEST_F(SetupWindow, AMarkerIsChosenWhenTheButtonIsLetGoOverIt) {
    open();
    state.spot_choice = 1;
    Label* two = marker(2);
    QTest::mousePress(two, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(state.spot_choice, 1) << "chose on the press";
    QTest::mouseMove(two, QPoint(60, 20));
    QTest::mouseRelease(two, Qt::LeftButton, {}, QPoint(60, 20));
    EXPECT_EQ(state.spot_choice, 1);
    EXPECT_EQ(frames(), (QList<int>{0, 0, 0}));

    QTest::mousePress(two, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseRelease(two, Qt::LeftButton, {}, QPoint(39, 39));
    EXPECT_EQ(state.spot_choice, 2);
    EXPECT_EQ(frames(), (QList<int>{0, 1, 0}));
}

// Moving through the map list with the keys loads each map reached, exactly
// as a click on it would, with the same refusals; "Aloita" then starts the
// map shown, and Enter on it starts it as a click does.
TEST_F(SetupWindow, KeysInTheMapListLoadTheMapTheyReach) {
    writeMap("jarvi");
    writeMap("kivi");
    writeFile("a_jarvi.ars", description("jarvi", {{{48, 36}, {94, 134}, {122, 72}}}));
    writeFile("b_vajaa.ars", "jarvi\r\nx\r\n1\r\n2\r\n");
    writeFile("c_kivi.ars", description("kivi", {{{10, 20}, {30, 40}, {50, 60}}}));
    open();
    list()->setFocus();
    auto press = [this](Qt::Key key) {
        QTest::keyClick(list(), key);
        settle();
    };

    // Taking the focus makes no entry current that is not loaded: the first
    // arrow press loads the first map.
    EXPECT_EQ(list()->currentItem(), nullptr);
    press(Qt::Key_Down);
    EXPECT_EQ(state.map_name, "jarvi");
    EXPECT_EQ(window("aloita")->pictureFile(), maps() + "/jarvi/1.gif");
    ASSERT_EQ(list()->currentItem()->text(), "a_jarvi.ars");
    EXPECT_EQ(dialogs.messages, QStringList{});

    // The short description is refused as a click on it is; the list goes on
    // showing the loaded map, and the next key moves on past the refused one.
    press(Qt::Key_Down);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains("b_vajaa.ars"));
    EXPECT_EQ(state.map_name, "jarvi");
    EXPECT_EQ(selected(), QStringList{"a_jarvi.ars"});
    press(Qt::Key_Down);
    EXPECT_EQ(state.map_name, "kivi");
    EXPECT_EQ(markerPlaces(), (QList<QPoint>{{20, 10}, {40, 30}, {60, 50}}));
    EXPECT_EQ(selected(), QStringList{"c_kivi.ars"});

    // Home, and a typed first letter, are keys too.
    press(Qt::Key_Home);
    EXPECT_EQ(state.map_name, "jarvi");
    press(Qt::Key_C);
    EXPECT_EQ(state.map_name, "kivi");

    click("aloita", "paikka3");
    auto* start = control<QPushButton>("aloita", "Command1");
    start->setFocus();
    QTest::keyClick(start, Qt::Key_Return);
    settle();
    ASSERT_TRUE(forms.isLoaded("peli"));
    EXPECT_EQ(window("peli")->pictureFile(), maps() + "/kivi/taka3.gif");
}

// A letter typed into the map list finds the lake of that first letter, A and
// M as well; outside the list they mute and turn the nibble cue off.
TEST_F(SetupWindow, EveryFirstLetterFindsItsLakeTheSoundKeysToo) {
    writeMap("jarvi");
    for (const char* name : {"ahvenlampi.ars", "kuhajarvi.ars", "muikkujarvi.ars"}) {
        writeFile(name, description("jarvi", {{{10, 20}, {30, 40}, {50, 60}}}));
    }
    // A fresh window for each letter: letters typed in a row would spell one name.
    for (const auto& [key, name] : {std::pair{Qt::Key_M, "muikkujarvi.ars"},
                                    {Qt::Key_A, "ahvenlampi.ars"},
                                    {Qt::Key_K, "kuhajarvi.ars"}}) {
        SCOPED_TRACE(name);
        open();
        list()->setFocus();
        QTest::keyClick(list(), key);
        settle();
        EXPECT_EQ(selected(), QStringList{name});
        EXPECT_EQ(window("aloita")->pictureFile(), maps() + "/jarvi/1.gif");
        forms.unload("aloita");
        settle();
    }
    EXPECT_FALSE(sound.muted());
    EXPECT_TRUE(context.preferences.nibbleCue());

    open();
    auto* start = control<QPushButton>("aloita", "Command1");
    start->setFocus();
    QTest::keyClick(start, Qt::Key_M);
    QTest::keyClick(start, Qt::Key_A);
    EXPECT_TRUE(sound.muted());
    EXPECT_FALSE(context.preferences.nibbleCue());
}

// Without a mouse: the spot's number chooses it wherever the focus is, even in
// the map list that takes typed letters; Tab and the arrows reach the spots
// and Space or Enter choose the one reached. A click takes no focus.
TEST_F(SetupWindow, TheSpotsAreChosenByKeysToo) {
    writeMap("jarvi");
    writeFile("1_jarvi.ars", description("jarvi", {{{48, 36}, {94, 134}, {122, 72}}}));
    writeFile("2_jarvi.ars", description("jarvi", {{{48, 36}, {94, 134}, {122, 72}}}));
    Aloita* aloita = open();
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_2);
    EXPECT_EQ(state.spot_choice, 2);
    EXPECT_EQ(frames(), (QList<int>{0, 1, 0}));
    EXPECT_EQ(announcer.last(), "aloita: Kalapaikka 2 valittu");
    EXPECT_EQ(state.map_name, "");
    QTest::keyClick(list(), Qt::Key_3, Qt::KeypadModifier);
    EXPECT_EQ(state.spot_choice, 3);

    QTest::keyClick(list(), Qt::Key_Tab);
    EXPECT_EQ(aloita->focusWidget(), marker(1));
    QTest::keyClick(marker(1), Qt::Key_Right);
    EXPECT_EQ(aloita->focusWidget(), marker(2));
    QTest::keyClick(marker(2), Qt::Key_Up);
    QTest::keyClick(marker(1), Qt::Key_Left);
    ASSERT_EQ(aloita->focusWidget(), marker(3));
    QTest::keyClick(marker(3), Qt::Key_Down);
    EXPECT_EQ(aloita->focusWidget(), marker(1));
    QTest::keyClick(marker(1), Qt::Key_Space);
    EXPECT_EQ(state.spot_choice, 1);
    EXPECT_EQ(announcer.last(), "aloita: Kalapaikka 1 valittu");
    QTest::keyClick(marker(1), Qt::Key_Right);
    QTest::keyClick(marker(2), Qt::Key_Return);
    EXPECT_EQ(state.spot_choice, 2);

    click("aloita", "paikka3");
    EXPECT_EQ(state.spot_choice, 3);
    EXPECT_EQ(aloita->focusWidget(), marker(2));
}

// Dragging the mouse from one entry to another chooses the entry it ends on,
// as a click there would: the list never shows a map it has not loaded.
TEST_F(SetupWindow, ADragInTheMapListLoadsTheEntryItEndsOn) {
    writeMap("jarvi");
    writeMap("kivi");
    writeFile("a_jarvi.ars", description("jarvi", {{{48, 36}, {94, 134}, {122, 72}}}));
    writeFile("b_kivi.ars", description("kivi", {{{10, 20}, {30, 40}, {50, 60}}}));
    open();
    clickMap("a_jarvi.ars");
    ASSERT_EQ(state.map_name, "jarvi");

    QWidget* area = list()->viewport();
    const QPoint from = list()->visualItemRect(list()->item(0)).center();
    const QPoint to = list()->visualItemRect(list()->item(1)).center();
    QTest::mousePress(area, Qt::LeftButton, {}, from);
    QTest::mouseMove(area, to);
    QTest::mouseRelease(area, Qt::LeftButton, {}, to);
    settle();
    EXPECT_EQ(selected(), QStringList{"b_kivi.ars"});
    EXPECT_EQ(state.map_name, "kivi");
    EXPECT_EQ(dialogs.messages, QStringList{});
}

// A lake loaded is said by its name, however it was chosen: by the keys, or
// by a screen reader's toggle of its entry, which loads it as a click does.
// A refused lake and the window showing the lake of the last game say nothing.
TEST_F(SetupWindow, ALakeLoadedIsSaidByNameAndAReadersToggleLoadsIt) {
    writeMap("jarvi");
    writeMap("kivi");
    writeFile("Kivijarvi.ars", description("kivi", {{{10, 20}, {30, 40}, {50, 60}}}));
    writeFile("Lumijarvi.ars", "jarvi\r\nx\r\n1\r\n");
    writeFile("Pitkajarvi.ars", description("jarvi", {{{48, 36}, {94, 134}, {122, 72}}}));
    open();
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Down);
    settle();
    EXPECT_EQ(announcer.last(), "aloita: Kivijarvi ladattu.");

    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(list());
    ASSERT_NE(face, nullptr);
    auto toggle = [&](const QString& name) {
        for (int i = 0; i < face->childCount(); ++i) {
            QAccessibleInterface* entry = face->child(i);
            if (entry->text(QAccessible::Name) == name) {
                ASSERT_NE(entry->actionInterface(), nullptr);
                entry->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
                settle();
                return;
            }
        }
        ADD_FAILURE() << "no entry " << name.toStdString();
    };
    toggle("Pitkajarvi.ars");
    EXPECT_EQ(state.map_name, "jarvi");
    EXPECT_EQ(window("aloita")->pictureFile(), maps() + "/jarvi/1.gif");
    EXPECT_EQ(announcer.last(), "aloita: Pitkajarvi ladattu.");
    EXPECT_EQ(list()->currentItem()->text(), "Pitkajarvi.ars");

    const qsizetype said = announcer.said.size();
    toggle("Lumijarvi.ars");
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(state.map_name, "jarvi");
    EXPECT_EQ(selected(), QStringList{"Pitkajarvi.ars"});
    EXPECT_EQ(announcer.said.size(), said);

    // Back on the window, the lake shown is highlighted again, not loaded again.
    click("aloita", "paikka2");
    forms.unload("aloita");
    settle();
    announcer.said.clear();
    open();
    EXPECT_EQ(selected(), QStringList{"Pitkajarvi.ars"});
    EXPECT_EQ(announcer.said, QStringList{});
}
