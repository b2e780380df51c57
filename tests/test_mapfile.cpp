#include "core/mapfile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace mapfile;

namespace {

// The check the setup window makes: the file decodes as a picture.
bool isPicture(const QString& path) {
    return !QImageReader(path).read().isNull();
}

constexpr float kInf = std::numeric_limits<float>::infinity();

// Ten lines ending in `end`, the marker numbers of lake "jarvi".
QByteArray tenLines(const QByteArray& end = "\r\n", const QByteArray& folder = "jarvi") {
    const QList<QByteArray> lines{folder, "Kivikko", "48",          "36",  "Koivuranta",
                                  "94",   "134",     "Sel\xe4vesi", "122", "72"};
    QByteArray out;
    for (const QByteArray& line : lines) {
        out += line + end;
    }
    return out;
}

MapDescription parsed(const QByteArray& bytes, bool complete = true) {
    const ReadResult result = parse(bytes, complete);
    if (const auto* refusal = std::get_if<Refusal>(&result)) {
        ADD_FAILURE() << "refused: " << explain(*refusal, "x.ars").toStdString();
        return {};
    }
    return std::get<MapDescription>(result);
}

Problem refusedWith(const ReadResult& result) {
    const auto* refusal = std::get_if<Refusal>(&result);
    if (!refusal) {
        ADD_FAILURE() << "expected a refusal, got map "
                      << std::get<MapDescription>(result).folder.toStdString();
        return Problem::Unreadable;
    }
    return refusal->problem;
}

void expectSpots(const MapDescription& map, std::array<std::pair<float, float>, 3> topLeft) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(map.spots[i].top, topLeft[i].first) << "spot " << i + 1;
        EXPECT_EQ(map.spots[i].left, topLeft[i].second) << "spot " << i + 1;
    }
}

} // namespace

TEST(MapNumber, TakesTheLongestLeadingNumberWithBlanksSkippedAnywhere) {
    const std::vector<std::pair<QString, float>> cases{
        {"120", 120.0f},      {"  60  ", 60.0f}, {"abc", 0.0f},  {"1 20", 120.0f},
        {"\t1\t2 0", 120.0f}, {"-5", -5.0f},     {"- 5", -5.0f}, {"+7", 7.0f},
        {"1.5e1", 15.0f},     {"1e", 1.0f},      {"1e+", 1.0f},  {"2E2", 200.0f},
        {"25e-1", 2.5f},      {".5", 0.5f},      {"5.", 5.0f},   {"+", 0.0f},
        {"-", 0.0f},          {".", 0.0f},       {"", 0.0f},     {"12abc", 12.0f},
        {"1,5", 1.0f},        {"1.2.3", 1.2f},   {"x12", 0.0f},  {"0012", 12.0f},
        {"3 . 2 5", 3.25f},   {"1e1 0", 1e10f},  {"--5", 0.0f},  {"7\xe4", 7.0f},
        {"0.1", 0.1f},
    };
    for (const auto& [line, expected] : cases) {
        EXPECT_EQ(parseNumber(line), expected) << "line \"" << line.toStdString() << '"';
    }
}

TEST(MapNumber, HugeAndTinyNumbersBecomeInfinityOrZero) {
    EXPECT_EQ(parseNumber("1e400"), kInf);
    EXPECT_EQ(parseNumber("-1e400"), -kInf);
    EXPECT_EQ(parseNumber("1e39"), kInf); // beyond single precision, inside double
    EXPECT_EQ(parseNumber("1e99999999999999999999999"), kInf);
    EXPECT_EQ(parseNumber(QString(500, u'9')), kInf);
    EXPECT_EQ(parseNumber("1e-400"), 0.0f);
    EXPECT_EQ(parseNumber("1e-99999999999999999999999"), 0.0f);
    EXPECT_EQ(parseNumber("0e99999999"), 0.0f);
    // Many leading zeros or fraction digits still give the plain value.
    EXPECT_EQ(parseNumber(QString(400, u'0') + "42"), 42.0f);
    EXPECT_EQ(parseNumber("0." + QString(400, u'0') + "1e402"), 10.0f);
    EXPECT_EQ(parseNumber("3e38"), 3e38f);
}

