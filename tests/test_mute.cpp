#include "platform/soundplayer.h"
#include "support/world.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <SDL_mixer.h>

namespace {

// The mute belongs to the whole process: every test leaves the sound on.
class Mute : public World {
protected:
    void TearDown() override { setSoundMuted(false); }
};

class SdlMute : public ::testing::Test {
protected:
    void TearDown() override { setSoundMuted(false); }
};

} // namespace

TEST_F(Mute, MInEveryWindowTogglesTheSoundWithoutTouchingThePlayers) {
    ASSERT_FALSE(soundMuted());
    bool muted = false;
    for (const char* name : {"menu", "credits", "ohje", "aloita", "peli", "loppu"}) {
        SCOPED_TRACE(name);
        forms.show(name);
        settle();
        Form* form = window(name);
        ASSERT_NE(form, nullptr);
        players.clear();
        QWidget* target = form->focusWidget() ? form->focusWidget() : form;
        QTest::keyClick(target, Qt::Key_M);
        settle();
        muted = !muted;
        EXPECT_EQ(soundMuted(), muted);
        // Muting is silence, not a restart: the music plays on where it was.
        EXPECT_EQ(players.calls, QStringList());
    }
    // Held down, M does not flicker the sound on and off.
    QKeyEvent held(QEvent::KeyPress, Qt::Key_M, Qt::NoModifier, QStringLiteral("m"), true);
    QApplication::sendEvent(window("loppu"), &held);
    EXPECT_EQ(soundMuted(), muted);
}

TEST_F(Mute, MIsOnlyTheSoundKeyInTheGamesOwnWindowsAndOutsideTextFields) {
    forms.show("menu");
    settle();
    QTest::keyClick(window("menu"), Qt::Key_M, Qt::ControlModifier);
    EXPECT_FALSE(soundMuted());

    QWidget stranger;
    QTest::keyClick(&stranger, Qt::Key_M);
    EXPECT_FALSE(soundMuted());

    // A text field in a game window takes M as a letter.
    auto* field = new QLineEdit(window("menu"));
    QTest::keyClick(field, Qt::Key_M);
    EXPECT_FALSE(soundMuted());
    EXPECT_EQ(field->text(), "m");
}

TEST_F(SdlMute, SilencesMusicAndClipsAndRestoresTheOwnersVolume) {
    auto game = makeSdlPlayer();
    game->Init(0, 44100, false, false);
    waitForSound();
    ASSERT_TRUE(sdlAudioReady());
    game->LoadMusic(sourceDataFolder() + "/music.mp3");
    game->PlayMusic(true);
    game->setVolume(20);

    setSoundMuted(true);
    waitForSound();
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
    EXPECT_EQ(Mix_Volume(-1, -1), 0);
    // Neither a new volume, a restart nor a clip on a fresh channel breaks the silence.
    game->setVolume(30);
    game->PlayMusic(true);
    game->PlaySound(sourceDataFolder() + "/sound/kala01.wav", false);
    auto chatter = makeSdlPlayer();
    chatter->PlaySound(sourceDataFolder() + "/sound/kala02.wav", false);
    waitForSound();
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
    EXPECT_EQ(Mix_Volume(-1, -1), 0);

    setSoundMuted(false);
    waitForSound();
    EXPECT_EQ(Mix_VolumeMusic(-1), 30 * MIX_MAX_VOLUME / 100);
    EXPECT_EQ(Mix_Volume(-1, -1), MIX_MAX_VOLUME);

    // Music that another player starts while muted comes back at that player's volume.
    setSoundMuted(true);
    auto menu = makeSdlPlayer();
    menu->LoadMusic(sourceDataFolder() + "/music2.mp3");
    menu->PlayMusic(true);
    waitForSound();
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
    setSoundMuted(false);
    waitForSound();
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
}
