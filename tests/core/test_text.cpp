#include "core/paths.h"
#include "core/random.h"
#include "core/text1252.h"

#include <QStringDecoder>
#include <cmath>
#include <gtest/gtest.h>

TEST(Windows1252, EncodesTheGameTextByteForByteAndBack) {
    const QString text = QString::fromUtf8("Nämä kalat sai Jörö€");
    const QByteArray expected = QByteArray::fromHex("4EE46DE4206B616C61742073616920"
                                                    "4AF672F680");
    const auto bytes = toWindows1252(text);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, expected);
    EXPECT_EQ(fromWindows1252(expected), text);
}

TEST(Windows1252, AgreesWithTheSystemCodecOnEveryDefinedByte) {
    QStringDecoder system("windows-1252");
    ASSERT_TRUE(system.isValid());
    for (int byte = 0; byte < 256; ++byte) {
        const QByteArray one(1, static_cast<char>(byte));
        const bool undefined =
            byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
        const QString decoded = fromWindows1252(one);
        ASSERT_EQ(decoded.size(), 1);
        if (!undefined) {
            EXPECT_EQ(decoded, system.decode(one)) << "byte " << byte;
            EXPECT_EQ(toWindows1252(decoded), one) << "byte " << byte;
        } else {
            EXPECT_FALSE(toWindows1252(decoded).has_value()) << "byte " << byte;
        }
    }
}

TEST(Windows1252, RefusesCharactersItCannotHold) {
    for (const char* text : {"Ā", "カ", "😀", "Ω", "\u0081"}) {
        EXPECT_FALSE(toWindows1252(QString::fromUtf8("kalle") + QString::fromUtf8(text))) << text;
        EXPECT_FALSE(fitsWindows1252(QString::fromUtf8(text)));
    }
    EXPECT_TRUE(fitsWindows1252(QString::fromUtf8("Šœž™ ÿ")));
}

TEST(AppFile, TurnsGamePathsIntoPathsBesideTheProgram) {
    EXPECT_EQ(appFile("/opt/norppala", "\\data\\music.mp3"), "/opt/norppala/data/music.mp3");
    EXPECT_EQ(appFile("/opt/norppala/", "\\data\\sound\\kala010.wav"),
              "/opt/norppala/data/sound/kala010.wav");
    EXPECT_EQ(appFile("/opt/norppala", "\\data\\maps\\jarvi\\taka3.gif"),
              "/opt/norppala/data/maps/jarvi/taka3.gif");
    // Doubled separators and dot segments fold away; no program folder means
    // the current folder.
    EXPECT_EQ(appFile("/opt/norppala", "\\data\\\\.\\maps\\..\\mies.gif"),
              "/opt/norppala/data/mies.gif");
    EXPECT_EQ(appFile("", "\\data\\music.mp3"), "data/music.mp3");
}

TEST(Random, RndStaysInItsRangeAndSeededRunsRepeat) {
    MersenneRandom a(42);
    MersenneRandom b(42);
    a.Randomize();
    b.Randomize();
    int counts[9] = {};
    for (int i = 0; i < 90000; ++i) {
        const double value = a.Rnd();
        ASSERT_GE(value, 0.0);
        ASSERT_LT(value, 1.0);
        EXPECT_EQ(value, b.Rnd());
        ++counts[static_cast<int>(std::floor(value * 9))];
    }
    for (int count : counts) {
        EXPECT_NEAR(count, 10000, 400); // about four standard deviations
    }
    // Each new game is reseeded differently.
    const double next = a.Rnd();
    a.Randomize();
    EXPECT_NE(a.Rnd(), next);
    EXPECT_EQ(rollInt(b, 15, 1) >= 1, true);
}

namespace {

// Always the same number.
class FixedRandom final : public Random {
public:
    explicit FixedRandom(double value) : value_(value) {}
    double Rnd() override { return value_; }
    void Randomize() override {}

private:
    double value_;
};

} // namespace

// Int(Rnd × n + c) must stay within c .. c + n − 1 for every Rnd in [0, 1),
// the largest one the generator can give (1 − 2⁻⁵³) included: rounded in
// floating point, Rnd × 2000 + 100 came out as 2100 for it.
TEST(Random, EveryDrawStaysInItsRangeUpToTheLargestRnd) {
    const double largest = std::nextafter(1.0, 0.0);
    ASSERT_EQ(largest, 1.0 - std::ldexp(1.0, -53));
    FixedRandom top(largest);
    FixedRandom bottom(0.0);
    for (int n = 1; n <= 100000; ++n) {
        for (int c : {0, 1, 2, 100, 1000}) {
            ASSERT_EQ(rollInt(top, n, c), c + n - 1) << "n " << n << ", c " << c;
            ASSERT_EQ(rollInt(bottom, n, c), c) << "n " << n << ", c " << c;
        }
    }
}
