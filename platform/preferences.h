#pragma once

#include <QObject>

class Settings;
class Sound;

// The player's sound choices, kept for the next run: every sound muted or not
// (the M key) and the short cue at a nibble and a hooked fish (the A key).
// Made as the program starts, it silences the sound if the player left it muted.
class Preferences : public QObject {
    Q_OBJECT
public:
    Preferences(Sound& sound, Settings& settings);

    bool muted() const;
    void setMuted(bool muted);
    bool nibbleCue() const;
    void setNibbleCue(bool on);

signals:
    // The sound was muted or unmuted, or the nibble cue turned on or off.
    void changed();

private:
    Sound& sound_;
    Settings& settings_;
};
