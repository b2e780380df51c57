#include "core/paths.h"
#include "platform/report.h"
#include "platform/soundplayer.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QLibrary>
#include <QTimer>
#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

namespace {

// SDL2_mixer and the many libraries it pulls in are loaded by the sound worker on
// its first command, so they cost the game's start-up nothing. The headers give
// the types; the functions are looked up in the loaded libraries.
struct SdlApi {
#define NORPPALA_SDL_FUNCTIONS(X)                                                                  \
    X(SDL_GetError)                                                                                \
    X(SDL_SetHint)                                                                                 \
    X(SDL_SetHintWithPriority)                                                                     \
    X(SDL_InitSubSystem)                                                                           \
    X(SDL_QuitSubSystem)                                                                           \
    X(SDL_TLSCleanup)
#define NORPPALA_MIX_FUNCTIONS(X)                                                                  \
    X(Mix_Init)                                                                                    \
    X(Mix_Quit)                                                                                    \
    X(Mix_OpenAudio)                                                                               \
    X(Mix_CloseAudio)                                                                              \
    X(Mix_AllocateChannels)                                                                        \
    X(Mix_Volume)                                                                                  \
    X(Mix_VolumeMusic)                                                                             \
    X(Mix_LoadWAV)                                                                                 \
    X(Mix_LoadMUS)                                                                                 \
    X(Mix_FreeChunk)                                                                               \
    X(Mix_FreeMusic)                                                                               \
    X(Mix_PlayMusic)                                                                               \
    X(Mix_HaltMusic)                                                                               \
    X(Mix_PlayChannel)                                                                             \
    X(Mix_HaltChannel)                                                                             \
    X(Mix_PauseMusic)                                                                              \
    X(Mix_ResumeMusic)                                                                             \
    X(Mix_Pause)                                                                                   \
    X(Mix_Resume)
#define NORPPALA_POINTER(name) decltype(&::name) name = nullptr;
    NORPPALA_SDL_FUNCTIONS(NORPPALA_POINTER)
    NORPPALA_MIX_FUNCTIONS(NORPPALA_POINTER)
#undef NORPPALA_POINTER

    // The libraries stay loaded until the process ends: they may leave threads
    // and exit handlers behind that must not outlive their code. (A QLibrary
    // that goes away without unload() leaves its library loaded.)
    std::unique_ptr<QLibrary> sdlLibrary;
    std::unique_ptr<QLibrary> mixerLibrary;

