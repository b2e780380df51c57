#pragma once

#include "platform/placement.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct Context;
class Forms;
class QAbstractButton;
class QKeyEvent;
class SoundPlayer;
class TitleBar;

// A window of the game. Every window is navy, of a fixed client size, carries
// the program icon and its caption, and works in pixels.
//
// Zoom: a window is laid out in its own pixels (design pixels) and shown at a
// whole zoom, each of its pixels zoom × zoom pixels of the screen. Every
// control of the client area sits at its design box × zoom, its text at its
// design size × zoom (drawn at that size, sharp), and the pictures are blown
// up pixel by pixel. Zoom 1 changes nothing at all. In full screen the window
// covers its screen and its client area is shown at the largest zoom that
// fits, centred on black.
//
// Lifecycle (kept by Forms): a window is created and its load() runs on first
// use; activate() runs when it is first shown and whenever it becomes the
// active program window again after another program window was active;
// unloading stops its timers and player at once and destroys it.
class Form : public QWidget {
    Q_OBJECT
public:
    Form(Forms& forms, const QString& name, const QString& caption, QSize clientSize);
    ~Form() override;

    Forms& forms() const { return forms_; }
    Context& context() const;
    // True from loading until the window is unloaded.
    bool isOpen() const;

    // The window's background picture, drawn unscaled at the top-left corner of
    // the client area beneath every control. A file that cannot be read clears it.
    void setPicture(const QString& path);
    void setPicture(const QImage& image);
    const QImage& picture() const { return picture_; }
    QString pictureFile() const { return pictureFile_; }

    // The title bar the window draws itself where the toolkit's own would offer
    // a maximise button (see Forms::setOwnTitleBars), or nothing.
    TitleBar* titleBar() const { return titleBar_; }

    // What a screen reader hears of a control marked with markNamedByWindow(),
    // worked out when it asks.
    virtual QString spokenName(const QWidget* control) const;

    // The client area's size in design pixels.
    QSize designSize() const { return designSize_; }
    // Screen pixels per design pixel, across and down, as the window is shown
    // now: the player's zoom, or in full screen the largest that fits.
    int zoom() const { return fullScreen_ ? fullScreenZoom_ : zoom_; }
    // The zoom of the window while it is not full screen; it resizes about its centre.
    void setZoom(int zoom);
    // Where a box given in design pixels lies now, in the coordinates the
    // controls of the client area are placed in (full screen adds the margin
    // round the centred client area). Whatever a window places or draws by
    // these follows every change of zoom; zoomChanged() says when to place it again.
    QRect scaled(const QRect& design) const;
    QPoint scaled(QPoint design) const;
    // A font zoom() times the size of the design's.
    QFont scaled(const QFont& design) const;
    // Every control of the client area follows the zoom by itself: one made
    // before the window is first shown (in the constructor or load()) is
    // taken to stand at its design box. One made or moved later is placed by
    // its design box or place with these, never with its own setGeometry().
    void placeControl(QWidget* control, const QRect& designBox);
    void moveControl(QWidget* control, QPoint designTopLeft);

    // Shows the window over its whole screen, or as it was before.
    void setFullScreen(bool on);
    bool fullScreen() const { return fullScreen_; }

signals:
    // The window has been laid out anew: zoom() or the client area's place changed.
    void zoomChanged(int zoom);

protected:
    friend class Forms;
    virtual void load() {}
    virtual void activate() {}

    // Creates a media player of this window; it is stopped and released when the
    // window unloads. A second player (`part`, e.g. "merkki") plays its clips
    // without cutting off the first one's.
    SoundPlayer* makePlayer(const QString& part = QString());

    // Whether the window's own background (no control) is at that point.
    bool isBackgroundAt(QPoint pos) const;

    // Esc clicks this button (the one that closes the window), wherever the focus is.
    void setEscapeButton(QAbstractButton* button);

    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void shutDown();
    // Sizes the window for its zoom or its screen and places every control of
    // the client area at its design box × zoom.
    void relayout();
    // Puts the title bar above the client area: the controls move into a
    // container of the client size beneath it, so every place a window gives
    // its controls, at once or later, stays measured from the client's corner.
    void addTitleBar();

    Forms& forms_;
    QImage picture_;
    QString pictureFile_;
    std::vector<std::unique_ptr<SoundPlayer>> players_;
    bool unloading_ = false;
    QPointer<QAbstractButton> escapeButton_;
    QWidget* client_ = nullptr;
    TitleBar* titleBar_ = nullptr;
    QSize designSize_;
    int zoom_ = 1;
    int fullScreenZoom_ = 1;
    bool fullScreen_ = false;
    // Where the window stood before it took the whole screen, to go back there.
    std::optional<QPoint> placeBeforeFullScreen_;
    // The client area's corner within the controls' parent: beyond (0, 0) only in full screen.
    QPoint origin_;
    // Whether the controls have been placed by zoom at least once (before,
    // each stands where the window put it, in design pixels).
    bool laidOut_ = false;
};

// The zoom of the window a widget is in; 1 outside the game's windows.
int zoomOf(const QWidget* widget);

// The open windows of the program, by name: each is made by the factory
// registered under its name when it is first asked for, and stays until it is
// unloaded. Which window opens when is not decided here.
class Forms : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<Form*(Forms&)>;

    explicit Forms(Context& context);
    ~Forms() override;

    Context& context() const { return context_; }

    void registerForm(const QString& name, Factory factory);

    // The open window of that name, loading it first if it is closed.
    Form* get(const QString& name);
    template <class T> T* get(const QString& name) { return qobject_cast<T*>(get(name)); }
    // The open window of that name, or nothing: never loads.
    Form* find(const QString& name) const;
    template <class T> T* find(const QString& name) const { return qobject_cast<T*>(find(name)); }
    bool isLoaded(const QString& name) const { return find(name) != nullptr; }
    QStringList loadedNames() const;

    // Shows a window modeless, loading it first if needed; an open window is
    // only brought to the front. Either way it becomes the active window. A
    // window not yet on screen opens centred over the active one, or, with
    // none on screen, over the window closed last (so the results take the
    // game screen's place), or else in the middle of the screen.
    void show(const QString& name);
    // Closes a window for good. Closing a closed window does nothing. If the
    // closed window was the active one, the window that was active before it
    // becomes active again, whether or not a window manager hands it the focus.
    void unload(const QString& name);

    // The window that is active for the game, if any.
    Form* active() const { return active_; }

    // Deletes the windows unloaded so far (they are deleted only once their own
    // handlers have returned). The event loop does this by itself too.
    void flushUnloaded();

    // Whether windows loaded from now on draw their own title bar. By default
    // they do under Wayland, where the toolkit draws the title bar unless the
    // compositor does, and the toolkit's bar always offers to maximise.
    void setOwnTitleBars(bool own) { ownTitleBars_ = own; }

signals:
    // Every window is closed: the program should end.
    void lastWindowClosed();

private:
    friend class Form;
    void noteActivated(Form* form);
    void checkActivation(quint64 generation);
    void makeActive(Form* form);
    void formClosedByUser(Form* form);

    Context& context_;
    QHash<QString, Factory> factories_;
    QHash<QString, Form*> open_;
    QList<QPointer<Form>> activationOrder_; // most recent last
    QPointer<Form> active_;
    // The window the platform last reported active, and how many explicit
    // activations the game has made (a report older than the latest one is stale).
    QPointer<Form> reported_;
    quint64 explicitActivations_ = 0;
    bool checkPending_ = false;
    bool ownTitleBars_ = false;
    QList<QPointer<Form>> unloaded_;
    std::optional<placement::Place> lastClosed_;
};
