#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>

// A window's media player (`Rumpa1`): background music and sound clips. Every
// call returns at once; the sound plays in the background.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;

    virtual void Stop() = 0;
    // Prepares sound output at the sample rate asked of the sound device.
    virtual void Init(qint32 sampleRate) = 0;
    virtual void LoadMusic(const QString& path) = 0;
    // Starts the loaded music; it loops until stopped.
    virtual void PlayMusic(bool loop) = 0;
    // Plays a clip over the music. A new clip cuts off this player's previous
    // one if that is still playing, so clips never pile up.
    virtual void PlaySound(const QString& path, bool flag) = 0;

    // Holds this player's music and clip where they are; Resume goes on from there.
    virtual void Pause() = 0;
    virtual void Resume() = 0;

    // Music volume, 0 to 100 of full volume (100 until set).
    virtual void setVolume(qint32 value) = 0;
};

// The game's sound: a media player for each window that wants one, and the
// mute switch shared by all of them. Windows reach it through their context.
class Sound {
public:
    virtual ~Sound() = default;
    // Makes the media player of the named window.
    virtual std::unique_ptr<SoundPlayer> makePlayer(const QString& window) = 0;
    // Silences every player's music and clips, or lets them be heard again at
    // the volumes they had. Music started while muted stays silent.
    virtual void setMuted(bool muted) = 0;
    virtual bool muted() const = 0;
};

// Plays through SDL2_mixer, loaded at run time by one sound thread that runs
// every player's calls in the order they were made. Without the library it
// stays silent; with no sound device it falls back to SDL's dummy driver and
// the game goes on silently. Muting lasts for the rest of the run.
class SdlSound final : public Sound {
public:
    std::unique_ptr<SoundPlayer> makePlayer(const QString& window) override;
    void setMuted(bool muted) override;
    bool muted() const override;
};

// True once the sound thread has opened the SDL mixer on some driver (the real
// one or the dummy one).
bool sdlAudioReady();

// Blocks until the sound thread has run every call made so far, so a test can
// look at the mixer's state.
void waitForSound();
