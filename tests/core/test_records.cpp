#include "core/module1.h"
#include "core/records.h"
#include "core/resultfile.h"
#include "support/printers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

Module1 caught(const std::vector<std::pair<QString, int>>& fish) {
    Module1 state;
    state.clearCatch();
    for (const auto& [species, grams] : fish) {
        ++state.fish_count;
        state.catch_table[state.fish_count][1] = species;
        state.catch_table[state.fish_count][2] = static_cast<qint16>(grams);
    }
    return state;
}

SavedResult parse(const QByteArray& bytes, bool cutShort = false) {
    return parseResultFile(bytes, QStringLiteral("Tiedosto.kal"), cutShort);
}

SavedResult saved(const QString& name, qint64 total, qint64 modified, const QString& file = {}) {
    SavedResult result;
    result.name = name;
    result.total = total;
    result.modifiedNs = modified;
    result.fileName = file.isEmpty() ? name + QStringLiteral(".kal") : file;
    return result;
}

QStringList names(const std::vector<SavedResult>& results) {
    QStringList list;
    for (const SavedResult& result : results) {
        list << result.name;
    }
    return list;
}

} // namespace

TEST(ResultFileReader, ReadsBackEveryFileTheGameWrites) {
    // Catches of every size the game can land, under names of every kind it saves.
    const QStringList players = {QStringLiteral("kalastaja"), QStringLiteral("Jörö Ääliö"),
                                 QStringLiteral("  "), QStringLiteral("€uro = 5g"),
                                 QString(100, QLatin1Char('b'))};
    for (int count = 0; count <= Module1::kRows; ++count) {
        std::vector<std::pair<QString, int>> fish;
        qint64 total = 0;
        int perch = 0;
        int pike = 0;
        for (int i = 0; i < count; ++i) {
            const int grams = 100 + (i * 379 + count * 53) % 2000;
            const bool isPerch = grams < 800;
            fish.emplace_back(isPerch ? "ahven" : "hauki", grams);
            total += grams;
            (isPerch ? perch : pike) = std::max(isPerch ? perch : pike, grams);
        }
        const QString& name = players[count % players.size()];
        const SavedResult read = parse(resultFileBytes(caught(fish), name));
        SCOPED_TRACE(count);
        EXPECT_EQ(read.name, name);
        EXPECT_EQ(read.fish, count);
        EXPECT_EQ(read.total, total);
        EXPECT_EQ(read.biggestPerch, perch);
        EXPECT_EQ(read.biggestPike, pike);
    }
}

