#pragma once

#include <QHash>
#include <QString>
#include <memory>

class QSettings;

// The player's choices that outlast a run: the sound switch, the nibble cue,
// the captions, whether the first-game hints were given, and the size of the windows.
class Settings {
public:
    virtual ~Settings() = default;
    virtual bool flag(const QString& key, bool fallback) const = 0;
    virtual void setFlag(const QString& key, bool value) = 0;
    // A whole number; `fallback` when none is kept or what is kept is no number.
    virtual int number(const QString& key, int fallback) const = 0;
    virtual void setNumber(const QString& key, int value) = 0;
};

namespace setting {
// Every sound silenced (the M key); off until the player mutes.
inline const QString muted = QStringLiteral("aanet/vaimennettu");
// A short sound at every nibble and another when a fish is hooked (the A key); on until turned off.
inline const QString nibbleCue = QStringLiteral("aanet/nykaisymerkki");
// The game's news in words over the bottom of the lake (the C key); on until turned off.
inline const QString captions = QStringLiteral("tekstitys/paalla");
// The first-game hints were given; a player may ask for them again in the help window.
inline const QString hintsGiven = QStringLiteral("tekstitys/vinkit_annettu");
// How many screen pixels each pixel of a window takes, across and down (+ and -).
inline const QString zoom = QStringLiteral("ikkunat/koko");
} // namespace setting

// Kept in Qt's settings store under "Norppala/Norppala", or in the given ini
// file (a test keeps its own). Every change is written out at once.
class QtSettings final : public Settings {
public:
    explicit QtSettings(const QString& iniFile = QString());
    ~QtSettings() override;
    bool flag(const QString& key, bool fallback) const override;
    void setFlag(const QString& key, bool value) override;
    int number(const QString& key, int fallback) const override;
    void setNumber(const QString& key, int value) override;

private:
    std::unique_ptr<QSettings> store_;
};

// Settings that last as long as the object: for benchmarks, screenshots and tests.
class MemorySettings final : public Settings {
public:
    bool flag(const QString& key, bool fallback) const override {
        return values_.value(key, fallback);
    }
    void setFlag(const QString& key, bool value) override { values_.insert(key, value); }
    int number(const QString& key, int fallback) const override {
        return numbers_.value(key, fallback);
    }
    void setNumber(const QString& key, int value) override { numbers_.insert(key, value); }

private:
    QHash<QString, bool> values_;
    QHash<QString, int> numbers_;
};
