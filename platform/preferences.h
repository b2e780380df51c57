#pragma once

#include <QObject>

class Settings;
class Sound;

// The player's choices, kept for the next run: every sound muted or not (the
// M key), the short cue at a nibble and a hooked fish (the A key), the
// captions (the C key), the first-game hints and the zoom of the windows (+ and -).
// Made as the program starts, it silences the sound if the player left it muted.
class Preferences : public QObject {
    Q_OBJECT
public:
    static constexpr int kMinZoom = 1;
    static constexpr int kMaxZoom = 4;

    // `defaultZoom` is the zoom until the player picks one.
    Preferences(Sound& sound, Settings& settings, int defaultZoom = kMinZoom);

    bool muted() const;
    void setMuted(bool muted);
    bool nibbleCue() const;
    void setNibbleCue(bool on);
    bool captions() const;
    void setCaptions(bool on);
    // Whether the next game with captions gives the first-game hints.
    bool hintsDue() const;
    void setHintsDue(bool due);
    // Every window is drawn at this whole multiple of its own pixels, 1 to 4.
    int zoom() const;
    // Taken within 1 to 4 and kept.
    void setZoom(int zoom);

signals:
    // The sound was muted or unmuted, the nibble cue or the captions turned on or off.
    void changed();
    void zoomChanged(int zoom);

private:
    Sound& sound_;
    Settings& settings_;
    int defaultZoom_;
};

// The zoom a new player starts with: the largest whole one, 1 to 4, at which a
// window `windowHeight` pixels tall takes no more than three quarters of a
// screen `screenHeight` pixels tall, room left for the panels and title bars.
int fittingZoom(int windowHeight, int screenHeight);