TEST(ResultFileReader, HandEditedAndDamagedFilesAreReadAsFarAsTheyMakeSense) {
    // LF or CR line ends, blank lines, blanks around the parts, other lines.
    SavedResult read = parse("hauki=1500 g\n\n  ahven =  245g  \rhauki = 12 kg\nHAUKI = 2000G\n"
                             "muistiinpano\n= 5g\nahven = g\nnämä kalat sai Ville");
    EXPECT_EQ(read.name, "Ville");
    EXPECT_EQ(read.fish, 3);
    EXPECT_EQ(read.total, 3745);
    EXPECT_EQ(read.biggestPerch, 245);
    EXPECT_EQ(read.biggestPike, 2000);

    // Weights the catch table could not hold are not fish; other species are.
    read = parse("hauki = 32768g\r\nhauki = 99999999999999999999g\r\nhauki = -5g\r\n"
                 "hauki = 1e3g\r\nhauki = 32767g\r\nsärki = 0100g\r\nN\xE4m\xE4 kalat sai X\r\n");
    EXPECT_EQ(read.fish, 2);
    EXPECT_EQ(read.total, 32867);
    EXPECT_EQ(read.biggestPike, 32767);
    EXPECT_EQ(read.biggestPerch, 0);

    // Saved as UTF-8 by an editor, with or without a byte-order mark.
    for (const QByteArray& head : {QByteArray(), QByteArray("\xEF\xBB\xBF")}) {
        read = parse(head + QStringLiteral("ahven = 300g\nNämä kalat sai Jörö\n").toUtf8());
        EXPECT_EQ(read.name, QStringLiteral("Jörö"));
        EXPECT_EQ(read.total, 300);
    }

    // No name line, or an empty name: the file's name names the catch; of two
    // name lines the last one counts.
    EXPECT_EQ(parse("ahven = 300g\r\n").name, "Tiedosto");
    EXPECT_EQ(parse("N\xE4m\xE4 kalat sai \r\n").name, "Tiedosto");
    EXPECT_EQ(parse("").name, "Tiedosto");
    EXPECT_EQ(parse("N\xE4m\xE4 kalat sai A\r\nN\xE4m\xE4 kalat sai B\r\n").name, "B");
    EXPECT_EQ(parseResultFile("", QStringLiteral(".kal")).name, "");

    // Control characters cannot reach the window; a long name is cut.
    static const char controls[] = "N\xE4m\xE4 kalat sai a\tb\x1b[31m\x7f\x81\0c";
    EXPECT_EQ(parse(QByteArray(controls, sizeof controls - 1)).name, "a?b?[31m???c");
    EXPECT_EQ(parse("N\xE4m\xE4 kalat sai " + QByteArray(5000, 'x')).name.size(),
              kMaxReadNameLength);
    const QString emoji = QString(kMaxReadNameLength - 1, QLatin1Char('x')) + QStringLiteral("🐟");
    EXPECT_EQ(parse(("N\xC3\xA4m\xC3\xA4 kalat sai " + emoji).toUtf8()).name,
              QString(kMaxReadNameLength - 1, QLatin1Char('x')));

    // Cut short part way: the unfinished last line is no fish of 12 g.
    read = parse("hauki = 1200g\r\nhauki = 12", true);
    EXPECT_EQ(read.fish, 1);
    EXPECT_EQ(read.total, 1200);
    EXPECT_EQ(parse("hauki = 12", true).fish, 0);
    EXPECT_EQ(parse("hauki = 12g", false).fish, 1);
}

