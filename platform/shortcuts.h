#pragma once

#include <QObject>

class Announcer;
class Forms;
class Preferences;
class QKeyEvent;
class QWidget;

// The keys that work alike in every open window of the game, whichever control
// has the focus: Enter clicks the focused button, M mutes and unmutes the
// sound, A turns the nibble cue off and on, C the captions (a screen reader
// says which), + and - (also with Ctrl) zoom every window in and out, F11 (or
// the desktop's own full-screen key) shows the window full screen and back,
// and Esc leaves full screen. Watches the whole application while it lives.
class ShortcutFilter : public QObject {
    Q_OBJECT
public:
    ShortcutFilter(Forms& forms, Preferences& preferences, Announcer& announcer);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isOpenWindow(const QWidget* window) const;
    bool pressFocusedButton(QWidget* widget, const QKeyEvent& key);
    // Zoom and full screen; true if the key was one of them.
    bool resize(QWidget* widget, const QKeyEvent& key);

    Forms& forms_;
    Preferences& preferences_;
    Announcer& announcer_;
};

// Whether a control writes what is typed into it (+ and - included).
bool takesText(const QWidget* widget);
// +1 for a key that zooms in (+, Ctrl +, Ctrl =), -1 for one that zooms out (-,
// Ctrl -), 0 for any other.
int zoomStep(const QKeyEvent& key);
