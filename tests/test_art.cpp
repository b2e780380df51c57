// Whether the pictures and voices read as the game plays them: a nibble is
// seen at a glance, the bait pictures fit the box they are shown in, every
// fishing spot is a place of its own, and the angler's muttering sits over the
// game music without drowning it.

#include "platform/soundplayer.h"
#include "support/world.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <SDL_mixer.h>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

QString dataFile(const QString& relative) {
    return sourceDataFolder() + QLatin1Char('/') + relative;
}

QList<QImage> frames(const QString& path) {
    QList<QImage> out;
    QImageReader reader(path);
    for (int i = 0; i < reader.imageCount(); ++i) {
        const QImage frame = reader.read();
        if (frame.isNull()) {
            ADD_FAILURE() << path.toStdString() << ": frame " << i << " does not decode";
            break;
        }
        out.append(frame.convertToFormat(QImage::Format_ARGB32));
    }
    if (out.isEmpty()) {
        ADD_FAILURE() << path.toStdString() << ": no frames";
    }
    return out;
}

bool clear(QRgb p) {
    return qAlpha(p) == 0;
}

// Pixels that look different; see-through pixels match whatever colour they hold.
int differingPixels(const QImage& a, const QImage& b, const QRect& area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (clear(p) && clear(q)) {
                continue;
            }
            n += (p != q) ? 1 : 0;
        }
    }
    return n;
}

const QStringList kAnglerPictures = {"mies.gif", "mies_kala.gif", "mies_napautus.gif",
                                     "mies_nosto.gif", "mies_lasku.gif"};

// The angler picture: where his float rests in the water, below and right of
// the boat, and the space beside his hat above the shoulders.
const QRect kFloatArea(66, 95, 27, 25);
const QRect kAboveShoulders(0, 1, 93, 34);

bool floatWhite(QRgb p) {
    return !clear(p) && qRed(p) > 225 && qGreen(p) > 225 && qBlue(p) > 210;
}

int count(const QImage& image, const QRect& area, bool (*test)(QRgb)) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            n += test(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return n;
}

// A sound file decoded by the mixer into the format it plays in, then scaled
// by the mixer's own mixing function at the given volume, exactly as it adds
// that sound into what the speakers get.
std::vector<Sint16> asPlayed(const QString& path, int volume) {
    std::vector<Sint16> out;
    Mix_Chunk* chunk = Mix_LoadWAV(QFile::encodeName(path).constData());
    if (!chunk) {
        ADD_FAILURE() << path.toStdString() << ": " << Mix_GetError();
        return out;
    }
    int rate = 0, channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&rate, &format, &channels);
    if (format != AUDIO_S16SYS) {
        ADD_FAILURE() << "the mixer does not play 16-bit samples";
    } else {
        out.assign(chunk->alen / sizeof(Sint16), 0);
        SDL_MixAudioFormat(reinterpret_cast<Uint8*>(out.data()), chunk->abuf, format, chunk->alen,
                           volume);
    }
    Mix_FreeChunk(chunk);
    return out;
}

double rms(const std::vector<Sint16>& samples, size_t from, size_t count) {
    double sum = 0;
    for (size_t i = from; i < from + count; ++i) {
        sum += double(samples[i]) * samples[i];
    }
    return count ? std::sqrt(sum / double(count)) / 32768.0 : 0.0;
}

// The loudness of speech: RMS over the 50 ms stretches in which he talks,
// those within 30 dB of the line's loudest one, so pauses do not water it down.
double speechRms(const std::vector<Sint16>& samples, int rate, int channels) {
    const size_t block = size_t(rate / 20) * size_t(channels);
    std::vector<double> power;
    for (size_t at = 0; at + block <= samples.size(); at += block) {
        const double r = rms(samples, at, block);
        power.push_back(r * r);
    }
    if (power.empty()) {
        return 0.0;
    }
    const double gate = *std::max_element(power.begin(), power.end()) / 1000.0;
    double sum = 0;
    int spoken = 0;
    for (double p : power) {
        if (p >= gate) {
            sum += p;
            ++spoken;
        }
    }
    return std::sqrt(sum / spoken);
}

} // namespace

