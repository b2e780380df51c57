#include "core/module1.h"
#include "core/resultfile.h"
#include "support/fulldisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

Module1 catchOf(const std::vector<std::pair<QString, int>>& fish) {
    Module1 state;
    state.clearCatch();
    for (const auto& [species, weight] : fish) {
        ++state.fish_count;
        state.catch_table[state.fish_count][1] = species;
        state.catch_table[state.fish_count][2] = static_cast<qint16>(weight);
    }
    return state;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

struct DataFolder {
    QTemporaryDir dir;
    QString appPath = dir.path();
    QString data = appPath + QStringLiteral("/data");
    DataFolder() { QDir().mkpath(data); }
    QStringList entries() const {
        return QDir(data).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

} // namespace

TEST(ResultFileBytes, CatchLinesThenNameLineInWindows1252WithCrLf) {
    const QByteArray pike = resultFileBytes(catchOf({{"hauki", 1500}}), "kalastaja");
    EXPECT_EQ(pike.toHex(' '), QByteArray("68 61 75 6b 69 20 3d 20 31 35 30 30 67 0d 0a 4e e4 6d "
                                          "e4 20 6b 61 6c 61 74 20 73 61 69 20 6b 61 6c 61 73 74 "
                                          "61 6a 61 0d 0a"));

    EXPECT_EQ(resultFileBytes(catchOf({}), "Pekka"), QByteArray("N\xE4m\xE4 kalat sai Pekka\r\n"));
    EXPECT_EQ(resultFileBytes(catchOf({}), QStringLiteral("Jörö")),
              QByteArray("N\xE4m\xE4 kalat sai J\xF6r\xF6\r\n"));
    EXPECT_EQ(resultFileBytes(catchOf({}), "   "), QByteArray("N\xE4m\xE4 kalat sai    \r\n"));
}

TEST(ResultFileBytes, FullCatchGivesTwentyOneLinesInLandingOrder) {
    std::vector<std::pair<QString, int>> fish;
    for (int i = 1; i <= 20; ++i) {
        fish.emplace_back(i % 2 ? "ahven" : "hauki", 100 * i);
    }
    const QByteArray bytes = resultFileBytes(catchOf(fish), "Liisa");

    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), 22);
    EXPECT_TRUE(lines.last().isEmpty()) << "nothing may follow the last CR LF";
    for (int i = 0; i < 21; ++i) {
        ASSERT_TRUE(lines[i].endsWith('\r')) << "line " << i + 1;
    }
    EXPECT_EQ(lines[0], QByteArray("ahven = 100g\r"));
    EXPECT_EQ(lines[1], QByteArray("hauki = 200g\r"));
    EXPECT_EQ(lines[19], QByteArray("hauki = 2000g\r"));
    EXPECT_EQ(lines[20], QByteArray("N\xE4m\xE4 kalat sai Liisa\r"));
    EXPECT_EQ(bytes.count('\r'), 21);
}

TEST(ResultFileBytes, StaysWithinTheTableAndWritesUnencodableCharactersAsQuestionMarks) {
    Module1 tooMany = catchOf({{"hauki", 700}});
    tooMany.fish_count = 25;
    EXPECT_EQ(resultFileBytes(tooMany, "x").count("\r\n"), 21);

    Module1 negative = catchOf({{"hauki", 700}});
    negative.fish_count = -3;
    EXPECT_EQ(resultFileBytes(negative, "x"), QByteArray("N\xE4m\xE4 kalat sai x\r\n"));

    EXPECT_EQ(resultFileBytes(catchOf({}), QStringLiteral("a\u03A9b\U0001F41Fc")),
              QByteArray("N\xE4m\xE4 kalat sai a?b?c\r\n"));
}