TEST(MapNumber, MarkersAreKeptInsideTheWindow) {
    EXPECT_EQ(kMaxTop, 161);
    EXPECT_EQ(kMaxLeft, 297);
    EXPECT_EQ(clampTop(48.0f), 48);
    EXPECT_EQ(clampTop(-5.0f), 0);
    EXPECT_EQ(clampTop(162.0f), 161);
    EXPECT_EQ(clampTop(161.0f), 161);
    EXPECT_EQ(clampTop(kInf), 161);
    EXPECT_EQ(clampTop(-kInf), 0);
    EXPECT_EQ(clampTop(std::nanf("")), 0);
    EXPECT_EQ(clampTop(160.6f), 161);
    EXPECT_EQ(clampTop(12.4f), 12);
    EXPECT_EQ(clampLeft(296.0f), 296);
    EXPECT_EQ(clampLeft(1000.0f), 297);
    EXPECT_EQ(clampLeft(kInf), 297);
    EXPECT_EQ(clampLeft(std::nanf("")), 0);
    EXPECT_EQ(clampLeft(-0.0f), 0);
}

TEST(MapLines, AnyLineEndCountsAndATrailingEndAddsNoLine) {
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n"), (QStringList{"a"}));
    EXPECT_EQ(splitLines("a\r\n\r\n"), (QStringList{"a", ""}));
    EXPECT_EQ(splitLines("\n\r"), (QStringList{"", ""}));
    EXPECT_EQ(splitLines("a\r\rb"), (QStringList{"a", "", "b"}));
    EXPECT_TRUE(splitLines("").isEmpty());
}

TEST(MapDescriptionText, ReadsTheFirstTenLinesWhateverTheLineEnds) {
    for (const QByteArray& end : {QByteArray("\r\n"), QByteArray("\n"), QByteArray("\r")}) {
        const MapDescription map = parsed(tenLines(end));
        EXPECT_EQ(map.folder, "jarvi");
        expectSpots(map, {{{48, 36}, {94, 134}, {122, 72}}});
    }
    // The tenth line may end at the end of the file.
    QByteArray open = tenLines();
    open.chop(2);
    expectSpots(parsed(open), {{{48, 36}, {94, 134}, {122, 72}}});

    // Lines after the tenth are ignored, whatever they hold.
    const MapDescription twelve = parsed(tenLines() + "999\r\n\xff\xfe garbage\r\n");
    expectSpots(twelve, {{{48, 36}, {94, 134}, {122, 72}}});

    // The number lines take the line's leading number; the text lines are not read.
    const MapDescription rough = parsed("jarvi\r\n1\r\n  60  \r\nabc\r\n2\r\n1 20\r\n-5\r\n"
                                        "3\r\n1e400\r\n.5");
    expectSpots(rough, {{{60, 0}, {120, -5}, {kInf, 0.5f}}});
}

TEST(MapDescriptionText, LineOneIsTheFolderWholeAndInWindows1252) {
    EXPECT_EQ(parsed(tenLines("\r\n", "Sel\xe4vesi")).folder, QString::fromUtf8("Selävesi"));
    EXPECT_EQ(parsed(tenLines("\r\n", " kivi ")).folder, " kivi ");
    EXPECT_EQ(parsed(tenLines("\r\n", "\x80uro")).folder, QString::fromUtf8("€uro"));
}

TEST(MapDescriptionText, RefusesShortDescriptionsAndFoldersOutsideTheMapsFolder) {
    QByteArray nine = tenLines();
    nine.chop(4); // the tenth line and its line end
    EXPECT_EQ(refusedWith(parse(nine)), Problem::TooShort);
    EXPECT_EQ(refusedWith(parse("")), Problem::TooShort);
    EXPECT_EQ(refusedWith(parse("jarvi\r\n1\r\n2\r\n")), Problem::TooShort);

    for (const QByteArray& folder :
         {QByteArray(""), QByteArray("."), QByteArray(".."), QByteArray("../kivi"),
          QByteArray("a/b"), QByteArray("a\\b"), QByteArray("\\"), QByteArray("/etc"),
          QByteArray("ab\0c", 4)}) {
        EXPECT_EQ(refusedWith(parse(tenLines("\r\n", folder))), Problem::UnsafeFolder)
            << "folder \"" << folder.toStdString() << '"';
    }
    EXPECT_TRUE(isSafeFolderName("..kivi"));
    EXPECT_TRUE(isSafeFolderName("kivi.."));
}