TEST(Art, AnglerFramesKeepTheirTopRowClear) {
    // With the boat at its starting place the angler's control sits at the
    // lake's top edge: anything drawn in his top row would be cut off there.
    QStringList paths;
    for (const QString& name : kAnglerPictures) {
        paths << dataFile(name);
    }
    paths << QStringLiteral(":/pictures/mies.gif");
    for (const QString& path : paths) {
        const QList<QImage> all = frames(path);
        for (qsizetype i = 0; i < all.size(); ++i) {
            for (int x = 0; x < all[i].width(); ++x) {
                ASSERT_TRUE(clear(all[i].pixel(x, 0)))
                    << path.toStdString() << " frame " << i + 1 << " at x " << x;
            }
        }
    }
}

TEST(Art, NibbleShoutsInEveryFrameWhileWaitingStaysCalm) {
    const QList<QImage> waiting = frames(dataFile("mies.gif"));
    const QList<QImage> nibble = frames(dataFile("mies_kala.gif"));
    ASSERT_GE(waiting.size(), 2);
    ASSERT_GE(nibble.size(), 2);
    const QRect whole = waiting.front().rect();

    // Waiting is calm: from one frame to the next (and round the loop) only a
    // float riding the swell a pixel or a blink changes, no spreading rings
    // (rings round the float change some seventy pixels and more).
    for (qsizetype i = 0; i < waiting.size(); ++i) {
        const QImage& next = waiting[(i + 1) % waiting.size()];
        EXPECT_LE(differingPixels(waiting[i], next, whole), 60) << "waiting frame " << i + 1;
    }

    const int restingWhite = count(waiting.front(), kFloatArea, floatWhite);
    ASSERT_GT(restingWhite, 10) << "the waiting float should show its white belly";
    int floatUnder = 0;
    for (qsizetype i = 0; i < nibble.size(); ++i) {
        SCOPED_TRACE("nibble frame " + std::to_string(i + 1));
        // Something big appears above his shoulders where the lake showed
        // through while he waited, in every frame, so no frame can be missed.
        int appeared = 0;
        for (int y = kAboveShoulders.top(); y <= kAboveShoulders.bottom(); ++y) {
            for (int x = kAboveShoulders.left(); x <= kAboveShoulders.right(); ++x) {
                appeared +=
                    (clear(waiting.front().pixel(x, y)) && !clear(nibble[i].pixel(x, y))) ? 1 : 0;
            }
        }
        EXPECT_GE(appeared, 350);
        // Every frame stirs the water round the float far more than waiting does.
        for (const QImage& calm : waiting) {
            EXPECT_GE(differingPixels(nibble[i], calm, kFloatArea), 40);
        }
        floatUnder += count(nibble[i], kFloatArea, floatWhite) * 3 < restingWhite ? 1 : 0;
    }
    // The float is dragged under for most of the animation.
    EXPECT_GE(floatUnder * 2, nibble.size());
}

TEST(Art, BaitPicturesFitTheBoxTheGameShowsThemIn) {
    // The bait display is a 97 x 89 control showing 100 x 100 pictures from its
    // corner: the frame must close inside that box, and nothing may lie beyond.
    const QSize box(97, 89);
    QStringList paths;
    for (const char* name : {"koho3.gif", "koho2.gif", "koho1.gif", "mato_dis.gif"}) {
        paths << dataFile(QString::fromLatin1(name));
    }
    paths << QStringLiteral(":/pictures/mato.gif");
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        const QList<QImage> all = frames(path);
        ASSERT_EQ(all.size(), 1);
        const QImage& p = all.front();
        ASSERT_EQ(p.size(), QSize(100, 100));
        // the frame's rim, wood and inner edge are as wide on the right and
        // bottom as on the left and top (only its lit bevel is one-sided)
        for (int k : {0, 1, 2, 5}) {
            for (int y = 8; y < box.height() - 8; ++y) {
                ASSERT_EQ(p.pixel(k, y), p.pixel(box.width() - 1 - k, y)) << "band " << k;
            }
            for (int x = 8; x < box.width() - 8; ++x) {
                ASSERT_EQ(p.pixel(x, k), p.pixel(x, box.height() - 1 - k)) << "band " << k;
            }
        }
        const QRgb rim = p.pixel(0, 0);
        for (int y = 0; y < p.height(); ++y) {
            for (int x = 0; x < p.width(); ++x) {
                if (x >= box.width() || y >= box.height()) {
                    ASSERT_EQ(p.pixel(x, y), rim) << "beyond the box at " << x << ", " << y;
                }
            }
        }
    }

    // Before the first lift the display shows the line in the water: the same
    // frame as the bait, and inside it mostly lake blue with a red float.
    const QImage first = frames(":/pictures/mato.gif").value(0);
    const QImage bait = frames(dataFile("koho3.gif")).value(0);
    ASSERT_FALSE(first.isNull() || bait.isNull());
    EXPECT_EQ(first.copy(0, 0, box.width(), 6), bait.copy(0, 0, box.width(), 6));
    const QRect card(6, 6, box.width() - 12, box.height() - 12);
    const int blue = count(first, card, [](QRgb p) { return qBlue(p) > qRed(p) + 40; });
    const int red = count(first, card, [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 110; });
    EXPECT_GT(blue * 10, card.width() * card.height() * 8);
    EXPECT_GE(red, 30);
}

