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

bool ShortcutFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        return pressFocusedButton(static_cast<QWidget*>(watched), *key);
    }
    if ((key->key() != Qt::Key_M && key->key() != Qt::Key_A && key->key() != Qt::Key_C) ||
        key->isAutoRepeat() ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(watched);
    // Letters typed into a list or a text field are that control's own: the
    // map list finds a lake by its first letter, a text field writes it.
    if (widget->inherits("QAbstractItemView") || widget->inherits("QComboBox") ||
        widget->inherits("QLineEdit") || widget->inherits("QTextEdit") ||
        widget->inherits("QPlainTextEdit") || widget->inherits("QAbstractSpinBox")) {
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
