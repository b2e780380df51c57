#include "core/resultfile.h"
#include "test_played_game.h"

#include <QDir>
#include <QFile>
#include <QRect>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Names the player might type that have no business becoming a file anywhere
// but the data folder. Those that reach for another place carry "norppala_pako"
// so anything they might leave in the parent folder can be found.
struct HostileName {
    QString name;
    bool saved; // saved as "<name>.kal" in the data folder; otherwise refused
};

std::vector<HostileName> hostileNames() {
    const QString tail = QStringLiteral("norppala_pako");
    return {
        {QStringLiteral("../") + tail, false},
        {QStringLiteral("../../") + tail, false},
        {QStringLiteral("..\\") + tail, false},
        {QStringLiteral("/tmp/") + tail, false},
        {QStringLiteral("C:\\") + tail, false},
        {QStringLiteral("C:") + tail, false},
        {QStringLiteral("maps/") + tail, false},
        {QStringLiteral("."), false},
        {QStringLiteral(".."), false},
        {QStringLiteral("CON"), false},
        {QStringLiteral("con.txt"), false},
        {QStringLiteral("nul"), false},
        {QStringLiteral("Aux "), false},
        {QStringLiteral("LPT1"), false},
        {QStringLiteral("com9"), false},
        {QStringLiteral("tab\there"), false},
        {QStringLiteral("rivi\nvaihto"), false},
        {QStringLiteral("nolla") + QChar(u'\0') + QStringLiteral("tavu"), false},
        {QStringLiteral("\x1b[31mpunainen"), false},
        {QString(QChar(0x85)), false},
        {QString(101, QLatin1Char('a')), false},
        {QString(5000, QLatin1Char('x')), false},
        {QStringLiteral("Привет"), false},
        {QStringLiteral("中文"), false},
        {QStringLiteral("kala 🐟"), false},
        {QString(QChar(0xD800)), false},
        {QStringLiteral("mitä?"), false},
        {QStringLiteral("a*b"), false},
        {QStringLiteral("<b>iso</b>"), false},
        {QStringLiteral("putki|"), false},
        {QStringLiteral("\"lainaus\""), false},
        {QStringLiteral("   "), true},
        {QStringLiteral(" "), true},
        {QStringLiteral("..."), true},
        {QStringLiteral(".piilo"), true},
        {QStringLiteral("-rf"), true},
        {QString(100, QLatin1Char('b')), true},
        {QStringLiteral("Jörö Ääliö"), true},
        {QStringLiteral("€uro"), true},
        {QStringLiteral("COM10"), true},
        {QStringLiteral("CONSOLE"), true},
        {QStringLiteral(" väli alussa ja lopussa "), true},
    };
}

class HostileNames : public PlayedGame {
protected:
    void SetUp() override {
        state.clearCatch();
        state.fish_count = 1;
        state.catch_table[1][1] = QStringLiteral("hauki");
        state.catch_table[1][2] = qint16(1234);
        forms.show(QStringLiteral("loppu"));
        settle();
    }
};

QStringList escapes(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*norppala_pako*")},
                                  QDir::AllEntries | QDir::Hidden | QDir::System);
}

} // namespace

// Each name is either refused with a message and nothing written anywhere, or
// saved as exactly one file "<name>.kal" in the data folder.
TEST_F(HostileNames, EachNameIsRefusedOrSavedInTheDataFolderOnly) {
    const QString data = path(QStringLiteral("\\data"));
    const QString parent = QFileInfo(appPath).absolutePath();
    const QString grandparent = QFileInfo(parent).absolutePath();
    const auto names = hostileNames();
    ASSERT_GE(names.size(), 30u);

    for (const HostileName& hostile : names) {
        SCOPED_TRACE(hostile.name.toUtf8().toStdString());
        const QStringList before = snapshot(appPath);
        const qsizetype messages = dialogs.messages.size();
        dialogs.answers.push_back(hostile.name);
        ASSERT_TRUE(click(QStringLiteral("loppu"), QStringLiteral("Command2")));

        QStringList after = snapshot(appPath);
        const QString file = data + QLatin1Char('/') + hostile.name + QStringLiteral(".kal");
        if (hostile.saved) {
            EXPECT_EQ(dialogs.messages.size(), messages);
            const QByteArray expected = QByteArray("hauki = 1234g\r\nN\xE4m\xE4 kalat sai ") +
                                        hostile.name.toLatin1().replace('\x80', '?') + "\r\n";
            QByteArray bytes = readAll(file);
            if (hostile.name.contains(QChar(0x20AC))) {
                EXPECT_EQ(bytes.count('\x80'), 1) << "€ is the byte 80 in Windows-1252";
                bytes.replace('\x80', '?');
            }
            EXPECT_EQ(bytes, expected);
            EXPECT_TRUE(after.removeOne(file + QStringLiteral(" ") +
                                        QString::number(QFileInfo(file).size())));
            EXPECT_TRUE(QFile::remove(file));
        } else {
            EXPECT_EQ(dialogs.messages.size(), messages + 1);
            if (dialogs.messages.size() > messages) {
                EXPECT_TRUE(dialogs.messages.last().contains(QStringLiteral("ei tallennettu")))
                    << dialogs.messages.last().toStdString();
            }
        }
        EXPECT_EQ(after, before);
        EXPECT_TRUE(escapes(parent).isEmpty()) << escapes(parent).join(' ').toStdString();
        EXPECT_TRUE(escapes(grandparent).isEmpty());
        EXPECT_TRUE(escapes(QStringLiteral("/tmp")).isEmpty());
    }
    EXPECT_EQ(forms.loadedNames(), QStringList{QStringLiteral("loppu")});
}

