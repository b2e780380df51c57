#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QWidget>

// The game's shared look: colours, fonts and the simple controls its windows
// are built from. Sizes are in pixels, as the windows are laid out in pixels.
namespace look {
inline const QColor navy{0, 0, 128};
inline const QColor cyan{0, 255, 255};
inline const QColor yellow{255, 255, 0};
inline const QColor red{255, 0, 0};
inline const QColor blue{0, 0, 255};
inline const QColor black{0, 0, 0};

// Arial, set as the metric-compatible Liberation Sans, at a size in points as
// the windows give it (at 96 dots per inch, so 14.25 pt is 19 pixels).
QFont arial(double points, bool bold = false, bool italic = false, bool underline = false);
// The system's small sans serif (8.25 pt).
QFont systemFont(double points = 8.25, bool bold = false);
} // namespace look

// Turns off Qt's application-wide pixmap cache. The style stores button and
// scroll-bar pictures under names that never repeat from one window to the
// next, and Qt 6.4 keeps every name after its picture is gone: about 8.5 kB a game.
void disablePixmapCache();

// Makes a reader of a picture compiled into the program (":/pictures/…") take
// the format its suffix names instead of guessing it. Guessing asks every image
// plugin of the system whether it knows the file, which loads them all.
void readBySuffix(QImageReader& reader);

// A still picture compiled into the program, read by its suffix.
QImage builtInPicture(const QString& path);

// The program's window icon, 32 to 64 pixels.
QIcon programIcon();

// A button icon from a pixel-art picture, blown up pixel by pixel to whatever
// size it is shown at (a zoomed window, a high-density screen): sharp, never smoothed.
QIcon pixelIcon(const QString& path);

// A picture stretched to fill its box pixel by pixel (nearest neighbour), so
// that a small icon shown large stays blocky and sharp at any screen density.
class PixelPicture : public QLabel {
    Q_OBJECT
public:
    PixelPicture(QWidget* parent, const QString& name, const QRect& box, const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

// A label: transparent or opaque, with or without a single-line border (one
// design pixel wide, so as wide as its window's zoom), and clickable over its whole box. As with a
// button, a click is a press and a release of the left button both inside the label: sliding off
// before letting go cancels it. It reports mouse moves over it, so a window can highlight it.
class Label : public QLabel {
    Q_OBJECT
public:
    Label(QWidget* parent, const QString& name, const QRect& box, const QString& caption,
          const QFont& font, const QColor& color = look::cyan,
          Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);

    void setTextColor(const QColor& color);
    QColor textColor() const { return color_; }
    // Border style 0 (none) or 1 (single line).
    void setBorderStyle(int style);
    int borderStyle() const { return border_; }
    void setTransparent(bool transparent);
    bool isTransparent() const { return transparent_; }
    // A label the player clicks to act (a menu item, a spot on the map): a
    // screen reader then offers it as a button to press, and Space or Enter
    // presses it when it has the focus.
    void setButton(bool button) { button_ = button; }
    bool isButton() const { return button_; }

signals:
    void clicked();
    void mouseMoved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void refresh();

    QColor color_;
    int border_ = 0;
    bool transparent_ = true;
    bool pressed_ = false;
    bool button_ = false;
};

// A list of file names. Its click event also fires when the player moves the
// selection otherwise, with the keyboard (arrows, page keys, a typed first
// letter), by dragging the mouse to another entry or through a screen reader
// (which selects or toggles an entry), so an entry chosen any way is taken just
// as a clicked one is. The selection a program sets itself, with the list's
// signals blocked, is taken by nobody.
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    FileListBox(QWidget* parent, const QString& name, const QRect& box);

signals:
    void clicked(QListWidgetItem* item);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    // Emits the click for the current entry if `before` no longer is current.
    void clickIfMoved(const QPersistentModelIndex& before);
    // An entry selected from outside the keys and the mouse.
    void selectedElsewhere(const QItemSelection& selected);

    QPersistentModelIndex currentAtPress_;
    bool clickSeen_ = false;
    // The list is handling the player's own keys or mouse, or its click.
    bool handling_ = false;
};

// A list whose entries are each one line of the list's font, such as catch
// lines: the first entry's size is worked out once and taken for all, so that
// adding an entry lays out nothing anew.
void setOneLineItems(QListWidget* list);

// A straight line between two points of a window, `width` pixels wide.
class Line : public QWidget {
    Q_OBJECT
public:
    Line(QWidget* parent, const QString& name, QPoint from, QPoint to, int width,
         const QColor& color = look::black);

    // In the window's design pixels, whatever its zoom.
    QPoint from() const { return from_; }
    QPoint to() const { return to_; }
    // Draws the line at a whole zoom (its width too), measured from `origin`.
    void setZoom(int zoom, QPoint origin);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint from_;
    QPoint to_;
    int width_;
    QColor color_;
    int zoom_ = 1;
    QPoint origin_;
};
