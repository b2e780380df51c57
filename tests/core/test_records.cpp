#include "core/module1.h"
#include "core/records.h"
#include "core/recordsreader.h"
#include "core/resultfile.h"
#include "support/printers.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
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

std::optional<SavedResult> parse(const QByteArray& bytes) {
    return parseResultFile(bytes, QStringLiteral("Tiedosto.kal"));
}

// A result's figures in one line: "name: total, fish, biggest perch, biggest pike",
// or "no game's" for a file no game could have written.
QString figures(const std::optional<SavedResult>& r) {
    if (!r) {
        return QStringLiteral("no game's");
    }
    return QStringLiteral("%1: %2g %3 %4 %5")
        .arg(r->name)
        .arg(r->total)
        .arg(r->fish)
        .arg(r->biggestPerch)
        .arg(r->biggestPike);
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
    const QStringList players = {QStringLiteral("Jörö Ääliö"), QStringLiteral("  "),
                                 QStringLiteral("€uro = 5g"), QString(100, QLatin1Char('b'))};
    for (int count = 0; count <= Module1::kRows; ++count) {
        std::vector<std::pair<QString, int>> fish;
        SavedResult expected;
        expected.name = players[count % players.size()];
        expected.fish = count;
        for (int i = 0; i < count; ++i) {
            const int grams = 100 + (i * 379 + count * 53) % 2000;
            const bool perch = grams < 800;
            fish.emplace_back(perch ? "ahven" : "hauki", grams);
            expected.total += grams;
            int& biggest = perch ? expected.biggestPerch : expected.biggestPike;
            biggest = std::max(biggest, grams);
        }
        EXPECT_EQ(figures(parse(resultFileBytes(caught(fish), expected.name))), figures(expected));
    }
}

TEST(ResultFileReader, HandEditedFilesAGameCouldHaveWrittenAreRead) {
    // LF or CR line ends, blank lines, blanks around the parts, capitals, notes.
    EXPECT_EQ(figures(parse("hauki=1500 g\n\n  ahven =  245g  \rHAUKI = 2000G\n"
                            "muistiinpano\nnämä kalat sai Ville")),
              "Ville: 3745g 3 245 2000");
    // The lightest and heaviest fish of each species; leading zeros.
    EXPECT_EQ(figures(parse("ahven = 100g\r\nahven = 799g\r\nhauki = 800g\r\nhauki = 2099g\r\n"
                            "ahven = 0100g\r\nN\xE4m\xE4 kalat sai X\r\n")),
              "X: 3898g 5 799 2099");

    // Saved as UTF-8 by an editor, with or without a byte-order mark.
    for (const QByteArray& head : {QByteArray(), QByteArray("\xEF\xBB\xBF")}) {
        EXPECT_EQ(
            figures(parse(head + QStringLiteral("ahven = 300g\nNämä kalat sai Jörö\n").toUtf8())),
            QStringLiteral("Jörö: 300g 1 300 0"));
    }

    // No name line, or an empty name: the file's name names the catch; of two
    // name lines the last one counts.
    EXPECT_EQ(parse("ahven = 300g\r\n")->name, "Tiedosto");
    EXPECT_EQ(parse("N\xE4m\xE4 kalat sai \r\n")->name, "Tiedosto");
    EXPECT_EQ(parse("N\xE4m\xE4 kalat sai A\r\nN\xE4m\xE4 kalat sai B\r\n")->name, "B");
    EXPECT_EQ(parseResultFile("", QStringLiteral(".kal"))->name, "");

    // Control characters cannot reach the window; a long name is cut.
    static const char controls[] = "N\xE4m\xE4 kalat sai a\tb\x1b[31m\x7f\x81\0c";
    EXPECT_EQ(parse(QByteArray(controls, sizeof controls - 1))->name, "a?b?[31m???c");
    EXPECT_EQ(parse("N\xE4m\xE4 kalat sai " + QByteArray(5000, 'x'))->name.size(),
              kMaxReadNameLength);
    const QString emoji = QString(kMaxReadNameLength - 1, QLatin1Char('x')) + QStringLiteral("🐟");
    EXPECT_EQ(parse(("N\xC3\xA4m\xC3\xA4 kalat sai " + emoji).toUtf8())->name,
              QString(kMaxReadNameLength - 1, QLatin1Char('x')));
}