TEST(MapDescriptionText, TheStartOfALargerFileTrustsOnlyWholeLines) {
    // Cut inside line 10: the 7 of 72 must not be taken for the whole line.
    QByteArray cut = tenLines();
    cut.chop(3);
    EXPECT_EQ(refusedWith(parse(cut, false)), Problem::TooLong);
    EXPECT_EQ(parsed(cut, true).spots[2].left, 7.0f);
    // Ten whole lines before the cut are enough.
    expectSpots(parsed(tenLines() + "more", false), {{{48, 36}, {94, 134}, {122, 72}}});
}

class MapFolder : public ::testing::Test {
protected:
    MapFolder() : maps(dir.path()) {}

    void writePicture(const QString& folder, const QString& name) {
        QDir(maps).mkpath(folder);
        QImage image(20, 10, QImage::Format_RGB32);
        image.fill(Qt::green);
        // Qt writes no GIF; its reader knows a PNG by its content whatever the name.
        ASSERT_TRUE(image.save(maps + "/" + folder + "/" + name, "PNG"));
    }
    void writeMap(const QString& folder) {
        for (const char* name : {"1.gif", "taka1.gif", "taka2.gif", "taka3.gif"}) {
            writePicture(folder, name);
        }
    }
    QString writeFile(const QString& name, const QByteArray& bytes) {
        QFile file(maps + "/" + name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    std::optional<Refusal> refusal(const QString& path) {
        const ReadResult result = read(path, maps, isPicture);
        if (const auto* r = std::get_if<Refusal>(&result)) {
            return *r;
        }
        return std::nullopt;
    }

    QTemporaryDir dir;
    QString maps;
};

TEST_F(MapFolder, ReadsADescriptionWhoseFolderHoldsEveryPicture) {
    writeMap("jarvi");
    const ReadResult result = read(writeFile("lake.ars", tenLines()), maps, isPicture);
    ASSERT_TRUE(std::holds_alternative<MapDescription>(result));
    EXPECT_EQ(std::get<MapDescription>(result).folder, "jarvi");
}

TEST_F(MapFolder, RefusesMissingFilesAndPictures) {
    EXPECT_EQ(refusal(maps + "/none.ars")->problem, Problem::Unreadable);
    QDir(maps).mkpath("folder.ars");
    EXPECT_EQ(refusal(maps + "/folder.ars")->problem, Problem::Unreadable);

    const QString lake = writeFile("lake.ars", tenLines());
    EXPECT_EQ(refusal(lake)->detail, "1.gif"); // no folder at all

    writeMap("jarvi");
    QFile::remove(maps + "/jarvi/taka2.gif");
    const auto missing = refusal(lake);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->problem, Problem::MissingPicture);
    EXPECT_EQ(missing->detail, "taka2.gif");
    EXPECT_TRUE(explain(*missing, "lake.ars").contains("taka2.gif"));

    // An overview picture that is no picture is as good as missing.
    writeMap("jarvi");
    writeFile("jarvi/1.gif", "GIF89a broken");
    EXPECT_EQ(refusal(lake)->detail, "1.gif");
}

TEST_F(MapFolder, AHugeFileIsReadOnlyAsFarAsItsFirstLines) {
    writeMap("jarvi");
    EXPECT_FALSE(refusal(writeFile("big.ars", tenLines() + QByteArray(kMaxBytes, 'x'))));
    const auto tooLong = refusal(writeFile("long.ars", QByteArray(kMaxBytes, 'j') + tenLines()));
    ASSERT_TRUE(tooLong);
    EXPECT_EQ(tooLong->problem, Problem::TooLong);
}
