// The shipped data folder and the built-in pictures: every file the game names
// is there, has the size its window is laid out for and decodes, every tune and
// clip plays in the real SDL player, and every lake description is complete.

#include "core/text1252.h"
#include "game/pictures.h"
#include "platform/soundplayer.h"
#include "support/world.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryFile>
#include <cstdio>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

struct Picture {
    const char* name;
    int width;
    int height;
    int frames;
    bool sprite; // drawn over the lake: must have a see-through background
};

// Loaded from the data folder while playing.
const Picture kDataPictures[] = {
    {"mies.gif", 93, 120, 4, true},          {"mies_kala.gif", 93, 120, 4, true},
    {"mies_napautus.gif", 93, 120, 4, true}, {"mies_nosto.gif", 93, 120, 4, true},
    {"mies_lasku.gif", 93, 120, 5, true},    {"koho3.gif", 100, 100, 1, false},
    {"koho2.gif", 100, 100, 1, false},       {"koho1.gif", 100, 100, 1, false},
    {"mato_dis.gif", 100, 100, 1, false},    {"ahven_pieni.gif", 40, 60, 1, true},
    {"ahven_keski.gif", 60, 80, 1, true},    {"ahven_iso.gif", 60, 100, 1, true},
    {"hauki_pieni.gif", 20, 52, 1, true},    {"hauki_keski.gif", 25, 85, 1, true},
    {"hauki_iso.gif", 30, 100, 1, true},     {"hauki.gif", 28, 95, 1, true},
};

// Compiled into the program.
const Picture kBuiltInPictures[] = {
    {"icon32.png", 32, 32, 1, true},
    {"icon48.png", 48, 48, 1, true},
    {"icon64.png", 64, 64, 1, true},
    {"icon128.png", 128, 128, 1, true},
    {"icon256.png", 256, 256, 1, true},
    {"ohje_corner.png", 32, 32, 1, true},
    {"help_ahven_pieni.gif", 40, 60, 1, true},
    {"help_ahven_keski.gif", 60, 80, 1, true},
    {"help_ahven_iso.gif", 60, 100, 1, true},
    {"help_hauki_pieni.gif", 20, 52, 1, true},
    {"help_hauki_keski.gif", 25, 85, 1, true},
    {"help_hauki_iso.gif", 30, 100, 1, true},
    {"vene.gif", 79, 81, 1, true},
    {"mies.gif", 93, 120, 4, true},
    {"vesi.gif", 250, 305, 1, false},
    {"kala.gif", 30, 100, 1, true},
    {"mato.gif", 100, 100, 1, false},
    {"va.gif", 100, 100, 5, true},
    {"nuoli_ylos.png", 20, 20, 1, true},
    {"nuoli_alas.png", 20, 20, 1, true},
    {"peli_tausta.gif", 250, 305, 1, false},
};

QString dataFile(const QString& relative) {
    return sourceDataFolder() + QLatin1Char('/') + relative;
}

// Decodes every frame; returns them so callers can compare poses.
QList<QImage> expectPicture(const QString& path, const Picture& p) {
    SCOPED_TRACE(path.toStdString());
    QList<QImage> frames;
    QImageReader reader(path);
    if (!reader.canRead()) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return frames;
    }
    EXPECT_EQ(reader.size(), QSize(p.width, p.height));
    EXPECT_EQ(reader.imageCount(), p.frames);
    for (int i = 0; i < p.frames; ++i) {
        const QImage frame = reader.read();
        if (frame.isNull()) {
            ADD_FAILURE() << "frame " << i
                          << " does not decode: " << reader.errorString().toStdString();
            break;
        }
        EXPECT_EQ(frame.size(), QSize(p.width, p.height)) << "frame " << i;
        frames.append(frame.convertToFormat(QImage::Format_ARGB32));
    }
    if (!frames.isEmpty()) {
        const QImage& first = frames.front();
        if (p.sprite) {
            // the corners are background: they must let the lake show through
            EXPECT_EQ(qAlpha(first.pixel(0, 0)), 0);
            EXPECT_EQ(qAlpha(first.pixel(p.width - 1, 0)), 0);
        } else {
            EXPECT_EQ(qAlpha(first.pixel(0, 0)), 255);
        }
    }
    return frames;
}

// Whether two decoded frames show the same picture (see-through pixels count
// as equal whatever colour the decoder left in them).
bool samePicture(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (p != q && (qAlpha(p) != 0 || qAlpha(q) != 0)) {
                return false;
            }
        }
    }
    return true;
}

// Collects what is written to stderr (where the player reports a file it
// cannot use) while it lives.
class StderrCapture {
public:
    StderrCapture() {
        file_.open();
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        dup2(file_.handle(), STDERR_FILENO);
    }
    ~StderrCapture() { restore(); }

