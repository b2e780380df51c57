#include "platform/report.h"
#include "platform/soundplayer.h"

#include <QFile>
#include <QHash>
#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <vector>

namespace {

// The one sound device of the process, opened on first use and shared by the
// players of all windows. SDL_mixer plays one music stream at a time; clips get
// one mixing channel per player.
class Mixer {
public:
    static Mixer& instance() {
        static Mixer mixer;
        return mixer;
    }

    bool open(int rate) {
        if (open_) {
            return true;
        }
        if (tried_) {
            return false;
        }
        tried_ = true;
        if (tryOpen(rate)) {
            return true;
        }
        // No usable device: play on silently through the dummy driver.
        std::fprintf(stderr, "norppala: äänilaite ei aukea (%s), peli jatkuu ilman ääntä\n",
                     SDL_GetError());
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
        return tryOpen(rate);
    }

    bool isOpen() const { return open_; }

    Mix_Chunk* chunk(const QString& path) {
        if (auto found = chunks_.find(path); found != chunks_.end()) {
            return found.value();
        }
        Mix_Chunk* chunk = nullptr;
        if (QFile::exists(path)) {
            chunk = Mix_LoadWAV(QFile::encodeName(path).constData());
        }
        if (!chunk) {
            reportFileProblemOnce(path, QStringLiteral("ääntä ei voi soittaa"));
            return nullptr; // not cached: a file that appears later still plays
        }
        chunks_.insert(path, chunk);
        return chunk;
    }

    int takeChannel() {
        for (int i = 0; i < static_cast<int>(channelsInUse_.size()); ++i) {
            if (!channelsInUse_[i]) {
                channelsInUse_[i] = true;
                return i;
            }
        }
        const int channel = static_cast<int>(channelsInUse_.size());
        channelsInUse_.push_back(true);
        Mix_AllocateChannels(channel + 1);
        // A new channel starts at full volume, muted or not.
        Mix_Volume(channel, muted ? 0 : MIX_MAX_VOLUME);
        return channel;
    }

    void releaseChannel(int channel) {
        if (channel >= 0 && channel < static_cast<int>(channelsInUse_.size())) {
            Mix_HaltChannel(channel);
            channelsInUse_[channel] = false;
        }
    }

    // The player whose music is playing now, if any, and the volume it asked for.
    const void* musicOwner = nullptr;
    int musicVolume = MIX_MAX_VOLUME;
    bool muted = false;

    // Sets the mixer's volumes from the owner's volume and the mute.
    void applyVolumes() {
        if (!open_) {
            return;
        }
        Mix_VolumeMusic(muted ? 0 : musicVolume);
        Mix_Volume(-1, muted ? 0 : MIX_MAX_VOLUME);
    }

private:
    Mixer() = default;
    ~Mixer() {
        if (open_) {
            Mix_HaltMusic();
            Mix_HaltChannel(-1);
            for (Mix_Chunk* chunk : std::as_const(chunks_)) {
                Mix_FreeChunk(chunk);
            }
            Mix_CloseAudio();
            Mix_Quit();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
    }

    bool tryOpen(int rate) {
        // SDL would otherwise turn SIGINT and SIGTERM into quit events that the Qt
        // event loop never reads, so the game could not be stopped from outside.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            return false;
        }
        Mix_Init(MIX_INIT_MP3);
        if (Mix_OpenAudio(rate > 0 ? rate : 44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        Mix_AllocateChannels(0);
        open_ = true;
        applyVolumes();
        return true;
    }

    bool tried_ = false;
    bool open_ = false;
    QHash<QString, Mix_Chunk*> chunks_;
    std::vector<bool> channelsInUse_;
};

class SdlPlayer final : public SoundPlayer {
public:
    ~SdlPlayer() override {
        Stop();
        freeMusic();
        Mixer::instance().releaseChannel(channel_);
    }

    void Stop() override {
        Mixer& mixer = Mixer::instance();
        if (mixer.isOpen() && mixer.musicOwner == this) {
            Mix_HaltMusic();
            mixer.musicOwner = nullptr;
        }
    }

    void Init(qint32, qint32 sampleRate, bool, bool) override {
        Mixer::instance().open(sampleRate);
    }

    void LoadMusic(const QString& path) override {
        if (!Mixer::instance().open(44100)) {
            return;
        }
        Stop();
        freeMusic();
        if (QFile::exists(path)) {
            music_ = Mix_LoadMUS(QFile::encodeName(path).constData());
        }
        if (!music_) {
            reportFileProblemOnce(path, QStringLiteral("musiikkia ei voi soittaa"));
        }
    }

    void PlayMusic(bool loop) override {
        Mixer& mixer = Mixer::instance();
        if (!mixer.isOpen() || !music_) {
            return;
        }
        if (Mix_PlayMusic(music_, loop ? -1 : 1) == 0) {
            mixer.musicOwner = this;
            applyVolume();
        }
    }

    void PlaySound(const QString& path, bool) override {
        Mixer& mixer = Mixer::instance();
        if (!mixer.open(44100)) {
            return;
        }
        Mix_Chunk* chunk = mixer.chunk(path);
        if (!chunk) {
            return;
        }
        if (channel_ < 0) {
            channel_ = mixer.takeChannel();
        }
        Mix_PlayChannel(channel_, chunk, 0);
    }

    void setPreset(qint32 value) override { preset_ = value; }
    void setMode(qint32 value) override { mode_ = value; }
    void setVolume(qint32 value) override {
        volume_ = std::clamp(value, 0, 100);
        applyVolume();
    }

private:
    void applyVolume() {
        Mixer& mixer = Mixer::instance();
        if (mixer.isOpen() && mixer.musicOwner == this) {
            mixer.musicVolume = volume_ * MIX_MAX_VOLUME / 100;
            mixer.applyVolumes();
        }
    }

    void freeMusic() {
        if (music_) {
            Mix_FreeMusic(music_);
            music_ = nullptr;
        }
    }

    Mix_Music* music_ = nullptr;
    int channel_ = -1;
    qint32 preset_ = 0;
    qint32 mode_ = 0;
    qint32 volume_ = 100;
};

} // namespace

std::unique_ptr<SoundPlayer> makeSdlPlayer() {
    return std::make_unique<SdlPlayer>();
}

bool sdlAudioReady() {
    return Mixer::instance().isOpen();
}

void setSoundMuted(bool muted) {
    Mixer& mixer = Mixer::instance();
    mixer.muted = muted;
    mixer.applyVolumes();
}

bool soundMuted() {
    return Mixer::instance().muted;
}
