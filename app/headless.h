#pragma once

#include "platform/dialogs.h"
#include "platform/soundplayer.h"

// A player and dialogs for running the windows with nobody watching or
// listening: the screenshot tool and the benchmarks.
class SilentPlayer final : public SoundPlayer {
public:
    void Stop() override {}
    void Init(qint32) override {}
    void LoadMusic(const QString&) override {}
    void PlayMusic(bool) override {}
    void PlaySound(const QString&, bool) override {}
    void Pause() override {}
    void Resume() override {}
    void setVolume(qint32) override {}
};

// Sound for nobody: every window gets a silent player.
class SilentSound final : public Sound {
public:
    std::unique_ptr<SoundPlayer> makePlayer(const QString&) override {
        return std::make_unique<SilentPlayer>();
    }
    void setMuted(bool muted) override { muted_ = muted; }
    bool muted() const override { return muted_; }

private:
    bool muted_ = false;
};

// Answers every question with Cancel or No and lets every message pass.
class NoDialogs final : public Dialogs {
public:
    QString askText(QWidget*, const QString&, const QString&) override { return {}; }
    void message(QWidget*, const QString&, const QString&) override {}
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
};