    QString text() {
        restore();
        file_.seek(0);
        return QString::fromUtf8(file_.readAll());
    }

private:
    void restore() {
        if (saved_ >= 0) {
            std::fflush(stderr);
            dup2(saved_, STDERR_FILENO);
            close(saved_);
            saved_ = -1;
        }
    }
    QTemporaryFile file_;
    int saved_ = -1;
};

} // namespace

TEST(Assets, GamePicturesHaveTheirSizesAndFrames) {
    for (const Picture& p : kDataPictures) {
        expectPicture(dataFile(QString::fromLatin1(p.name)), p);
    }
}

// The game screen's table of pictures names exactly the shipped game pictures:
// none is missing and none lies unused.
TEST(Assets, ThePictureTableNamesEveryGamePictureAndNoOther) {
    QStringList named;
    for (Angler angler :
         {Angler::Waiting, Angler::Nibble, Angler::Tapping, Angler::Lifting, Angler::Lowering}) {
        named << picture::of(angler);
    }
    named << picture::ofBait(std::nullopt);
    for (Worm worm : {Worm::Whole, Worm::Half, Worm::Eaten}) {
        named << picture::ofBait(worm);
    }
    for (Species species : {Species::Perch, Species::Pike}) {
        for (FishSize size : {FishSize::None, FishSize::Small, FishSize::Medium, FishSize::Large}) {
            if (species != Species::Perch || size != FishSize::None) { // a perch always has a class
                named << picture::of(Fish{species, size, 0});
            }
        }
    }
    QStringList shipped;
    for (const Picture& p : kDataPictures) {
        shipped << QStringLiteral("\\data\\") + QLatin1String(p.name);
    }
    named.sort();
    shipped.sort();
    EXPECT_EQ(named, shipped);
}

TEST(Assets, BuiltInPicturesAreCompiledIn) {
    for (const Picture& p : kBuiltInPictures) {
        expectPicture(QStringLiteral(":/pictures/") + QString::fromLatin1(p.name), p);
    }
}

TEST(Assets, AnglerAnimationsLoopOrComeToRestInTheWaitingPose) {
    // The waiting and nibbling animations run until replaced.
    for (const char* name : {"mies.gif", "mies_kala.gif"}) {
        QImageReader reader(dataFile(QString::fromLatin1(name)));
        EXPECT_EQ(reader.loopCount(), -1) << name;
    }
    // Tapping and lowering play once and rest on their last frame, after which
    // the game shows the waiting angler again: without a jump if the poses match.
    const QList<QImage> waiting = expectPicture(dataFile("mies.gif"), kDataPictures[0]);
    ASSERT_FALSE(waiting.isEmpty());
    for (const Picture& p : {kDataPictures[2], kDataPictures[4]}) {
        const QList<QImage> frames = expectPicture(dataFile(QString::fromLatin1(p.name)), p);
        ASSERT_FALSE(frames.isEmpty());
        EXPECT_TRUE(samePicture(frames.back(), waiting.front())) << p.name;
    }
    // Lifting ends with the line out of the water: a pose of its own, held still.
    const QList<QImage> lift = expectPicture(dataFile("mies_nosto.gif"), kDataPictures[3]);
    ASSERT_FALSE(lift.isEmpty());
    EXPECT_FALSE(samePicture(lift.back(), waiting.front()));
}

TEST(Assets, TunesAndClipsPlayInTheSdlPlayer) {
    QStringList files = {dataFile("music.mp3"), dataFile("music2.mp3")};
    for (int n = 1; n <= 15; ++n) {
        // the game names them "kala0" followed by the number: kala09, kala010
        files << dataFile(QStringLiteral("sound/kala0%1.wav").arg(n));
    }
    // The nibble cue.
    files << dataFile("sound/nykaisy.wav") << dataFile("sound/koukku.wav");
    for (const QString& file : files) {
        EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
    }

    std::unique_ptr<SoundPlayer> player = SdlSound().makePlayer(QString());
    player->Init(44100);
    waitForSound();
    ASSERT_TRUE(sdlAudioReady());

    StderrCapture capture;
    const QString missing = dataFile("sound/ei_ole.wav");
    player->PlaySound(missing, false); // proves a refusal would be seen below
    for (const QString& tune : {files[0], files[1]}) {
        player->LoadMusic(tune);
        player->PlayMusic(true);
    }
    for (qsizetype i = 2; i < files.size(); ++i) {
        player->PlaySound(files[i], false);
    }
    player->Stop();
    waitForSound();
    const QString reported = capture.text();
    EXPECT_TRUE(reported.contains(missing)) << reported.toStdString();
    for (const QString& file : files) {
        EXPECT_FALSE(reported.contains(file)) << reported.toStdString();
    }
}

