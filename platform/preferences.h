#pragma once

#include <QObject>

class Settings;
class Sound;

// The player's choices, kept for the next run: every sound muted or not (the
// M key), the short cue at a nibble and a hooked fish (the A key), the
// captions (the C key) and the first-game hints.
// Made as the program starts, it silences the sound if the player left it muted.
class Preferences : public QObject {
    Q_OBJECT
public:
    Preferences(Sound& sound, Settings& settings);

    bool muted() const;
    void setMuted(bool muted);
    bool nibbleCue() const;
    void setNibbleCue(bool on);
    bool captions() const;
    void setCaptions(bool on);
    // Whether the next game with captions gives the first-game hints.
    bool hintsDue() const;
    void setHintsDue(bool due);

signals:
    // The sound was muted or unmuted, the nibble cue or the captions turned on or off.
    void changed();

private:
    Sound& sound_;
    Settings& settings_;
};
