#pragma once

#include <QMargins>
#include <QPointer>
#include <QRect>
#include <QScreen>
#include <optional>

class QWidget;

// Where the game's windows open: each new window over the one it takes over
// from, on that window's screen, and always where the player can see it.
namespace placement {

// Where a window stands: its client area, the frame the window system drew
// round it and the screen it is on.
struct Place {
    QRect client;
    QMargins frame;
    QPointer<QScreen> screen;
};

// The place of a window on screen now.
Place of(const QWidget* window);

// The top-left corner of the client area of a window of that client size and
// frame that opens centred over `over` (a client area), moved as little as
// needed to keep its frame inside `available`; a window bigger than that keeps
// its top-left corner, and so its title bar, in view.
QPoint centredOver(const QRect& over, QSize client, const QMargins& frame, const QRect& available);

// The screen the game's first window opens on: the one under the mouse, or
// the primary screen.
QScreen* firstScreen();

// Puts a window that is about to be shown over the place of the window it
// takes over from, or in the middle of the screen under the mouse when there
// is none. Measured from the window's size as it is now. Where clients cannot
// place their windows (Wayland) the compositor does and this does nothing.
void placeNewWindow(QWidget* window, const std::optional<Place>& over);

} // namespace placement
