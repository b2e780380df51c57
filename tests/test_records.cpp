#include "support/world.h"

#include "core/records.h"
#include "core/resultfile.h"
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

    QByteArray oldDataHome;
    QString own;
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
    }
    openResults({{"hauki", 1801}});
    ASSERT_TRUE(notice());
    EXPECT_EQ(control<QLabel>("loppu", "ennatys")->text(), QStringLiteral("Uusi ennätys!"));
    dialogs.answers.push_back("Ville");
    dialogs.yesNo.push_back(true);
    click("loppu", "Command2");
    EXPECT_TRUE(notice());
    click("loppu", "Command3");
    EXPECT_EQ(row(1), "Ville 1801g 1");
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
