#pragma once

#include <QString>

class QWidget;

// Says something a player must notice (a nibble, a landed fish, the last
// seconds) to a screen reader, without moving the focus.
class Announcer {
public:
    virtual ~Announcer() = default;
    virtual void announce(QWidget* window, const QString& text) = 0;
};

// Speaks through Qt's accessibility: every window has an invisible alert
// ("ilmoitus") whose text changes and which shows itself anew, which a screen
// reader reads out wherever its focus is.
class AccessibleAnnouncer final : public Announcer {
public:
    void announce(QWidget* window, const QString& text) override;
};

// Marks a control that only decorates or repeats what another says: a screen
// reader passes it by. Before the control is first shown.
void markDecoration(QWidget* widget);

// Lets a screen reader make sense of the game's own controls: a clickable
// label is a button it can press, a sprite is a picture, a line is a separator,
// a decoration is blank space. Installing twice does nothing more.
void installAccessibility();
