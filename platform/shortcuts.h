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
// says which).
// Watches the whole application while it lives.
class ShortcutFilter : public QObject {
    Q_OBJECT
public:
    ShortcutFilter(Forms& forms, Preferences& preferences, Announcer& announcer);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isOpenWindow(const QWidget* window) const;
    bool pressFocusedButton(QWidget* widget, const QKeyEvent& key);

    Forms& forms_;
    Preferences& preferences_;
    Announcer& announcer_;
};
