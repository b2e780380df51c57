#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

struct Context;
class Forms;
class QKeyEvent;
class SoundPlayer;
class Timer;

// A window of the game. Every window is navy, of a fixed client size, carries
// the program icon and its caption, and works in pixels.
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

    // The window's background picture, drawn unscaled at the top-left corner of
    // the client area beneath every control. A file that cannot be read clears it.
    void setPicture(const QString& path);
    void setPicture(const QImage& image);
    const QImage& picture() const { return picture_; }
    QString pictureFile() const { return pictureFile_; }

    // What a screen reader hears of a control marked with markNamedByWindow(),
    // worked out when it asks.
    virtual QString spokenName(const QWidget* control) const;

protected:
    friend class Forms;
    virtual void load() {}
    virtual void activate() {}

    // Creates a timer on the game's clock, owned by this window.
    Timer* makeTimer(const QString& name, int interval, bool enabled);
    // Creates a media player of this window; it is stopped and released when the
    // window unloads. A second player (`part`, e.g. "merkki") plays its clips
    // without cutting off the first one's.
    SoundPlayer* makePlayer(const QString& part = QString());

    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void shutDown();

    Forms& forms_;
    QImage picture_;
    QString pictureFile_;
    std::vector<std::unique_ptr<SoundPlayer>> players_;
    bool unloading_ = false;
};

// The open windows of the program, by name. Windows open and close each other
// through here, so no window needs another's class.
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
    // only brought to the front. Either way it becomes the active window.
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

    // Mutes or unmutes every sound (the M key), remembered for the next run.
    void setMuted(bool muted);
    // The short sounds at a nibble and a hooked fish (the A key), remembered too.
    bool nibbleCue() const;
    void setNibbleCue(bool on);

signals:
    // Every window is closed: the program should end.
    void lastWindowClosed();
    // The sound was muted or unmuted, or the nibble cue turned on or off.
    void soundChanged();

protected:
    // In any open window the M key mutes or unmutes the game's sound and the A
    // key turns the nibble cue on or off; a screen reader says which.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class Form;
    void noteActivated(Form* form);
    void checkActivation(quint64 generation);
    void makeActive(Form* form);
    void formClosedByUser(Form* form);
    bool pressFocusedButton(QWidget* widget, const QKeyEvent& key);

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
    QList<QPointer<Form>> unloaded_;
};