TEST(Assets, ChatterClipsAreShortMono16BitAt22050Hz) {
    for (int n = 1; n <= 15; ++n) {
        const QString path = dataFile(QStringLiteral("sound/kala0%1.wav").arg(n));
        SCOPED_TRACE(path.toStdString());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray head = file.read(44);
        ASSERT_EQ(head.size(), 44);
        ASSERT_TRUE(head.startsWith("RIFF") && head.mid(8, 8) == "WAVEfmt ");
        auto u16 = [&](int at) { return quint16(quint8(head[at]) | quint8(head[at + 1]) << 8); };
        auto u32 = [&](int at) { return quint32(u16(at)) | quint32(u16(at + 2)) << 16; };
        EXPECT_EQ(u16(20), 1);     // plain PCM
        EXPECT_EQ(u16(22), 1);     // mono
        EXPECT_EQ(u32(24), 22050); // samples per second
        EXPECT_EQ(u16(34), 16);    // bits per sample
        const double seconds = double(file.size() - 44) / (22050 * 2);
        EXPECT_GE(seconds, 1.5);
        EXPECT_LE(seconds, 6.0);
    }
}

TEST(Assets, LakeDescriptionsAreCompleteAndMatchTheirMaps) {
    const QDir maps(dataFile("maps"));
    const QStringList descriptions = maps.entryList({"*.ars"}, QDir::Files, QDir::Name);
    EXPECT_GE(descriptions.size(), 3);
    for (const QString& name : descriptions) {
        SCOPED_TRACE(name.toStdString());
        QFile file(maps.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray raw = file.readAll();
        // ten lines, every one ended by CR LF and none by a lone LF
        EXPECT_EQ(raw.count("\r\n"), 10);
        EXPECT_EQ(raw.count('\n'), 10);
        EXPECT_TRUE(raw.endsWith("\r\n"));
        QStringList lines = fromWindows1252(raw).split(QStringLiteral("\r\n"));
        lines.removeLast();
        ASSERT_EQ(lines.size(), 10);

        const QString folder = lines[0];
        EXPECT_FALSE(folder.isEmpty());
        for (const char* picture : {"1.gif", "taka1.gif", "taka2.gif", "taka3.gif"}) {
            EXPECT_TRUE(QFile::exists(maps.filePath(folder + '/' + picture))) << picture;
        }
        const QList<QImage> overview =
            expectPicture(maps.filePath(folder + "/1.gif"), {"1.gif", 200, 200, 1, false});
        for (int n = 1; n <= 3; ++n) {
            expectPicture(maps.filePath(folder + QStringLiteral("/taka%1.gif").arg(n)),
                          {"taka", 250, 305, 1, false});
        }

        // Each spot: a name, then the top and left of its 40 x 40 marker, which
        // must sit on the lifebuoy drawn on the overview so the player sees what
        // to click. Lifebuoy red appears nowhere else on the map.
        QList<QRect> markers;
        for (int spot = 0; spot < 3; ++spot) {
            EXPECT_FALSE(lines[1 + 3 * spot].trimmed().isEmpty());
            bool topOk = false, leftOk = false;
            const int top = lines[2 + 3 * spot].toInt(&topOk);
            const int left = lines[3 + 3 * spot].toInt(&leftOk);
            EXPECT_TRUE(topOk && leftOk) << "spot " << spot + 1;
            EXPECT_TRUE(top >= 0 && top <= 160 && left >= 0 && left <= 160);
            markers << QRect(left, top, 40, 40);
        }
        if (overview.isEmpty()) {
            continue;
        }
        QList<int> redInside(3, 0);
        int redOutside = 0;
        const QImage& map = overview.front();
        for (int y = 0; y < map.height(); ++y) {
            for (int x = 0; x < map.width(); ++x) {
                const QRgb c = map.pixel(x, y);
                if (qRed(c) < 200 || qGreen(c) > 110 || qBlue(c) > 90) {
                    continue;
                }
                bool inside = false;
                for (int m = 0; m < 3; ++m) {
                    if (markers[m].contains(x, y)) {
                        ++redInside[m];
                        inside = true;
                    }
                }
                redOutside += inside ? 0 : 1;
            }
        }
        for (int m = 0; m < 3; ++m) {
            EXPECT_GE(redInside[m], 40) << "no lifebuoy under marker " << m + 1;
        }
        EXPECT_EQ(redOutside, 0);
    }
}

TEST(Assets, DataFolderStaysUnderSixMegabytes) {
    qint64 total = 0;
    QDirIterator it(sourceDataFolder(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        total += it.fileInfo().size();
    }
    EXPECT_GT(total, 0);
    EXPECT_LT(total, 6 * 1024 * 1024);
}
