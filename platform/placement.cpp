#include "platform/placement.h"

#include <QCursor>
#include <QGuiApplication>
#include <QWidget>
#include <algorithm>

namespace placement {

Place of(const QWidget* window) {
    const QRect client = window->geometry();
    const QRect frame = window->frameGeometry();
    return {client,
            QMargins(client.left() - frame.left(), client.top() - frame.top(),
                     frame.right() - client.right(), frame.bottom() - client.bottom()),
            window->screen()};
}

QPoint centredOver(const QRect& over, QSize client, const QMargins& frame, const QRect& available) {
    // In whole pixels: an odd difference of widths leaves half a pixel to one side.
    const int left = over.left() + (over.width() - client.width()) / 2;
    const int top = over.top() + (over.height() - client.height()) / 2;
    const QRect inner = available.marginsRemoved(frame);
    // The right and bottom edges first, so that the left and top edges win.
    const int x = std::max(std::min(left, inner.right() + 1 - client.width()), inner.left());
    const int y = std::max(std::min(top, inner.bottom() + 1 - client.height()), inner.top());
    return {x, y};
}

QScreen* firstScreen() {
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    return screen ? screen : QGuiApplication::primaryScreen();
}

void placeNewWindow(QWidget* window, const std::optional<Place>& over) {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        return;
    }
    QScreen* screen = nullptr;
    QRect target;
    QMargins frame;
    if (over) {
        screen = QGuiApplication::screenAt(over->client.center());
        if (!screen) {
            screen = over->screen;
        }
        target = over->client;
        // The new window's frame is known only once it is on screen; the
        // window system draws the same round every window of the game.
        frame = over->frame;
    }
    if (!screen) {
        screen = firstScreen();
    }
    if (!screen) {
        return;
    }
    const QRect available = screen->availableGeometry();
    if (!over) {
        target = available;
    }
    window->setScreen(screen);
    // The client area's place, not the frame's: the window manager keeps the
    // client where it is asked to be and draws the frame round it.
    window->setGeometry(
        QRect(centredOver(target, window->size(), frame, available), window->size()));
}

} // namespace placement
