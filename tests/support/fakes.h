#pragma once

#include "platform/dialogs.h"
#include "platform/random.h"
#include "platform/soundplayer.h"
#include "support/printers.h"

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
    void Init(qint32 windowHandle, qint32 sampleRate, bool flagA, bool flagB) override;
    void LoadMusic(const QString& path) override;
    void PlayMusic(bool loop) override;
    void PlaySound(const QString& path, bool flag) override;
    void setPreset(qint32 value) override;
    void setMode(qint32 value) override;
    void setVolume(qint32 value) override;

private:
    void note(const QString& call);
    PlayerLog& log_;
    QString window_;
};

// Random numbers from a script. roll(5, 11) makes the next Int(Rnd × 11) come out
// as 5. Once the script runs out it goes on with a fixed-seed generator, so draws
// a test does not care about stay repeatable.
class ScriptedRandom final : public Random {
public:
    explicit ScriptedRandom(quint32 seed = 1) : fallback_(seed) {}
    double Rnd() override;
    void Randomize() override;

    void push(double value) { script_.push_back(value); }
    void roll(int value, int of) { push((value + 0.5) / of); }
    int pending() const { return static_cast<int>(script_.size()); }
    int reseeds() const { return reseeds_; }
    int draws() const { return draws_; }

private:
    std::deque<double> script_;
    MersenneRandom fallback_;
    int reseeds_ = 0;
    int draws_ = 0;
};

// Dialogs answered from a script; every question and message is kept.
class ScriptedDialogs final : public Dialogs {
public:
    QString askText(QWidget* parent, const QString& caption, const QString& prompt) override;
    void message(QWidget* parent, const QString& caption, const QString& text) override;

    std::deque<QString> answers; // an empty script answers like Cancel
    QStringList questions;       // "caption|prompt"
    QStringList messages;        // "caption|text"
};
