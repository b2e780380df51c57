#pragma once

#include "platform/accessibility.h"
#include "platform/dialogs.h"
#include "platform/soundplayer.h"
#include "support/printers.h"
#include "support/scriptedrandom.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <memory>

// Every call made to the recording players, in order, as "window: Call(args)".
struct PlayerLog {
    QStringList calls;
    // The calls of one window's players, without the window's name.
    QStringList of(const QString& window) const;
    void clear() { calls.clear(); }
};

// A media player that only writes down what it is asked to do.
class RecordingPlayer final : public SoundPlayer {
public:
    RecordingPlayer(PlayerLog& log, QString window);
    ~RecordingPlayer() override;
    void Stop() override;
    void Init(qint32 sampleRate) override;
    void LoadMusic(const QString& path) override;
    void PlayMusic(bool loop) override;
    void PlaySound(const QString& path, bool flag) override;
    void Pause() override;
    void Resume() override;
    void setVolume(qint32 value) override;

private:
    void note(const QString& call);
    PlayerLog& log_;
    QString window_;
};

// Sound that hands every window a recording player and remembers the mute switch.
class RecordingSound final : public Sound {
public:
    explicit RecordingSound(PlayerLog& log) : log_(log) {}
    std::unique_ptr<SoundPlayer> makePlayer(const QString& window) override {
        return std::make_unique<RecordingPlayer>(log_, window);
    }
    void setMuted(bool muted) override { muted_ = muted; }
    bool muted() const override { return muted_; }

private:
    PlayerLog& log_;
    bool muted_ = false;
};

// Everything said to the screen reader, in order, as "window: text".
class RecordingAnnouncer final : public Announcer {
public:
    bool listening() const override { return true; }
    void announce(QWidget* window, const QString& text) override;
    // The latest announcement; "(nothing said)" when there was none, so a
    // missing announcement fails a comparison instead of ending the test.
    QString last() const;
    QStringList said;
};

// Dialogs answered from a script; every question and message is kept.
class ScriptedDialogs final : public Dialogs {
public:
    QString askText(QWidget* parent, const QString& caption, const QString& prompt) override;
    void message(QWidget* parent, const QString& caption, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& caption, const QString& question) override;

    std::deque<QString> answers; // an empty script answers like Cancel
    QStringList questions;       // "caption|prompt"
    QStringList messages;        // "caption|text"
    std::deque<bool> yesNo;      // an empty script answers No
    QStringList yesNoQuestions;  // "caption|question"
};
