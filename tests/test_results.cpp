#include "results/loppu.h"
#include "support/world.h"

#include "core/paths.h"
#include "support/fulldisk.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QSaveFile>
#include <QStandardPaths>
#include <utility>
#include <vector>

namespace {

class ResultsWindow : public World {
protected:
    void landed(const std::vector<std::pair<QString, int>>& fish) {
        state.clearCatch();
        for (const auto& [species, weight] : fish) {
            ++state.fish_count;
            state.catch_table[state.fish_count][1] = species;
            state.catch_table[state.fish_count][2] = static_cast<qint16>(weight);
        }
    }

    // Opens the results window afresh for the catch now in the state.
    void openResults() {
        forms.unload("loppu");
        settle();
        forms.show("loppu");
        settle();
    }

    QStringList listed() const {
        QStringList items;
        if (auto* list = control<QListWidget>("loppu", "List1")) {
            for (int i = 0; i < list->count(); ++i) {
                items << list->item(i)->text();
            }
        }
        return items;
    }

    QString total() const {
        auto* label = control<QLabel>("loppu", "tot");
        return label ? label->text() : QString();
    }

    void saveAs(const QString& name) {
        dialogs.answers.push_back(name);
        click("loppu", "Command2");
    }

    QByteArray contents(const QString& name) const {
        QFile file(path("\\data\\" + name + ".kal"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Every file under the program's folder with its bytes.
    QStringList everything() const {
        QStringList files;
        QDirIterator it(appPath, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            QFile f(file);
            f.open(QIODevice::ReadOnly);
            files << file + " " + QString::fromLatin1(f.readAll().toHex());
        }
        files.sort();
        return files;
    }
};

} // namespace

TEST_F(ResultsWindow, ListsTheCatchInLandingOrderWithItsTotal) {
    landed({{"hauki", 1500}, {"ahven", 245}});
    openResults();
    EXPECT_EQ(listed(), (QStringList{"hauki = 1500g", "ahven = 245g"}));
    EXPECT_EQ(total(), "1745g");

    std::vector<std::pair<QString, int>> twenty;
    QStringList expected;
    int sum = 0;
    for (int i = 1; i <= 20; ++i) {
        twenty.emplace_back(i % 3 ? "ahven" : "hauki", 10 * i + (i % 7));
        expected << QStringLiteral("%1 = %2g").arg(twenty.back().first).arg(twenty.back().second);
        sum += twenty.back().second;
    }
    landed(twenty);
    openResults();
    EXPECT_EQ(listed(), expected);
    EXPECT_EQ(total(), QString::number(sum) + "g");

    // A heavy full catch passes what 16 bits can hold.
    landed(std::vector<std::pair<QString, int>>(20, {"hauki", 2099}));
    openResults();
    EXPECT_EQ(listed().size(), 20);
    EXPECT_EQ(total(), "41980g");

    // The next game lands nothing: none of the earlier fish show.
    state.clearCatch();
    openResults();
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(total(), "0g");
}

TEST_F(ResultsWindow, TakesTheGamesPlaceWhenTimeIsUpAndOkReturnsToTheMenu) {
    forms.show("peli");
    settle();
    ASSERT_NE(window("peli"), nullptr);

    advance(180 * 1000);
    EXPECT_EQ(forms.loadedNames(), QStringList{"loppu"});
    EXPECT_EQ(forms.active(), window("loppu"));
    EXPECT_EQ(players.of("peli").last(), "destroyed");

    click("loppu", "Command1");
    EXPECT_EQ(window("loppu"), nullptr);
    ASSERT_NE(window("menu"), nullptr);
    EXPECT_EQ(forms.active(), window("menu"));
}

TEST_F(ResultsWindow, SavingAsksTheNameAndWritesTheFileByteForByte) {
    landed({{"hauki", 1500}});
    openResults();
    saveAs("kalastaja");

    EXPECT_EQ(dialogs.questions, QStringList{"Norppala|Kuka olet?"});
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(contents("kalastaja").toHex(' '),
              QByteArray("68 61 75 6b 69 20 3d 20 31 35 30 30 67 0d 0a 4e e4 6d e4 20 6b 61 6c 61 "
                         "74 20 73 61 69 20 6b 61 6c 61 73 74 61 6a 61 0d 0a"));
    // The screen itself is unchanged and can save again.
    EXPECT_EQ(listed(), QStringList{"hauki = 1500g"});
    EXPECT_EQ(total(), "1500g");

    landed({});
    openResults();
    saveAs(QStringLiteral("Jörö"));
    EXPECT_EQ(contents(QStringLiteral("Jörö")), QByteArray("N\xE4m\xE4 kalat sai J\xF6r\xF6\r\n"));

    saveAs("  ");
    EXPECT_EQ(contents("  "), QByteArray("N\xE4m\xE4 kalat sai   \r\n"));
}

TEST_F(ResultsWindow, CancelOrEmptyNameTouchesNothing) {
    landed({{"hauki", 1500}});
    openResults();
    saveAs("kalastaja");
    const QStringList before = everything();

    saveAs("");
    click("loppu", "Command2"); // no scripted answer: the player cancels
    EXPECT_EQ(dialogs.questions.size(), 3);
    EXPECT_EQ(everything(), before);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ResultsWindow, ATakenNameIsReplacedOnlyWhenThePlayerSaysSo) {
    landed({{"hauki", 1500}, {"ahven", 245}});
    openResults();
    saveAs("Ville");
    saveAs("Liisa");
    EXPECT_TRUE(dialogs.yesNoQuestions.isEmpty()) << "a free name asks nothing";
    const QByteArray better = contents("Ville");
    const QByteArray liisa = contents("Liisa");

    // No keeps every byte and asks for another name; Cancel there ends it.
    landed({{"ahven", 90}});
    openResults();
    const QStringList before = everything();
    saveAs("Ville");
    EXPECT_EQ(dialogs.yesNoQuestions,
              QStringList{"Norppala|Nimellä \"Ville\" on jo tallennettu tulos (1745 g). "
                          "Korvataanko?"});
    EXPECT_EQ(dialogs.questions.size(), 4);
    EXPECT_EQ(dialogs.questions.last(), "Norppala|Kuka olet?");
    EXPECT_EQ(everything(), before);

    // No, then a free name: the game is saved under that one.
    dialogs.answers = {"Ville", "Ville2"};
    click("loppu", "Command2");
    EXPECT_EQ(contents("Ville"), better);
    EXPECT_EQ(contents("Ville2"), QByteArray("ahven = 90g\r\nN\xE4m\xE4 kalat sai Ville2\r\n"));

    // Yes replaces, even with a worse result, and only that file.
    dialogs.yesNo.push_back(true);
    saveAs("Ville");
    EXPECT_EQ(contents("Ville"), QByteArray("ahven = 90g\r\nN\xE4m\xE4 kalat sai Ville\r\n"));
    EXPECT_EQ(contents("Liisa"), liisa);
    EXPECT_EQ(dialogs.yesNoQuestions.size(), 3);
    EXPECT_TRUE(dialogs.answers.empty());
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // A file of that name that no game could have written is asked about too.
    QFile edited(path("\\data\\Outo.kal"));
    ASSERT_TRUE(edited.open(QIODevice::WriteOnly));
    edited.write("hauki = 99999g\r\n");
    edited.close();
    saveAs("Outo");
    EXPECT_EQ(dialogs.yesNoQuestions.last(),
              "Norppala|Nimellä \"Outo\" on jo tallennettu tiedosto. Korvataanko?");
    EXPECT_EQ(contents("Outo"), QByteArray("hauki = 99999g\r\n"));
}

TEST_F(ResultsWindow, UnsafeNamesAreRefusedWithAMessageAndWriteNothingAnywhere) {
    landed({{"hauki", 1500}});
    openResults();
    const QStringList before = everything();

    const QStringList refused = {"..\\pois",
                                 "../../pois",
                                 "ala/kansio",
                                 "c:kala",
                                 "kala*",
                                 "mitä?",
                                 "\"x\"",
                                 "<x>",
                                 "a|b",
                                 "rivi\nkaksi",
                                 "\x7f",
                                 ".",
                                 "..",
                                 "CON",
                                 "com1.txt",
                                 "lpt9",
                                 QString(101, 'k'),
                                 QStringLiteral("\u20BD")};
    for (const QString& name : refused) {
        dialogs.messages.clear();
        saveAs(name);
        EXPECT_EQ(dialogs.messages.size(), 1) << name.toStdString();
        if (!dialogs.messages.isEmpty()) {
            EXPECT_TRUE(dialogs.messages.first().startsWith("Norppala|Tulosta ei tallennettu"))
                << dialogs.messages.first().toStdString();
        }
        EXPECT_FALSE(QFile::exists(appFile(appPath, "\\data\\" + name + ".kal")))
            << name.toStdString();
    }
    EXPECT_EQ(everything(), before);
}

TEST_F(ResultsWindow, FailedSaveKeepsTheOldFileAndTellsThePlayer) {
    landed({{"hauki", 1500}});
    openResults();
    saveAs("Ville");
    const QByteArray old = contents("Ville");
    ASSERT_FALSE(old.isEmpty());

    landed({{"ahven", 90}});
    openResults();
    forms.find<Loppu>("loppu")->setSaveDevice(
        [](const QString& path) { return std::make_unique<FullDisk>(path); });
    dialogs.yesNo.push_back(true);
    saveAs("Ville");

    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages.first().contains("Tulosta ei voitu tallentaa"));
    EXPECT_EQ(contents("Ville"), old);
}

TEST_F(ResultsWindow, InstalledGameSavesIntoThePlayersOwnFolderAndSaysWhere) {
    QStandardPaths::setTestModeEnabled(true);
    const QString own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QFile::remove(own + "/Ville.kal");
    // A result of the name beside the program is not the one a save there replaces.
    QFile beside(path("\\data\\Ville.kal"));
    ASSERT_TRUE(beside.open(QIODevice::WriteOnly));
    beside.write("hauki = 2000g\r\n");
    beside.close();
    landed({{"hauki", 1500}});
    openResults();
    const QStringList before = everything();
    forms.find<Loppu>("loppu")->setFolderCheck([](const QString&) { return false; });
    saveAs("Ville");
    EXPECT_TRUE(dialogs.yesNoQuestions.isEmpty());

    QFile saved(own + "/Ville.kal");
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray first = saved.readAll();
    saved.close();
    EXPECT_EQ(first, QByteArray("hauki = 1500g\r\nN\xE4m\xE4 kalat sai Ville\r\n"));
    EXPECT_EQ(everything(), before) << "nothing is written beside the program";
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages.first().contains(QDir::toNativeSeparators(own + "/Ville.kal")));

    // Saving there again asks about the result saved there.
    landed({{"ahven", 90}});
    openResults();
    forms.find<Loppu>("loppu")->setFolderCheck([](const QString&) { return false; });
    saveAs("Ville");
    EXPECT_EQ(dialogs.yesNoQuestions,
              QStringList{"Norppala|Nimellä \"Ville\" on jo tallennettu tulos (1500 g). "
                          "Korvataanko?"});
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), first);
    saved.close();

    // Refusals still hold there.
    saveAs("..");
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_FALSE(QFile::exists(own + "/...kal"));
    QFile::remove(own + "/Ville.kal");
    QStandardPaths::setTestModeEnabled(false);
}