TEST(RefuseReason, AcceptsNamesThatStayOneFileInTheDataFolder) {
    const QStringList accepted = {"kalastaja",
                                  QStringLiteral("Jörö"),
                                  "   ",
                                  "a.b",
                                  "...",
                                  "con2",
                                  "COM0",
                                  "LPT10",
                                  "connie",
                                  "nul-kala",
                                  "auxiliary",
                                  QStringLiteral("€uro"),
                                  QString(100, 'x'),
                                  QStringLiteral("Matti Meikäläinen")};
    for (const QString& name : accepted) {
        EXPECT_EQ(refuseReason(name), std::nullopt) << name.toStdString();
    }
}

TEST(RefuseReason, RefusesEveryNameThatIsNotOneSafeFile) {
    const QStringList refused = {"a/b",
                                 "a\\b",
                                 "..\\x",
                                 "../x",
                                 "c:x",
                                 "a*",
                                 "a?",
                                 "say \"hi\"",
                                 "<x",
                                 "x>",
                                 "a|b",
                                 QString(QChar(0)) + "x",
                                 "tab\there",
                                 "line\r\n",
                                 QString(QChar(0x7F)),
                                 QString(QChar(0x85)),
                                 QString(QChar(0x9F)),
                                 ".",
                                 "..",
                                 "CON",
                                 "con",
                                 "Con.txt",
                                 "nul.kal",
                                 "AUX",
                                 "prn",
                                 "COM1",
                                 "com9.x",
                                 "LPT1",
                                 "lpt5.a.b",
                                 "CON ",
                                 QStringLiteral("COM¹"),
                                 QString(101, 'x'),
                                 QStringLiteral("\u03A9"),
                                 QStringLiteral("kala\U0001F41F")};
    for (const QString& name : refused) {
        const auto reason = refuseReason(name);
        ASSERT_TRUE(reason.has_value()) << name.toStdString();
        EXPECT_FALSE(reason->isEmpty()) << name.toStdString();
    }
}

TEST(SaveResultFile, FailedWriteKeepsTheOldFileAndIsReported) {
    DataFolder folder;
    const QString file = folder.data + "/Ville.kal";
    const QByteArray old("hauki = 1500g\r\nN\xE4m\xE4 kalat sai Ville\r\n");
    ASSERT_TRUE(writeFile(file, old));

    const auto problem =
        saveResultFile(catchOf({{"ahven", 90}}), folder.appPath, "Ville",
                       [](const QString& path) { return std::make_unique<FullDisk>(path); });
    ASSERT_TRUE(problem.has_value());
    EXPECT_TRUE(problem->contains("Ville.kal"));
    EXPECT_EQ(readAll(file), old);
    EXPECT_EQ(folder.entries(), QStringList{"Ville.kal"}) << "no half-written leftovers";

    // A first save that fails leaves no file at all.
    EXPECT_TRUE(saveResultFile(catchOf({}), folder.appPath, "Uusi", [](const QString& path) {
                    return std::make_unique<FullDisk>(path);
                }).has_value());
    EXPECT_FALSE(QFile::exists(folder.data + "/Uusi.kal"));
}

TEST(SaveResultFile, MissingDataFolderIsReportedNotCreated) {
    QTemporaryDir dir;
    const auto problem = saveResultFile(catchOf({}), dir.path(), "Ville");
    ASSERT_TRUE(problem.has_value());
    EXPECT_FALSE(QFile::exists(dir.path() + "/data"));
}

TEST(SaveResultFile, ReadOnlyDataFolderKeepsTheOldFileAndIsReported) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "running as root, where a read-only folder can still be written; "
                        "the full-disk test covers the failure path";
    }
    DataFolder folder;
    const QString file = folder.data + "/Ville.kal";
    const QByteArray old("N\xE4m\xE4 kalat sai Ville\r\n");
    ASSERT_TRUE(writeFile(file, old));
    QFile::setPermissions(folder.data, QFile::ReadOwner | QFile::ExeOwner);

    const auto problem = saveResultFile(catchOf({{"hauki", 300}}), folder.appPath, "Ville");
    QFile::setPermissions(folder.data, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(problem.has_value());
    EXPECT_EQ(readAll(file), old);
}