TEST(ResultFileReader, ACatchNoGameCanLandMakesTheFileNoGames) {
    const QByteArray good = "hauki = 1500g\r\nN\xE4m\xE4 kalat sai Ville\r\n";
    ASSERT_EQ(figures(parse(good)), "Ville: 1500g 1 0 1500");
    // Species the lake does not have, weights a strike does not draw, weights
    // that are no plain grams, and no weight or species at all.
    for (const char* line :
         {"s\xE4rki = 100g", "lohi = 1500g", "ahven = 99g", "ahven = 800g", "hauki = 799g",
          "hauki = 2100g", "hauki = 0g", "hauki = 32767g", "hauki = 99999999999999999999g",
          "hauki = -5g", "hauki = 1e3g", "hauki = 1 500g", "hauki = 12 kg", "ahven = g", "= 500g",
          "hauki = 1500g = 1500g"}) {
        SCOPED_TRACE(line);
        EXPECT_EQ(figures(parse(line + QByteArray("\r\n") + good)), "no game's");
        EXPECT_EQ(figures(parse(good + line)), "no game's");
    }
    // A game holds twenty fish.
    QByteArray full;
    for (int fish = 0; fish < 20; ++fish) {
        full += "hauki = 2099g\r\n";
    }
    EXPECT_EQ(figures(parse(full + good.sliced(good.indexOf('N')))), "Ville: 41980g 20 0 2099");
    EXPECT_EQ(figures(parse(full + good)), "no game's");
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

    ASSERT_TRUE(QFile::link(data + "/Ville.kal", data + "/linkki.kal"));
    // A long note is still a result; a file longer than that is none, whatever it holds.
    QByteArray longest = "ahven = 100g\r\n";
    longest += QByteArray(kMaxResultFileBytes - longest.size() - 2, 'x') + "\r\n";
    write(own, "Pitka.kal", longest, 3'000);
    write(own, "Iso.kal", longest + "x", 3'000);

    // The data folder named twice, once by another path, and a folder that is not there.
    const Records records = readRecords({data, own, data + "/../data", dir.path() + "/eiole"}, 100);
    QStringList found;
    for (const SavedResult& r : records.best) {
        found << QStringLiteral("%1 %2 %3 %4g %5 %6")
                     .arg(r.folder)
                     .arg(r.fileName, r.name)
                     .arg(r.total)
                     .arg(r.fish)
                     .arg(r.modifiedNs / 1'000'000);
    }
    EXPECT_EQ(found,
              (QStringList{"0 Ville.kal Ville 1500g 1 1000", "0 linkki.kal Ville 1500g 1 1000",
                           "1 Ville.kal Ville 300g 1 2000", "1 Pitka.kal Pitka 100g 1 3000"}));
    // The hidden file is read too, but its empty catch takes no place.
    EXPECT_EQ(records.read, 5);
    // The folder, the pipe, the links to a device and to nothing, the long file.
    EXPECT_EQ(records.skipped, 5);

    EXPECT_TRUE(readRecords({}, 10).best.empty());
    EXPECT_EQ(resultFolders("/peli").last(), "/peli/data");
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

TEST_F(ResultFolders, AReaderHandsItsRecordsOverOnlyAtTheEventLoopAndOnlyWhileItLives) {
    write(own, "Ville.kal", "hauki = 1500g\r\nN\xE4m\xE4 kalat sai Ville\r\n");
    QStringList heard;
    RecordsReader reader({own}, 10);
    QObject::connect(&reader, &RecordsReader::finished, [&](const Records& records) {
        heard << names(records.best).join(QLatin1Char(','));
    });
    auto gone = std::make_unique<RecordsReader>(QStringList{own}, 10);
    QObject::connect(gone.get(), &RecordsReader::finished,
                     [&](const Records&) { heard << QStringLiteral("gone"); });
    gone.reset();
    EXPECT_TRUE(heard.isEmpty());
    RecordsReader::finishAll();
    QCoreApplication::processEvents();
    EXPECT_EQ(heard, QStringList{"Ville"});
}