TEST_F(HostileNames, AnEmptyNameWritesNothingAndSaysNothing) {
    const QStringList before = snapshot(appPath);
    dialogs.answers.push_back(QString());
    ASSERT_TRUE(click(QStringLiteral("loppu"), QStringLiteral("Command2")));
    EXPECT_EQ(snapshot(appPath), before);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(dialogs.questions.size(), 1);
}

namespace {

// A map description that is broken in some way, and what the setup window
// must make of it: refuse it, or load it with the markers where given.
struct BrokenMap {
    const char* what;
    QByteArray bytes;
    bool loads;
    // For a description that loads: the markers' (left, top) in spot order,
    // or none to only ask that every marker stands inside the window.
    std::vector<QPoint> places = {};
};

QByteArray lines(const QList<QByteArray>& parts, const QByteArray& end = "\r\n") {
    QByteArray out;
    for (const QByteArray& part : parts) {
        out += part + end;
    }
    return out;
}

// A good description of the shipped "pitka" folder with the number lines given.
QByteArray pitka(const QByteArray& t1, const QByteArray& l1, const QByteArray& t2 = "10",
                 const QByteArray& l2 = "10", const QByteArray& t3 = "20",
                 const QByteArray& l3 = "20") {
    return lines({"pitka", "x", t1, l1, "x", t2, l2, "x", t3, l3});
}

std::vector<BrokenMap> brokenMaps() {
    QByteArray binary;
    for (int i = 0; i < 4096; ++i) {
        const char byte = static_cast<char>((i * 37 + 11) % 256);
        if (byte != '\r' && byte != '\n') {
            binary += byte;
        }
    }
    const QByteArray good = pitka("100", "50", "60", "10", "120", "150");
    const std::vector<QPoint> goodPlaces = {{50, 100}, {10, 60}, {150, 120}};
    const QByteArray huge = good + QByteArray(2 * 1024 * 1024, 'z');
    return {
        {"empty", QByteArray(), false},
        {"three lines", lines({"pitka", "x", "100"}), false},
        {"nine lines", lines({"pitka", "x", "1", "2", "x", "3", "4", "x", "5"}), false},
        {"binary bytes", binary, false},
        {"huge first line", QByteArray(2 * 1024 * 1024, 'p') + "\r\n" + good, false},
        {"empty first line", lines({"", "x", "1", "2", "x", "3", "4", "x", "5", "6"}), false},
        {"map folder that is not there",
         lines({"eiole", "x", "1", "2", "x", "3", "4", "x", "5", "6"}), false},
        {"folder ..", lines({"..", "x", "1", "2", "x", "3", "4", "x", "5", "6"}), false},
        {"folder .", lines({".", "x", "1", "2", "x", "3", "4", "x", "5", "6"}), false},
        {"folder ../maps/pitka",
         lines({"../maps/pitka", "x", "1", "2", "x", "3", "4", "x", "5", "6"}), false},
        {"folder ..\\maps\\pitka",
         lines({"..\\maps\\pitka", "x", "1", "2", "x", "3", "4", "x", "5", "6"}), false},
        {"absolute folder", lines({"/tmp", "x", "1", "2", "x", "3", "4", "x", "5", "6"}), false},
        {"folder with a NUL",
         lines({QByteArray("pitka\0x", 7), "x", "1", "2", "x", "3", "4", "x", "5", "6"}), false},
        {"folder name with a blank after it",
         lines({"pitka ", "x", "1", "2", "x", "3", "4", "x", "5", "6"}), false},
        {"byte-order mark before the folder", "\xEF\xBB\xBF" + good, false},
        {"folder without its pictures",
         lines({"tyhja", "x", "1", "2", "x", "3", "4", "x", "5", "6"}), false},
        {"folder whose overview is not a picture",
         lines({"rikki", "x", "1", "2", "x", "3", "4", "x", "5", "6"}), false},
        {"over a megabyte, the first ten lines good", huge, true, goodPlaces},
        {"overlong ignored line",
         lines({"pitka", QByteArray(200000, 'y'), "100", "50", "x", "60", "10", "x", "120", "150"}),
         true, goodPlaces},
        {"LF line ends", pitka("100", "50", "60", "10", "120", "150").replace("\r\n", "\n"), true,
         goodPlaces},
        {"CR line ends", pitka("100", "50", "60", "10", "120", "150").replace("\r\n", "\r"), true,
         goodPlaces},
        {"no line end after line ten", good.chopped(2), true, goodPlaces},
        {"twelve lines", good + "999\r\n999\r\n", true, goodPlaces},
        {"blanks and tabs inside numbers", pitka(" 1 0 0 ", "\t5\t0", "6 0", "1 0", "120", "150"),
         true, goodPlaces},
        {"numbers far out of range",
         pitka("99999", "-99999", "-5", "400", "1e30", "-1e30"),
         true,
         {{0, 161}, {297, 0}, {0, 161}}},
        {"beyond single precision",
         pitka("1e400", "-1e400", "3.4e39", "0", "0", "0"),
         true,
         {{0, 161}, {0, 161}, {0, 0}}},
        {"NaN and infinity words",
         pitka("nan", "NaN", "inf", "-inf", "Infinity", "1.#INF"),
         true,
         {{0, 0}, {0, 0}, {1, 0}}},
        {"not numbers", pitka("+", "-", ".", "e5", "0x10", "abc"), true, {{0, 0}, {0, 0}, {0, 0}}},
        {"fractions and exponents",
         pitka("1.5e2", "12.0", "-0", "+7", "1e1", "2E1"),
         true,
         {{12, 150}, {7, 0}, {20, 10}}},
    };
}

class BrokenMaps : public PlayedGame {
protected:
    struct Shown {
        QString mapName;
        QList<QRect> markers;
        QString picture;
        bool operator==(const Shown&) const = default;
    };