    bool load() {
        sdlLibrary.reset(new QLibrary(QStringLiteral("SDL2-2.0"), 0));
        mixerLibrary.reset(new QLibrary(QStringLiteral("SDL2_mixer-2.0"), 0));
        QLibrary* sdl = sdlLibrary.get();
        QLibrary* mixer = mixerLibrary.get();
        sdl->setLoadHints(QLibrary::ExportExternalSymbolsHint);
        mixer->setLoadHints(QLibrary::ExportExternalSymbolsHint);
        if (!sdl->load() || !mixer->load()) {
            const QLibrary* failed = sdl->isLoaded() ? mixer : sdl;
            std::fprintf(stderr,
                         "norppala: äänikirjasto ei lataudu (%s), peli jatkuu ilman ääntä\n",
                         qPrintable(failed->errorString()));
            return false;
        }
        bool complete = true;
#define NORPPALA_RESOLVE(library, name)                                                            \
    name = reinterpret_cast<decltype(name)>(library->resolve(#name));                              \
    complete = complete && name != nullptr;
#define NORPPALA_FROM_SDL(name) NORPPALA_RESOLVE(sdl, name)
#define NORPPALA_FROM_MIXER(name) NORPPALA_RESOLVE(mixer, name)
        NORPPALA_SDL_FUNCTIONS(NORPPALA_FROM_SDL)
        NORPPALA_MIX_FUNCTIONS(NORPPALA_FROM_MIXER)
#undef NORPPALA_FROM_MIXER
#undef NORPPALA_FROM_SDL
#undef NORPPALA_RESOLVE
        if (!complete) {
            std::fprintf(stderr, "norppala: äänikirjasto on vajaa, peli jatkuu ilman ääntä\n");
        }
        return complete;
    }
#undef NORPPALA_MIX_FUNCTIONS
#undef NORPPALA_SDL_FUNCTIONS
};

// What the worker keeps for one player: its music and its clip channel.
struct PlayerState {
    Mix_Music* music = nullptr;
    int channel = -1;
    int volume = 100;
};

// The one sound device of the process and every player's state. Only the sound
// worker thread touches it. SDL_mixer plays one music stream at a time; clips
// get one mixing channel per player.
class Engine {
public:
    bool open(int rate) {
        if (open_) {
            return true;
        }
        if (tried_) {
            return false;
        }
        tried_ = true;
        if (!sdl_.load()) {
            return false;
        }
        if (tryOpen(rate)) {
            return true;
        }
        // No usable device: play on silently through the dummy driver.
        std::fprintf(stderr, "norppala: äänilaite ei aukea (%s), peli jatkuu ilman ääntä\n",
                     sdl_.SDL_GetError());
        sdl_.SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        return tryOpen(rate);
    }

    bool isOpen() const { return open_; }

    void stop(int id) {
        if (open_ && musicOwner_ == id) {
            sdl_.Mix_HaltMusic();
            musicOwner_ = 0;
        }
    }

    void loadMusic(int id, const QString& path) {
        if (!open(44100)) {
            return;
        }
        stop(id);
        PlayerState& player = players_[id];
        freeMusic(player);
        // Only a plain file: opening a named pipe would hold the sound thread for good.
        if (isPlainFile(path)) {
            player.music = sdl_.Mix_LoadMUS(QFile::encodeName(path).constData());
        }
        if (!player.music) {
            reportFileProblemOnce(path, QStringLiteral("musiikkia ei voi soittaa"));
        }
    }

    void playMusic(int id, bool loop) {
        const auto player = players_.find(id);
        if (!open_ || player == players_.end() || !player->second.music) {
            return;
        }
        if (sdl_.Mix_PlayMusic(player->second.music, loop ? -1 : 1) == 0) {
            musicOwner_ = id;
            applyVolume(id);
        }
    }

    void playSound(int id, const QString& path) {
        if (!open(44100)) {
            return;
        }
        Mix_Chunk* clip = chunk(path);
        if (!clip) {
            return;
        }
        PlayerState& player = players_[id];
        if (player.channel < 0) {
            player.channel = takeChannel();
        }
        sdl_.Mix_PlayChannel(player.channel, clip, 0);
    }

    // Holds the player's music and clip where they are, or lets them go on from there.
    void hold(int id, bool held) {
        if (!open_) {
            return;
        }
        if (musicOwner_ == id) {
            held ? sdl_.Mix_PauseMusic() : sdl_.Mix_ResumeMusic();
        }
        const auto player = players_.find(id);
        if (player != players_.end() && player->second.channel >= 0) {
            held ? sdl_.Mix_Pause(player->second.channel) : sdl_.Mix_Resume(player->second.channel);
        }
    }

    void setVolume(int id, int volume) {
        players_[id].volume = volume;
        applyVolume(id);
    }

    void setMuted(bool muted) {
        muted_ = muted;
        applyVolumes();
    }

    // The player is gone: its music stops, its channel goes back to the pool.
    void release(int id) {
        stop(id);
        const auto found = players_.find(id);
        if (found == players_.end()) {
            return;
        }
        freeMusic(found->second);
        releaseChannel(found->second.channel);
        players_.erase(found);
    }

    // Runs on the sound thread as it ends.
    void close() {
        if (open_) {
            closeDevice();
        }
        // SDL keeps its error texts per thread, and a thread it did not start
        // must hand them back itself before it ends.
        if (sdl_.SDL_TLSCleanup) {
            sdl_.SDL_TLSCleanup();
        }
    }

private:
    void closeDevice() {
        sdl_.Mix_HaltMusic();
        sdl_.Mix_HaltChannel(-1);
        for (auto& [id, player] : players_) {
            freeMusic(player);
        }
        players_.clear();
        for (Mix_Chunk* clip : std::as_const(chunks_)) {
            sdl_.Mix_FreeChunk(clip);
        }
        chunks_.clear();
        sdl_.Mix_CloseAudio();
        sdl_.Mix_Quit();
        sdl_.SDL_QuitSubSystem(SDL_INIT_AUDIO);
        open_ = false;
    }

    bool tryOpen(int rate) {
        // SDL would otherwise turn SIGINT and SIGTERM into quit events that the Qt
        // event loop never reads, so the game could not be stopped from outside.
        sdl_.SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (sdl_.SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            return false;
        }
        sdl_.Mix_Init(MIX_INIT_MP3);
        if (sdl_.Mix_OpenAudio(rate > 0 ? rate : 44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
            sdl_.SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        sdl_.Mix_AllocateChannels(0);
        open_ = true;
        applyVolumes();
        return true;
    }

    Mix_Chunk* chunk(const QString& path) {
        if (auto found = chunks_.find(path); found != chunks_.end()) {
            return found.value();
        }
        Mix_Chunk* clip = nullptr;
        if (isPlainFile(path)) {
            clip = sdl_.Mix_LoadWAV(QFile::encodeName(path).constData());
        }
        if (!clip) {
            reportFileProblemOnce(path, QStringLiteral("ääntä ei voi soittaa"));
            return nullptr; // not cached: a file that appears later still plays
        }
        chunks_.insert(path, clip);
        return clip;
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
        sdl_.Mix_AllocateChannels(channel + 1);
        // A new channel starts at full volume, muted or not.
        sdl_.Mix_Volume(channel, muted_ ? 0 : MIX_MAX_VOLUME);
        return channel;
    }

    void releaseChannel(int channel) {
        if (open_ && channel >= 0 && channel < static_cast<int>(channelsInUse_.size())) {
            sdl_.Mix_HaltChannel(channel);
            channelsInUse_[channel] = false;
        }
    }

    void freeMusic(PlayerState& player) {
        if (player.music) {
            sdl_.Mix_FreeMusic(player.music);
            player.music = nullptr;
        }
    }

    void applyVolume(int id) {
        if (open_ && musicOwner_ == id) {
            musicVolume_ = players_[id].volume * MIX_MAX_VOLUME / 100;
            applyVolumes();
        }
    }

    // Sets the mixer's volumes from the music owner's volume and the mute.
    void applyVolumes() {
        if (!open_) {
            return;
        }
        sdl_.Mix_VolumeMusic(muted_ ? 0 : musicVolume_);
        sdl_.Mix_Volume(-1, muted_ ? 0 : MIX_MAX_VOLUME);
    }

    SdlApi sdl_;
    bool tried_ = false;
    bool open_ = false;
    bool muted_ = false;
    // The player whose music is playing now (0: none) and the volume it asked for.
    int musicOwner_ = 0;
    int musicVolume_ = MIX_MAX_VOLUME;
    std::unordered_map<int, PlayerState> players_;
    QHash<QString, Mix_Chunk*> chunks_;
    std::vector<bool> channelsInUse_;
};

// One thread runs every player's sound commands, strictly in the order they were
// made, so no call blocks the window that makes it. Commands name their player by
// id, never by pointer: a player may be gone before its commands run.
class SoundWorker {
public:
    static SoundWorker& instance() {
        static SoundWorker worker;
        return worker;
    }

    void post(std::function<void(Engine&)> command) {
        std::unique_lock lock(mutex_);
        if (stopped_) {
            return;
        }
        queue_.push_back(std::move(command));
        if (thread_.joinable()) {
            wake_.notify_one();
        } else if (!startPending_) {
            // Loading the sound libraries maps some forty files. Started at once,
            // that competed with the window's own start and made the first
            // paint a third slower, so the worker starts a moment after the
            // window is up; the calls made until then wait in order.
            startPending_ = true;
            if (QCoreApplication::instance()) {
                QTimer::singleShot(kStartDelayMs, QCoreApplication::instance(),
                                   [] { SoundWorker::instance().start(); });
            } else {
                startLocked();
            }
        }
    }

    void start() {
        const std::lock_guard lock(mutex_);
        startPending_ = false;
        startLocked();
    }

    void waitUntilIdle() {
        std::unique_lock lock(mutex_);
        startLocked();
        idle_.wait(lock, [this] { return (queue_.empty() && !busy_) || !thread_.joinable(); });
    }

    // Commands still queued are dropped; the mixer is closed on the worker.
    void shutdown() {
        std::thread thread;
        {
            const std::lock_guard lock(mutex_);
            stopped_ = true;
            queue_.clear();
            wake_.notify_one();
            thread = std::move(thread_);
        }
        if (thread.joinable()) {
            thread.join();
        }
        idle_.notify_all();
    }

    std::atomic<bool> ready{false};
    std::atomic<bool> muted{false};
    std::atomic<int> lastId{0};

private:
    static constexpr int kStartDelayMs = 150;

    SoundWorker() = default;
    ~SoundWorker() { shutdown(); }

    void startLocked() {
        if (thread_.joinable() || stopped_ || queue_.empty()) {
            return;
        }
        thread_ = std::thread([this] { run(); });
        // Stop before the application's objects and statics go away.
        if (QCoreApplication::instance()) {
            qAddPostRoutine([] { SoundWorker::instance().shutdown(); });
        }
    }

    void run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return !queue_.empty() || stopped_; });
            if (stopped_) {
                break;
            }
            std::function<void(Engine&)> command = std::move(queue_.front());
            queue_.pop_front();
            busy_ = true;
            lock.unlock();
            command(engine_);
            ready = engine_.isOpen();
            command = nullptr;
            lock.lock();
            busy_ = false;
            if (queue_.empty()) {
                idle_.notify_all();
            }
        }
        lock.unlock();
        engine_.close();
        ready = false;
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<std::function<void(Engine&)>> queue_;
    bool busy_ = false;
    bool startPending_ = false;
    bool stopped_ = false;
    std::thread thread_;
    Engine engine_;
};

class SdlPlayer final : public SoundPlayer {
public:
    ~SdlPlayer() override {
        post([id = id_](Engine& engine) { engine.release(id); });
    }