TEST(Art, EveryFishingSpotIsAPlaceOfItsOwn) {
    const QDir maps(dataFile("maps"));
    QStringList backgrounds;
    for (const QString& description : maps.entryList({"*.ars"}, QDir::Files, QDir::Name)) {
        QFile file(maps.filePath(description));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString folder = QString::fromLatin1(file.readLine()).trimmed();
        for (int n = 1; n <= 3; ++n) {
            backgrounds << maps.filePath(folder + QStringLiteral("/taka%1.gif").arg(n));
        }
    }
    ASSERT_EQ(backgrounds.size(), 9);
    QList<QImage> pictures;
    for (const QString& path : backgrounds) {
        pictures << frames(path).value(0);
        ASSERT_EQ(pictures.back().size(), QSize(250, 305)) << path.toStdString();
    }
    const int all = 250 * 305;
    for (qsizetype a = 0; a < pictures.size(); ++a) {
        for (qsizetype b = a + 1; b < pictures.size(); ++b) {
            const int differ = differingPixels(pictures[a], pictures[b], pictures[a].rect());
            EXPECT_GE(differ * 100, all * 15)
                << backgrounds[a].toStdString() << " and " << backgrounds[b].toStdString()
                << " differ in " << differ * 100.0 / all << " % of their pixels";
        }
    }
}

TEST(Art, ChatterIsHeardOverTheGameMusicWithoutDrowningIt) {
    // The game screen's own calls on the real player: the mixer then holds the
    // volumes the game plays at, the music turned down and the clips not.
    SdlSound sound;
    auto player = sound.makePlayer(QStringLiteral("peli"));
    player->Init(44100);
    player->LoadMusic(dataFile("music.mp3"));
    player->PlayMusic(true);
    player->setVolume(20);
    player->PlaySound(dataFile("sound/kala01.wav"), false);
    waitForSound();
    ASSERT_TRUE(sdlAudioReady());
    ASSERT_FALSE(sound.muted());
    const int musicVolume = Mix_VolumeMusic(-1);
    const int clipVolume = Mix_Volume(-1, -1);
    player.reset();
    waitForSound();
    EXPECT_LT(musicVolume, MIX_MAX_VOLUME); // the game does turn its music down

    int rate = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1);
    const std::vector<Sint16> music = asPlayed(dataFile("music.mp3"), musicVolume);
    ASSERT_GT(music.size(), size_t(30 * rate * channels));
    const double musicRms = rms(music, 0, music.size());
    ASSERT_GT(musicRms, 0.01);

    for (int n = 1; n <= 15; ++n) {
        const QString clip = QStringLiteral("sound/kala0%1.wav").arg(n);
        SCOPED_TRACE(clip.toStdString());
        const std::vector<Sint16> voice = asPlayed(dataFile(clip), clipVolume);
        ASSERT_FALSE(voice.empty());
        const double speech = speechRms(voice, rate, channels);
        // heard over the music, but never more than twice as loud
        EXPECT_GE(speech, musicRms);
        EXPECT_LE(speech, 2 * musicRms);
        int peak = 0;
        for (Sint16 s : voice) {
            peak = std::max(peak, std::abs(int(s)));
        }
        EXPECT_LT(20 * std::log10(peak / 32768.0), -3.0) << "peak " << peak;
    }
}
