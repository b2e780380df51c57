#include "platform/shortcuts.h"

#include "platform/accessibility.h"
#include "platform/form.h"
#include "platform/preferences.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>

ShortcutFilter::ShortcutFilter(Forms& forms, Preferences& preferences, Announcer& announcer)
    : forms_(forms), preferences_(preferences), announcer_(announcer) {
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->installEventFilter(this);
    }
}

bool ShortcutFilter::isOpenWindow(const QWidget* window) const {
    return forms_.find(window->objectName()) == window;
}

namespace {

// Letters typed into a list or a text field are that control's own: the map
// list finds a lake by its first letter, a text field writes it.
bool takesLetters(const QWidget* widget) {
    return widget->inherits("QAbstractItemView") || widget->inherits("QComboBox") ||
           takesText(widget);
}

} // namespace

bool takesText(const QWidget* widget) {
    return widget->inherits("QLineEdit") || widget->inherits("QTextEdit") ||
           widget->inherits("QPlainTextEdit") || widget->inherits("QAbstractSpinBox");
}

int zoomStep(const QKeyEvent& key) {
    const Qt::KeyboardModifiers mods = key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (mods != Qt::NoModifier && mods != Qt::ControlModifier) {
        return 0;
    }
    switch (key.key()) {
    case Qt::Key_Plus:
        return 1;
    case Qt::Key_Equal: // Ctrl and the key that holds + on many keyboards
        return mods == Qt::ControlModifier ? 1 : 0;
    case Qt::Key_Minus:
        return -1;
    default:
        return 0;
    }
}

bool ShortcutFilter::resize(QWidget* widget, const QKeyEvent& key) {
    const bool fullScreenKey = key.key() == Qt::Key_F11 || key.matches(QKeySequence::FullScreen);
    const bool escape =
        key.key() == Qt::Key_Escape && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const int step = zoomStep(key);
    if (!fullScreenKey && !escape && step == 0) {
        return false;
    }
    auto* window = qobject_cast<Form*>(widget->window());
    if (!window || !isOpenWindow(window)) {
        return false;
    }
    if (escape) {
        // Esc leaves full screen first; out of it, it is the window's own key.
        if (!window->fullScreen()) {
            return false;
        }
        if (!key.isAutoRepeat()) {
            window->setFullScreen(false);
        }
        return true;
    }
    if (fullScreenKey) {
        if (!key.isAutoRepeat()) {
            window->setFullScreen(!window->fullScreen());
        }
        return true;
    }
    // In a text field + and - are written, unless Ctrl is held.
    if (!(key.modifiers() & Qt::ControlModifier) && takesText(widget)) {
        return false;
    }
    if (!key.isAutoRepeat()) {
        preferences_.setZoom(preferences_.zoom() + step);
        announcer_.say(window, [zoom = preferences_.zoom()] { return tr("Koko %1×").arg(zoom); });
    }
    return true;
}

bool ShortcutFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        return pressFocusedButton(static_cast<QWidget*>(watched), *key);
    }
    if (resize(static_cast<QWidget*>(watched), *key)) {
        return true;
    }
    if ((key->key() != Qt::Key_M && key->key() != Qt::Key_A && key->key() != Qt::Key_C) ||
        key->isAutoRepeat() ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(watched);
    if (takesLetters(widget)) {
        return false;
    }
    QWidget* window = widget->window();
    if (!isOpenWindow(window)) {
        return false;
    }
    if (key->key() == Qt::Key_M) {
        preferences_.setMuted(!preferences_.muted());
        announcer_.say(window, [muted = preferences_.muted()] {
            return muted ? tr("Äänet pois") : tr("Äänet päällä");
        });
    } else if (key->key() == Qt::Key_C) {
        preferences_.setCaptions(!preferences_.captions());
        announcer_.say(window, [on = preferences_.captions()] {
            return on ? tr("Tekstitys päällä") : tr("Tekstitys pois");
        });
    } else {
        preferences_.setNibbleCue(!preferences_.nibbleCue());
        announcer_.say(window, [on = preferences_.nibbleCue()] {
            return on ? tr("Nykäisymerkki päällä") : tr("Nykäisymerkki pois");
        });
    }
    return true;
}

bool ShortcutFilter::pressFocusedButton(QWidget* widget, const QKeyEvent& key) {
    // Enter clicks the button that has the focus, as Space does. Qt's buttons
    // take Enter only inside dialogs; the game's windows are not dialogs.
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if (!button || !isOpenWindow(widget->window()) ||
        (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        return false;
    }
    // Held down, it clicks once.
    if (!key.isAutoRepeat() && button->isEnabled() && button->isVisible()) {
        button->click();
    }
    return true;
}
