#include "support/world.h"

#include "core/records.h"
#include "core/resultfile.h"
#include "platform/labeltable.h"
#include "platform/look.h"

#include <QAccessible>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

namespace {

class RecordsTest : public World {
protected:
    // The player's own data folder of this test alone, not the real one.
    void SetUp() override {
        oldDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path() + "/oma"));
        own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        ASSERT_TRUE(own.startsWith(dir.path()));
        ASSERT_TRUE(QDir().mkpath(own));
        data = path("\\data");
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", oldDataHome); }

    // A result file as the game saves it, `age` seconds old.
    void saved(const QString& name, const std::vector<std::pair<QString, int>>& fish, int age,
               const QString& folder = {}) {
        landed(fish);
        const QString into = folder.isEmpty() ? path("\\data") : folder;
        QDir().mkpath(into);
        ASSERT_EQ(saveResultFileIn(state, into, name), std::nullopt);
        QFile file(into + "/" + name + ".kal");
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(QDateTime::fromSecsSinceEpoch(1'700'000'000 - age),
                         QFileDevice::FileModificationTime);
    }
    // A file written plainly, as an editor would (or a test in a hurry), `age` seconds old.
    void written(const QString& folder, const QString& name, const QByteArray& bytes, int age) {
        QFile file(folder + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.flush(); // or the write at closing would make it new again
        ASSERT_TRUE(file.setFileTime(QDateTime::fromSecsSinceEpoch(1'700'000'000 - age),
                                     QFileDevice::FileModificationTime));
    }
    void landed(const std::vector<std::pair<QString, int>>& fish) {
        state.clearCatch();
        for (const auto& [species, grams] : fish) {
            ++state.fish_count;
            state.catch_table[state.fish_count][1] = species;
            state.catch_table[state.fish_count][2] = static_cast<qint16>(grams);
        }
    }
    void openResults(const std::vector<std::pair<QString, int>>& fish) {
        landed(fish);
        forms.unload("loppu");
        settle();
        forms.show("loppu");
        settle();
    }
    QString text(const QString& name) const { return control<QLabel>("ennatykset", name)->text(); }
    // One row of the records as "name total fish", or "-" when the row is hidden.
    QString row(int place) const {
        const QString n = QString::number(place);
        if (!control<QLabel>("ennatykset", "nimi" + n)->isVisible()) {
            return "-";
        }
        return text("nimi" + n) + " " + text("paino" + n) + " " + text("kaloja" + n);
    }
    QString spoken(QWidget* widget) const {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        return face ? face->text(QAccessible::Name) : QStringLiteral("(none)");
    }

    bool shown(const QString& name) const {
        return control<QLabel>("ennatykset", name)->isVisible();
    }

    QByteArray oldDataHome;
    QString own;
    QString data;
};

} // namespace

TEST_F(RecordsTest, TenBestTotalsAndBiggestFishFromBothFoldersTiesToTheOlderFile) {
    for (int i = 1; i <= 11; ++i) {
        saved(QStringLiteral("Pelaaja %1").arg(i), {{i < 8 ? "ahven" : "hauki", 100 * i}}, 1000);
    }
    // 700 g: equal totals, the older file first; the perch record stays with the oldest.
    saved("Uusi", {{"ahven", 300}, {"ahven", 400}}, 10);
    saved("Vanha", {{"ahven", 700}}, 5000);
    saved(QStringLiteral("Jörö"), {{"hauki", 2099}, {"ahven", 245}}, 100, own);
    saved("Pelaaja 11", {{"ahven", 1}}, 100, own); // the same name in the other folder

    forms.show("menu");
    settle();
    QTest::keyClick(window("menu"), Qt::Key_E);
    settle();
    Form* records = window("ennatykset");
    ASSERT_NE(records, nullptr);
    EXPECT_EQ(forms.active(), records);
    EXPECT_EQ(records->windowTitle(), QStringLiteral("Norppala - Ennätykset"));
    EXPECT_EQ(records->size(), records->minimumSize());
    EXPECT_EQ(records->size(), records->maximumSize());

    const QStringList expected = {QStringLiteral("Jörö 2344g 2"),
                                  "Pelaaja 11 1100g 1",
                                  "Pelaaja 10 1000g 1",
                                  "Pelaaja 9 900g 1",
                                  "Pelaaja 8 800g 1",
                                  "Vanha 700g 1",
                                  "Pelaaja 7 700g 1",
                                  "Uusi 700g 2",
                                  "Pelaaja 6 600g 1",
                                  "Pelaaja 5 500g 1"};
    for (int place = 1; place <= 10; ++place) {
        EXPECT_EQ(row(place), expected[place - 1]) << place;
        EXPECT_EQ(text(QStringLiteral("sija%1").arg(place)), QStringLiteral("%1.").arg(place));
    }
    EXPECT_FALSE(control<QLabel>("ennatykset", "tyhja")->isVisible());
    EXPECT_EQ(text("ahven"), "Vanha, 700g");
    EXPECT_EQ(text("hauki"), QStringLiteral("Jörö, 2099g"));

    click("ennatykset", "Command1"); // "Pois"
    EXPECT_EQ(window("ennatykset"), nullptr);
    EXPECT_EQ(forms.active(), window("menu"));
    // Ctrl+E is not the records key; the close box closes as "Pois" does.
    QTest::keyClick(window("menu"), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(window("ennatykset"), nullptr);
    QTest::keyClick(window("menu"), Qt::Key_E);
    settle();
    window("ennatykset")->close();
    settle();
    EXPECT_EQ(window("ennatykset"), nullptr);
}

TEST_F(RecordsTest, NoResultsYetAndNamesTooLongForTheirBox) {
    forms.show("ennatykset");
    settle();
    EXPECT_TRUE(control<QLabel>("ennatykset", "tyhja")->isVisible());
    EXPECT_EQ(row(1), "-");
    EXPECT_EQ(text("ahven"), QStringLiteral("ei vielä yhtään"));

    // Opened again from the results window, it shows what was saved meanwhile.
    const QString longName = QString(100, QLatin1Char('W'));
    saved(longName, {{"hauki", 1500}}, 10);
    saved("  ", {{"ahven", 150}}, 10);
    openResults({});
    click("loppu", "Command3");
    EXPECT_NE(window("loppu"), nullptr);
    auto* name = control<QLabel>("ennatykset", "nimi1");
    EXPECT_TRUE(name->text().endsWith(QStringLiteral("…")));
    EXPECT_EQ(name->toolTip(), longName);
    EXPECT_EQ(spoken(name), longName);
    EXPECT_EQ(text("nimi2"), QStringLiteral("(nimetön)"));
    EXPECT_TRUE(text("hauki").endsWith(QStringLiteral("…, 1500g")));
    for (Label* label : window("ennatykset")->findChildren<Label*>()) {
        SCOPED_TRACE(label->objectName().toStdString());
        const int flags = label->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
        const QRect needed = label->fontMetrics().boundingRect(
            QRect(0, 0, label->width(), 1000), flags | label->alignment(), label->text());
        EXPECT_LE(needed.width(), label->width());
        EXPECT_LE(needed.height(), label->height());
    }
}

TEST_F(RecordsTest, ResultsAnnounceATotalAboveEverySavedOneBeforeAndAfterSaving) {
    auto notice = [this] { return control<QLabel>("loppu", "ennatys")->isVisible(); };
    openResults({});
    EXPECT_FALSE(notice()) << "an empty catch is never a record";
    openResults({{"ahven", 100}});
    EXPECT_TRUE(notice()) << "the first saved catch will be the record";

    saved("Ville", {{"hauki", 1500}, {"ahven", 245}}, 100);
    saved("Liisa", {{"hauki", 1800}}, 100, own);
    for (const int grams : {1745, 1800}) {
        openResults({{"hauki", grams}});
        EXPECT_FALSE(notice()) << grams;
        // A reader hears the total once, as the window opens.
        EXPECT_EQ(announcer.said.count(QStringLiteral("loppu: Yhteispaino %1 grammaa.").arg(grams)),
                  1);
    }
    openResults({{"hauki", 1801}});
    ASSERT_TRUE(notice());
    EXPECT_EQ(announcer.last(), QStringLiteral("loppu: Yhteispaino 1801 grammaa. Uusi ennätys!"));
    EXPECT_EQ(control<QLabel>("loppu", "ennatys")->text(), QStringLiteral("Uusi ennätys!"));
    dialogs.answers.push_back("Ville");
    dialogs.yesNo.push_back(true);
    click("loppu", "Command2");
    EXPECT_TRUE(notice());
    click("loppu", "Command3");
    EXPECT_EQ(row(1), "Ville 1801g 1");

    // Saved before the saved results are in: the game's own file is no rival,
    // whether the reading came to it or not.
    landed({{"hauki", 2000}});
    forms.unload("loppu");
    settle();
    forms.show("loppu");
    dialogs.answers.push_back("Nopea");
    click("loppu", "Command2");
    EXPECT_TRUE(notice());
}

TEST_F(RecordsTest, ScreenReadersGetFinnishNamesForTheNoticeAndEveryRecord) {
    saved("Ville", {{"hauki", 1500}, {"ahven", 245}}, 100);
    openResults({{"hauki", 2000}});
    auto* notice = control<QLabel>("loppu", "ennatys");
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(notice);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::StaticText);
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Uusi ennätys!"));
    EXPECT_FALSE(face->text(QAccessible::Description).isEmpty());
    EXPECT_FALSE(face->state().invisible);
    QAccessibleInterface* button =
        QAccessible::queryAccessibleInterface(control<QPushButton>("loppu", "Command3"));
    EXPECT_EQ(button->role(), QAccessible::Button);
    EXPECT_EQ(button->text(QAccessible::Name), QStringLiteral("Ennätykset"));

    click("loppu", "Command3");
    QStringList row;
    for (const char* cell : {"sija1", "nimi1", "paino1", "kaloja1", "ahven", "Command1"}) {
        row << spoken(control<QWidget>("ennatykset", cell));
    }
    EXPECT_EQ(row, (QStringList{"1. sija", "Ville", "1745 grammaa", "2 kalaa", "Ville, 245 grammaa",
                                "Pois"}));
    EXPECT_EQ(spoken(window("ennatykset")), QStringLiteral("Ennätykset"));
}

TEST_F(RecordsTest, PoistuAndPelaaCloseTheRecords) {
    for (const char* item : {"Label5", "Label2"}) {
        forms.show("menu");
        settle();
        QTest::keyClick(window("menu"), Qt::Key_E);
        ASSERT_NE(window("ennatykset"), nullptr);
        click("menu", item);
        EXPECT_EQ(window("ennatykset"), nullptr) << item;
    }
    EXPECT_EQ(forms.loadedNames(), QStringList{"aloita"});
}

TEST_F(RecordsTest, EveryOneOfTwentyThousandResultsCountsTheOwnFolderFirst) {
    // Many results of 500 g, each newer than the one before or as new and
    // later by name.
    for (int i = 1; i < 20000; ++i) {
        QFile file(data + QStringLiteral("/p%1.kal").arg(i, 5, 10, QLatin1Char('0')));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("ahven = 500g\r\n");
    }
    // The best three: the player's own best in the own folder, the next two among the many.
    QByteArray best;
    for (int i = 0; i < 13; ++i) {
        best += "hauki = 2000g\r\n";
    }
    written(own, "Oma.kal", best + "hauki = 2099g\r\nhauki = 1901g\r\nN\xE4m\xE4 kalat sai Oma\r\n",
            500);
    written(data, "Toinen.kal", best.left(12 * 15) + "hauki = 1800g\r\n", 500);
    written(data, "Kolmas.kal", best.left(10 * 15) + "ahven = 799g\r\n", 500);
    // Equal in everything but the folder: the own folder's comes first.
    written(own, "p00000.kal", "ahven = 500g\r\n", 1000);
    written(data, "p00000.kal", "ahven = 500g\r\n", 1000);

    forms.show("ennatykset");
    // Shown at once, before a file is read; the records come when they are read.
    EXPECT_EQ(text("tyhja"), QStringLiteral("Luetaan tuloksia…"));
    EXPECT_TRUE(shown("tyhja"));
    EXPECT_EQ(row(1), "-");
    EXPECT_FALSE(shown("ahven"));
    settle();
    const QStringList expected = {
        "Oma 30000g 15", "Toinen 25800g 13", "Kolmas 20799g 11", "p00000 500g 1", "p00000 500g 1",
        "p00001 500g 1", "p00002 500g 1",    "p00003 500g 1",    "p00004 500g 1", "p00005 500g 1"};
    for (int place = 1; place <= 10; ++place) {
        EXPECT_EQ(row(place), expected[place - 1]) << place;
    }
    EXPECT_EQ(text("hauki"), "Oma, 2099g");
    EXPECT_EQ(text("ahven"), "Kolmas, 799g");
    EXPECT_FALSE(shown("tyhja"));
    EXPECT_FALSE(shown("ohitetut"));
}

TEST_F(RecordsTest, FilesNoGameCouldHaveWrittenAreLeftOutAndCounted) {
    QByteArray tooMany;
    for (int i = 0; i < 21; ++i) {
        tooMany += "hauki = 2000g\r\n";
    }
    written(data, "Huijari.kal", tooMany + "N\xE4m\xE4 kalat sai Huijari\r\n", 100);
    QByteArray huge;
    while (huge.size() < 1024 * 1024) {
        huge += "hauki = 1234g\r\n";
    }
    written(data, "Valtava.kal", huge, 100);
    written(data, "Raskas.kal", "hauki = 5000g\r\n", 100);
    written(own, "Lohi.kal", "lohi = 1500g\r\n", 100);
    // By hand in an editor: LF line ends, UTF-8, blanks around "=", a note.
    written(
        own, "Kasin.kal",
        QStringLiteral("hauki=1500 g\nahven =  245g\nhyvä päivä\nnämä kalat sai Käsin\n").toUtf8(),
        100);
    saved("Ville", {{"hauki", 1500}}, 100);

    forms.show("ennatykset");
    settle();
    EXPECT_EQ(row(1), QStringLiteral("Käsin 1745g 2"));
    EXPECT_EQ(row(2), "Ville 1500g 1");
    EXPECT_EQ(row(3), "-");
    EXPECT_EQ(text("hauki"), QStringLiteral("Käsin, 1500g"));
    ASSERT_TRUE(shown("ohitetut"));
    EXPECT_EQ(text("ohitetut"),
              QStringLiteral("4 tulostiedostoa ohitettiin (vioittuneita tai lukukelvottomia)."));
    auto* notice = control<QLabel>("ennatykset", "ohitetut");
    const QRect needed = notice->fontMetrics().boundingRect(
        QRect(0, 0, notice->width(), 1000), Qt::TextWordWrap | notice->alignment(), notice->text());
    EXPECT_LE(needed.height(), notice->height());

    // 1800 g is more than any result a game could have saved.
    openResults({{"hauki", 1800}});
    EXPECT_TRUE(control<QLabel>("loppu", "ennatys")->isVisible());
}

TEST_F(RecordsTest, ASpeciesNeverSavedIsNoneYetNeverZeroGrams) {
    const QString none = QStringLiteral("ei vielä yhtään");
    saved("Ahvenia", {{"ahven", 300}, {"ahven", 450}}, 100);
    saved("Tyhja", {}, 50);
    written(own, "Nolla.kal", "hauki = 0g\r\n", 10);
    forms.show("ennatykset");
    settle();
    EXPECT_EQ(text("ahven"), "Ahvenia, 450g");
    EXPECT_EQ(text("hauki"), none);
    EXPECT_EQ(text("ohitetut"),
              QStringLiteral("1 tulostiedosto ohitettiin (vioittunut tai lukukelvoton)."));
    forms.unload("ennatykset");
    settle();

    QFile::remove(data + "/Ahvenia.kal");
    saved("Haukia", {{"hauki", 900}}, 100);
    forms.show("ennatykset");
    settle();
    EXPECT_EQ(text("ahven"), none);
    EXPECT_EQ(text("hauki"), "Haukia, 900g");
    // The empty catch saved under "Tyhja" ranks nowhere: it is no record.
    EXPECT_EQ(row(1), "Haukia 900g 1");
    EXPECT_EQ(row(2), "-");
}

// The rows are a table a screen reader reads with its own keys: a cell at a
// time under its column's heading, rows only as many as there are results.
// The arrows and Home and End move the keyboard's place, which the reader is
// told has the focus.
TEST_F(RecordsTest, TheRowsAreATableOfShownResultsUnderTheirHeadings) {
    forms.show("ennatykset");
    settle();
    auto* table = control<LabelTable>("ennatykset", "taulukko");
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(table);
    ASSERT_NE(face->tableInterface(), nullptr);
    EXPECT_EQ(face->tableInterface()->rowCount(), 0);
    // The window opens on the table, which says why it is empty.
    EXPECT_EQ(window("ennatykset")->focusWidget(), table);
    EXPECT_EQ(face->text(QAccessible::Description),
              QStringLiteral("Tuloksia ei ole vielä tallennettu."));
    forms.unload("ennatykset");
    settle();

    saved("Ville", {{"hauki", 1500}, {"ahven", 245}}, 100);
    saved("Liisa", {{"hauki", 1800}}, 200);
    saved(QStringLiteral("Jörö"), {{"ahven", 300}}, 300);
    forms.show("ennatykset");
    settle();
    table = control<LabelTable>("ennatykset", "taulukko");
    face = QAccessible::queryAccessibleInterface(table);
    QAccessibleTableInterface* grid = face->tableInterface();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Table);
    ASSERT_EQ(grid->rowCount(), 3);
    ASSERT_EQ(grid->columnCount(), 4);
    EXPECT_EQ(face->childCount(), 12);
    QStringList rows;
    for (int r = 0; r < 3; ++r) {
        QStringList cells;
        for (int c = 0; c < 4; ++c) {
            QAccessibleInterface* cell = grid->cellAt(r, c);
            ASSERT_NE(cell, nullptr);
            EXPECT_EQ(cell->role(), QAccessible::Cell);
            EXPECT_EQ(face->indexOfChild(cell), r * 4 + c);
            EXPECT_EQ(cell->tableCellInterface()->rowIndex(), r);
            EXPECT_EQ(cell->tableCellInterface()->columnIndex(), c);
            cells << cell->text(QAccessible::Name);
        }
        rows << cells.join(" | ");
    }
    EXPECT_EQ(rows, (QStringList{"1. sija | Liisa | 1800 grammaa | 1 kala",
                                 "2. sija | Ville | 1745 grammaa | 2 kalaa",
                                 "3. sija | Jörö | 300 grammaa | 1 kala"}));
    EXPECT_EQ(grid->cellAt(3, 0), nullptr) << "a hidden row is no row";
    QStringList headings;
    for (int c = 0; c < 4; ++c) {
        const auto heads = grid->cellAt(0, c)->tableCellInterface()->columnHeaderCells();
        headings << (heads.isEmpty() ? QStringLiteral("-")
                                     : heads.first()->text(QAccessible::Name));
        EXPECT_EQ(grid->columnDescription(c), heads.isEmpty() ? QString() : headings.last());
    }
    EXPECT_EQ(headings, (QStringList{"-", "Nimi", "Paino", "Kaloja"}));

    EXPECT_EQ(face->text(QAccessible::Description), QString());
    ASSERT_EQ(table->focusPolicy(), Qt::TabFocus);
    ASSERT_TRUE(table->hasFocus());
    auto press = [table](Qt::Key key) { QTest::keyClick(table, key); };
    auto focusedCell = [grid] {
        QString at;
        for (int r = 0; r < grid->rowCount(); ++r) {
            for (int c = 0; c < grid->columnCount(); ++c) {
                if (grid->cellAt(r, c)->state().focused) {
                    at += grid->cellAt(r, c)->text(QAccessible::Name);
                }
            }
        }
        return at;
    };
    EXPECT_EQ(focusedCell(), "1. sija");
    press(Qt::Key_Right);
    press(Qt::Key_Down);
    EXPECT_EQ(focusedCell(), "Ville");
    press(Qt::Key_End);
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    EXPECT_EQ(focusedCell(), "1 kala");
    EXPECT_EQ(table->current(), QPoint(3, 2));
    press(Qt::Key_Home);
    press(Qt::Key_Up);
    EXPECT_EQ(table->current(), QPoint(3, 0));
    press(Qt::Key_Down);
    EXPECT_EQ(focusedCell(), "2 kalaa");
}