    Shown shown() const {
        Shown now{state.map_name, {}, window(QStringLiteral("aloita"))->pictureFile()};
        for (int spot = 1; spot <= 3; ++spot) {
            if (auto* marker =
                    control(QStringLiteral("aloita"), QStringLiteral("paikka%1").arg(spot))) {
                now.markers << marker->geometry();
            }
        }
        return now;
    }
};

} // namespace

TEST_F(BrokenMaps, EachDescriptionIsRefusedOrLoadedWithTheMarkersInsideTheWindow) {
    const QString maps = path(QStringLiteral("\\data\\maps"));
    ASSERT_TRUE(QDir().mkpath(maps + QStringLiteral("/tyhja")));
    ASSERT_TRUE(QDir().mkpath(maps + QStringLiteral("/rikki")));
    for (const char* name : {"1.gif", "taka1.gif", "taka2.gif", "taka3.gif"}) {
        QFile junk(maps + QStringLiteral("/rikki/") + QLatin1String(name));
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write("GIF89a but nothing more");
    }
    const auto cases = brokenMaps();
    ASSERT_GE(cases.size(), 20u);
    for (size_t i = 0; i < cases.size(); ++i) {
        QFile file(maps + QStringLiteral("/rikki%1.ars").arg(i, 2, 10, QLatin1Char('0')));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(cases[i].bytes), cases[i].bytes.size());
    }
    forms.show(QStringLiteral("aloita"));
    settle();
    const QRect client(0, 0, 337, 201);

    for (size_t i = 0; i < cases.size(); ++i) {
        const BrokenMap& map = cases[i];
        SCOPED_TRACE(map.what);
        ASSERT_TRUE(clickItem(QStringLiteral("aloita"), QStringLiteral("File1"),
                              QStringLiteral("Kivijarvi.ars")));
        const Shown before = shown();
        ASSERT_EQ(before.mapName, QStringLiteral("kivi"));
        const qsizetype messages = dialogs.messages.size();

        ASSERT_TRUE(clickItem(QStringLiteral("aloita"), QStringLiteral("File1"),
                              QStringLiteral("rikki%1.ars").arg(i, 2, 10, QLatin1Char('0'))));
        const Shown after = shown();
        if (map.loads) {
            EXPECT_EQ(dialogs.messages.size(), messages);
            EXPECT_EQ(after.mapName, QStringLiteral("pitka"));
            EXPECT_EQ(after.picture, path(QStringLiteral("\\data\\maps\\pitka\\1.gif")));
            for (size_t spot = 0; spot < map.places.size(); ++spot) {
                EXPECT_EQ(after.markers[spot].topLeft(), map.places[spot]) << "spot " << spot + 1;
            }
        } else {
            EXPECT_EQ(dialogs.messages.size(), messages + 1);
            EXPECT_EQ(after, before) << "a refused map changed the window";
        }
        for (const QRect& marker : after.markers) {
            EXPECT_EQ(marker.size(), QSize(40, 40));
            EXPECT_TRUE(client.contains(marker)) << marker.x() << "," << marker.y();
        }
    }
    EXPECT_EQ(forms.loadedNames(), QStringList{QStringLiteral("aloita")});
}

TEST_F(BrokenMaps, AMissingMapsFolderListsNothingAndRefusesTheStart) {
    ASSERT_TRUE(QDir(path(QStringLiteral("\\data\\maps"))).removeRecursively());
    state.map_name = QStringLiteral("pitka");
    state.spot_choice = 1;
    forms.show(QStringLiteral("aloita"));
    settle();
    EXPECT_EQ(control<QListWidget>(QStringLiteral("aloita"), QStringLiteral("File1"))->count(), 0);
    ASSERT_TRUE(click(QStringLiteral("aloita"), QStringLiteral("Command1")));
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(forms.loadedNames(), QStringList{QStringLiteral("aloita")});
}