    void Stop() override {
        post([id = id_](Engine& engine) { engine.stop(id); });
    }

    void Init(qint32 sampleRate) override {
        post([sampleRate](Engine& engine) { engine.open(sampleRate); });
    }

    void LoadMusic(const QString& path) override {
        post([id = id_, path](Engine& engine) { engine.loadMusic(id, path); });
    }

    void PlayMusic(bool loop) override {
        post([id = id_, loop](Engine& engine) { engine.playMusic(id, loop); });
    }

    void PlaySound(const QString& path, bool) override {
        post([id = id_, path](Engine& engine) { engine.playSound(id, path); });
    }

    void Pause() override {
        post([id = id_](Engine& engine) { engine.hold(id, true); });
    }

    void Resume() override {
        post([id = id_](Engine& engine) { engine.hold(id, false); });
    }

    void setVolume(qint32 value) override {
        post([id = id_, volume = std::clamp(value, 0, 100)](Engine& engine) {
            engine.setVolume(id, volume);
        });
    }

private:
    static void post(std::function<void(Engine&)> command) {
        SoundWorker::instance().post(std::move(command));
    }

    const int id_ = ++SoundWorker::instance().lastId;
};

} // namespace

std::unique_ptr<SoundPlayer> SdlSound::makePlayer(const QString& /*window*/) {
    return std::make_unique<SdlPlayer>();
}

void SdlSound::setMuted(bool muted) {
    SoundWorker& worker = SoundWorker::instance();
    worker.muted = muted;
    worker.post([muted](Engine& engine) { engine.setMuted(muted); });
}

bool SdlSound::muted() const {
    return SoundWorker::instance().muted;
}

bool sdlAudioReady() {
    return SoundWorker::instance().ready;
}

void waitForSound() {
    SoundWorker::instance().waitUntilIdle();
}
