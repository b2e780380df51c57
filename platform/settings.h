#pragma once

#include <QHash>
#include <QString>
#include <memory>

class QSettings;

// The player's choices that outlast a run: the sound switch, the nibble cue,
// the captions and whether the first-game hints were given.
class Settings {
public:
    virtual ~Settings() = default;
    virtual bool flag(const QString& key, bool fallback) const = 0;
    virtual void setFlag(const QString& key, bool value) = 0;
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
} // namespace setting

// Kept in Qt's settings store under "Norppala/Norppala", or in the given ini
// file (a test keeps its own). Every change is written out at once.
class QtSettings final : public Settings {
public:
    explicit QtSettings(const QString& iniFile = QString());
    ~QtSettings() override;
    bool flag(const QString& key, bool fallback) const override;
    void setFlag(const QString& key, bool value) override;

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

private:
    QHash<QString, bool> values_;
};
