#include "platform/soundplayer.h"
#include "support/pipewatch.h"
#include "support/world.h"

#include <QDir>
#include <QFile>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

// The real player, on SDL's dummy driver (the test run sets SDL_AUDIODRIVER=dummy).
// Its calls run on the sound thread: each check first waits for that thread.
TEST(SdlPlayer, PlaysTheGameMusicAndAClipOverItAndStopsWhenReleased) {
    auto player = SdlSound().makePlayer(QString());
    player->Stop(); // before Init: does nothing, crashes nothing
    player->Init(44100);
    waitForSound();
    ASSERT_TRUE(sdlAudioReady());

    player->LoadMusic(sourceDataFolder() + "/music2.mp3");
    player->PlayMusic(true);
    waitForSound();
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    player->setVolume(20);
    waitForSound();
    EXPECT_EQ(Mix_VolumeMusic(-1), 20 * MIX_MAX_VOLUME / 100);

    player->PlaySound(sourceDataFolder() + "/sound/kala01.wav", false);
    waitForSound();
    EXPECT_GE(Mix_Playing(-1), 1);
    // A new line cuts off the one before: clips never pile up.
    player->PlaySound(sourceDataFolder() + "/sound/kala010.wav", false);
    player->PlaySound(sourceDataFolder() + "/sound/kala015.wav", false);
    waitForSound();
    EXPECT_EQ(Mix_Playing(-1), 1);

    player->Stop();
    waitForSound();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    player->PlayMusic(true);
    waitForSound();
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    player.reset();
    waitForSound();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST(SdlPlayer, APlayerReleasedBeforeItsCallsRunLeavesNothingPlaying) {
    auto player = SdlSound().makePlayer(QString());
    player->Init(44100);
    player->LoadMusic(sourceDataFolder() + "/music.mp3");
    player->PlayMusic(true);
    player->PlaySound(sourceDataFolder() + "/sound/kala03.wav", false);
    player->setVolume(40);
    player.reset();
    // A player made after it gets a state of its own, not the released one's.
    auto next = SdlSound().makePlayer(QString());
    next->PlayMusic(true);
    waitForSound();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST(SdlPlayer, MissingFilesAreReportedOnceAndNothingElseHappens) {
    QTemporaryDir dir;
    const QString music = dir.filePath("music.mp3");
    const QString clip = dir.filePath("kala07.wav");
    auto player = SdlSound().makePlayer(QString());
    player->Init(44100);
    testing::internal::CaptureStderr();
    for (int i = 0; i < 3; ++i) {
        player->LoadMusic(music);
        player->PlayMusic(true);
        player->PlaySound(clip, false);
    }
    waitForSound();
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    EXPECT_EQ(Mix_Playing(-1), 0);
    auto count = [&log](const std::string& what) {
        size_t n = 0;
        for (size_t at = log.find(what); at != std::string::npos; at = log.find(what, at + 1)) {
            ++n;
        }
        return n;
    };
    EXPECT_EQ(count("music.mp3"), 1u);
    EXPECT_EQ(count("kala07.wav"), 1u);
}

// A tune or a clip that is a named pipe, a folder or a link to nothing is
// reported as a missing one is, and the sound thread never opens the pipe:
// waiting there, it would take every later sound call with it.
TEST(SdlPlayer, APipeAFolderOrALinkToNothingIsAMissingFile) {
    QTemporaryDir dir;
    PipeWatch pipes;
    QStringList paths;
    for (const char* kind : {"putki", "kansio", "linkki"}) {
        for (const char* file : {"music.mp3", "kala07.wav"}) {
            const QString path = dir.filePath(QStringLiteral("%1-%2").arg(kind, file));
            if (QString(kind) == "putki") {
                ASSERT_TRUE(pipes.add(path));
            } else if (QString(kind) == "kansio") {
                ASSERT_TRUE(QDir().mkpath(path));
            } else {
                ASSERT_TRUE(QFile::link(path + ".poissa", path));
            }
            paths << path;
        }
    }
    auto player = SdlSound().makePlayer(QString());
    player->Init(44100);
    testing::internal::CaptureStderr();
    for (int i = 0; i < paths.size(); i += 2) {
        player->LoadMusic(paths[i]);
        player->PlayMusic(true);
        player->PlaySound(paths[i + 1], false);
    }
    waitForSound();
    const QString log = QString::fromStdString(testing::internal::GetCapturedStderr());
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    EXPECT_EQ(Mix_Playing(-1), 0);
    for (const QString& path : paths) {
        EXPECT_EQ(log.count(path + "\n"), 1) << path.toStdString() << "\n" << log.toStdString();
    }
    EXPECT_EQ(pipes.opened(), QStringList{});
}

TEST(SdlPlayer, OnePlayersStopLeavesAnotherPlayersMusicAlone) {
    auto menu = SdlSound().makePlayer(QString());
    auto game = SdlSound().makePlayer(QString());
    menu->Init(44100);
    menu->LoadMusic(sourceDataFolder() + "/music2.mp3");
    menu->PlayMusic(true);
    game->LoadMusic(sourceDataFolder() + "/music.mp3");
    game->PlayMusic(true); // takes over the one music stream
    menu->Stop();
    waitForSound();
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    menu.reset();
    waitForSound();
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    game.reset();
    waitForSound();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}