namespace {

class ResultFolders : public ::testing::Test {
protected:
    void write(const QString& folder, const QString& file, const QByteArray& bytes,
               qint64 msSinceEpoch = 1'700'000'000'000) {
        QDir().mkpath(folder);
        QFile out(folder + QLatin1Char('/') + file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        out.flush();
        ASSERT_TRUE(out.setFileTime(QDateTime::fromMSecsSinceEpoch(msSinceEpoch),
                                    QFileDevice::FileModificationTime));
    }

    QTemporaryDir dir;
    QString data = dir.path() + QStringLiteral("/peli/data");
    QString own = dir.path() + QStringLiteral("/oma");
};

} // namespace

TEST_F(ResultFolders, ReadsPlainResultFilesOfBothFoldersAndNothingElse) {
    write(data, "Ville.kal", "hauki = 1500g\r\nN\xE4m\xE4 kalat sai Ville\r\n", 1'000);
    write(own, "Ville.kal", "ahven = 300g\r\nN\xE4m\xE4 kalat sai Ville\r\n", 2'000);
    write(data, ".piilo.kal", "N\xE4m\xE4 kalat sai .piilo\r\n");
    write(data, "muistio.txt", "hauki = 2000g\r\n");
    write(data, "Kivijarvi.ars", "kivi\r\n");
    ASSERT_TRUE(QDir(data).mkdir("kansio.kal"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(data + "/putki.kal").constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", data + "/nollat.kal"));
    ASSERT_TRUE(QFile::link(data + "/puuttuu", data + "/rikki.kal"));

    // Over the limit: the catch before the cut counts, the name line past it does not.
    QByteArray huge;
    while (huge.size() < kMaxResultFileBytes - 20) {
        huge += "ahven = 100g\r\n";
    }
    const int hugeFish = static_cast<int>(huge.size() / 14);
    huge += QByteArray(100, 'x') + "\r\nN\xE4m\xE4 kalat sai Iso\r\n";
    write(own, "Iso.kal", huge, 3'000);

    // The data folder named twice, once by another path, and a folder that is not there.
    std::vector<SavedResult> results =
        readResults({data, own, data + "/../data", dir.path() + "/eiole"});
    std::sort(results.begin(), results.end(), [](const SavedResult& a, const SavedResult& b) {
        return std::tie(a.folder, a.fileName) < std::tie(b.folder, b.fileName);
    });
    ASSERT_EQ(results.size(), 4u);
    EXPECT_EQ(results[0].fileName, ".piilo.kal");
    EXPECT_EQ(results[0].name, ".piilo");
    EXPECT_EQ(results[1].name, "Ville");
    EXPECT_EQ(results[1].total, 1500);
    EXPECT_EQ(results[1].folder, 0);
    EXPECT_EQ(results[1].modifiedNs, 1'000'000'000);
    EXPECT_EQ(results[2].name, "Iso");
    EXPECT_EQ(results[2].fish, hugeFish);
    EXPECT_EQ(results[2].total, hugeFish * 100);
    EXPECT_EQ(results[3].name, "Ville");
    EXPECT_EQ(results[3].total, 300);
    EXPECT_EQ(results[3].folder, 1);
    EXPECT_EQ(results[3].modifiedNs, 2'000'000'000);

    EXPECT_TRUE(readResults({}).empty());
    EXPECT_EQ(resultFolders("/peli").first(), "/peli/data");
}

TEST(Records, TenBestTotalsWithTiesToTheEarlierFile) {
    std::vector<SavedResult> results;
    for (int i = 0; i < 14; ++i) {
        results.push_back(saved(QStringLiteral("p%1").arg(i), 1000 * i, 100 + i));
    }
    // Equal totals: the older file first, of equally old ones the file name.
    results.push_back(saved("uusi", 9000, 500));
    results.push_back(saved("vanha", 9000, 50));
    results.push_back(saved("B", 9000, 50, "b.kal"));
    results.push_back(saved("A", 9000, 50, "a.kal"));
    std::reverse(results.begin(), results.end());

    const Records records = tallyRecords(results);
    EXPECT_EQ(names(records.best),
              (QStringList{"p13", "p12", "p11", "p10", "A", "B", "vanha", "p9", "uusi", "p8"}));
    EXPECT_EQ(tallyRecords(results, 3).best.size(), 3u);
    EXPECT_TRUE(tallyRecords(results, 0).best.empty());
    EXPECT_TRUE(tallyRecords({}).best.empty());
    EXPECT_FALSE(tallyRecords({}).perch.has_value());
}

TEST(Records, BiggestPerchAndPikeGoToTheEarliestOfEqualFish) {
    SavedResult a = saved("Aino", 0, 300);
    a.biggestPerch = 700;
    a.biggestPike = 1500;
    SavedResult b = saved("Bertta", 0, 100);
    b.biggestPerch = 700;
    SavedResult c = saved("Cecilia", 0, 200);
    c.biggestPike = 2099;
    const Records records = tallyRecords({a, b, c});
    ASSERT_TRUE(records.perch && records.pike);
    EXPECT_EQ(records.perch->name, "Bertta");
    EXPECT_EQ(records.perch->grams, 700);
    EXPECT_EQ(records.pike->name, "Cecilia");
    EXPECT_EQ(records.pike->grams, 2099);

    EXPECT_FALSE(tallyRecords({saved("tyhjä", 0, 1)}).pike.has_value());
}

TEST(Records, ANewRecordBeatsEverySavedTotal) {
    const std::vector<SavedResult> results = {saved("a", 5000, 1), saved("b", 7000, 2)};
    EXPECT_TRUE(beatsEverySaved(7001, results));
    EXPECT_FALSE(beatsEverySaved(7000, results));
    EXPECT_FALSE(beatsEverySaved(6000, results));
    EXPECT_TRUE(beatsEverySaved(1, {}));
    EXPECT_FALSE(beatsEverySaved(0, {}));
}
