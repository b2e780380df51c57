#include "platform/soundplayer.h"
#include "support/world.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <SDL_mixer.h>

namespace {

// The windows reach the mute switch through their context (here a recording one).
class Mute : public World {};

// SDL's mute lasts for the whole process: every test leaves the sound on.
class SdlMute : public ::testing::Test {
protected:
    void TearDown() override { sdl.setMuted(false); }
    SdlSound sdl;
};

} // namespace

TEST_F(Mute, MInEveryWindowTogglesTheSoundWithoutTouchingThePlayers) {
    ASSERT_FALSE(sound.muted());
    bool muted = false;
    for (const char* name : {"menu", "credits", "ohje", "aloita", "peli", "loppu"}) {
        SCOPED_TRACE(name);
        // Each window in the place the game gives it: the results replace the game.
        if (QLatin1String(name) == QLatin1String("loppu")) {
            forms.unload("peli");
        }
        forms.show(name);
        settle();
        Form* form = window(name);
        ASSERT_NE(form, nullptr);
        players.clear();
        // A list takes letters as its own (the results open on their catch list).
        QWidget* focused = form->focusWidget();
        QWidget* target = focused && !focused->inherits("QAbstractItemView") ? focused : form;
        QTest::keyClick(target, Qt::Key_M);
        settle();
        muted = !muted;
        EXPECT_EQ(sound.muted(), muted);
        // Muting is silence, not a restart: the music plays on where it was.
        EXPECT_EQ(players.calls, QStringList());
    }
    // Held down, M does not flicker the sound on and off.
    QKeyEvent held(QEvent::KeyPress, Qt::Key_M, Qt::NoModifier, QStringLiteral("m"), true);
    QApplication::sendEvent(window("loppu"), &held);
    EXPECT_EQ(sound.muted(), muted);
}

TEST_F(Mute, MIsOnlyTheSoundKeyInTheGamesOwnWindowsAndOutsideTextFields) {
    forms.show("menu");
    settle();
    QTest::keyClick(window("menu"), Qt::Key_M, Qt::ControlModifier);
    EXPECT_FALSE(sound.muted());

    QWidget stranger;
    QTest::keyClick(&stranger, Qt::Key_M);
    EXPECT_FALSE(sound.muted());

    // A text field in a game window takes M as a letter.
    auto* field = new QLineEdit(window("menu"));
    QTest::keyClick(field, Qt::Key_M);
    EXPECT_FALSE(sound.muted());
    EXPECT_EQ(field->text(), "m");
}

TEST_F(SdlMute, SilencesMusicAndClipsAndRestoresTheOwnersVolume) {
    auto game = sdl.makePlayer(QString());
    game->Init(44100);
    waitForSound();
    ASSERT_TRUE(sdlAudioReady());
    game->LoadMusic(sourceDataFolder() + "/music.mp3");
    game->PlayMusic(true);
    game->setVolume(20);

    sdl.setMuted(true);
    waitForSound();
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
    EXPECT_EQ(Mix_Volume(-1, -1), 0);
    // Neither a new volume, a restart nor a clip on a fresh channel breaks the silence.
    game->setVolume(30);
    game->PlayMusic(true);
    game->PlaySound(sourceDataFolder() + "/sound/kala01.wav", false);
    auto chatter = sdl.makePlayer(QString());
    chatter->PlaySound(sourceDataFolder() + "/sound/kala02.wav", false);
    waitForSound();
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
    EXPECT_EQ(Mix_Volume(-1, -1), 0);

    sdl.setMuted(false);
    waitForSound();
    EXPECT_EQ(Mix_VolumeMusic(-1), 30 * MIX_MAX_VOLUME / 100);
    EXPECT_EQ(Mix_Volume(-1, -1), MIX_MAX_VOLUME);

    // Music that another player starts while muted comes back at that player's volume.
    sdl.setMuted(true);
    auto menu = sdl.makePlayer(QString());
    menu->LoadMusic(sourceDataFolder() + "/music2.mp3");
    menu->PlayMusic(true);
    waitForSound();
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
    sdl.setMuted(false);
    waitForSound();
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
}
