#include "app/language.h"
#include "core/chatterlines.h"
#include "core/fishinggame.h"
#include "support/world.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

// The nibble and hook cues share the sound folder with the angler's voice.
const QStringList kCues{QStringLiteral("nykaisy.wav"), QStringLiteral("koukku.wav")};

// How long a plain 16-bit mono WAV written by the asset generator plays.
int wavMs(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray head = file.read(44);
    if (head.size() < 44 || head.mid(36, 4) != "data") {
        return -1;
    }
    auto u32 = [&](int at) {
        return quint32(quint8(head[at])) | quint32(quint8(head[at + 1])) << 8 |
               quint32(quint8(head[at + 2])) << 16 | quint32(quint8(head[at + 3])) << 24;
    };
    const double frames = u32(40) / 2.0;
    return qRound(frames * 1000 / u32(24));
}

} // namespace

TEST(ChatterLines, EveryVoiceClipHasOneSubtitleAndEverySubtitleItsClip) {
    const QDir sound(sourceDataFolder() + QStringLiteral("/sound"));
    QStringList voices = sound.entryList({QStringLiteral("*.wav")}, QDir::Files, QDir::Name);
    for (const QString& cue : kCues) {
        EXPECT_TRUE(voices.removeOne(cue)) << cue.toStdString();
    }
    QStringList captioned;
    for (int line = 1; line <= fishing::kChatterLines; ++line) {
        SCOPED_TRACE(line);
        const QString file = chatter::voiceFile(line);
        ASSERT_FALSE(file.isEmpty());
        EXPECT_TRUE(sound.exists(file)) << file.toStdString();
        EXPECT_FALSE(chatter::caption(line).trimmed().isEmpty());
        EXPECT_EQ(chatter::lengthMs(line), wavMs(sound.filePath(file)));
        captioned << file;
    }
    captioned.sort();
    EXPECT_EQ(voices, captioned) << "voice clips: " << voices.join(' ').toStdString()
                                 << "\nsubtitled: " << captioned.join(' ').toStdString();
}

TEST(ChatterLines, SubtitlesSpeakTheDesktopsLanguage) {
    QTranslator translator;
    ASSERT_TRUE(useLanguage(systemLanguage({QStringLiteral("fi-FI")}), translator));
    EXPECT_EQ(chatter::caption(11), QStringLiteral("Jos ei tule kalaa, syön makkaraa. Hah!"));
    QStringList finnish;
    for (int line = 1; line <= fishing::kChatterLines; ++line) {
        finnish << chatter::caption(line);
    }

    ASSERT_TRUE(useLanguage(systemLanguage({QStringLiteral("en-GB")}), translator));
    EXPECT_EQ(chatter::caption(11), QStringLiteral("If no fish comes, I'll eat sausage. Ha!"));
    for (int line = 1; line <= fishing::kChatterLines; ++line) {
        EXPECT_NE(chatter::caption(line), finnish[line - 1]) << "line " << line << " in Finnish";
    }
    // The clip is the same whatever the language.
    EXPECT_EQ(chatter::voiceFile(11), QStringLiteral("kala011.wav"));
    QCoreApplication::removeTranslator(&translator);
}

TEST(ChatterLines, ALineOutsideTheFifteenHasNothing) {
    for (int line : {-1, 0, fishing::kChatterLines + 1}) {
        SCOPED_TRACE(line);
        EXPECT_TRUE(chatter::caption(line).isEmpty());
        EXPECT_TRUE(chatter::voiceFile(line).isEmpty());
        EXPECT_EQ(chatter::lengthMs(line), 0);
    }
}
