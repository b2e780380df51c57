#pragma once

#include <QString>

class QWidget;

// Says something a player must notice (a nibble, a landed fish, the last
// seconds) to a screen reader, without moving the focus.
class Announcer {
public:
    virtual ~Announcer() = default;
    // Whether a screen reader listens. Without one nothing is said, so the
    // words need not even be worked out.
    virtual bool listening() const = 0;
    virtual void announce(QWidget* window, const QString& text) = 0;

    // Says what `words()` returns, working it out only when someone listens.
    template <typename Words> void say(QWidget* window, Words&& words) {
        if (listening()) {
            announce(window, words());
        }
    }
};

// Speaks through Qt's accessibility to whatever reader the platform has. On
// Linux, where Qt has no announcements of its own yet, each one appears as a
// notification in the window's status line, which a screen reader reads out
// wherever its focus is. A window not yet active, just opened, is spoken to
// once it is: its own presentation would otherwise cut the announcement off.
class AccessibleAnnouncer final : public Announcer {
public:
    bool listening() const override;
    void announce(QWidget* window, const QString& text) override;
};

// Whether a screen reader is there: Qt's accessibility is active.
bool readerListening();

// Marks a control that only decorates or repeats what another says: a screen
// reader passes it by. Before the control is first shown.
void markDecoration(QWidget* widget);

// Marks a picture or label whose words its window works out when a screen
// reader asks (Form::spokenName), so that nothing is worked out while nobody
// listens. The window calls nameChanged() whenever those words change.
void markNamedByWindow(QWidget* widget);
// Tells a listening screen reader that the control's name changed.
void nameChanged(QWidget* widget);

// Lets a screen reader make sense of the game's own controls: a clickable
// label is a button it can press, a sprite is a picture, a line is a separator,
// a decoration is blank space. Installing twice does nothing more.
void installAccessibility();
