#include "platform/form.h"

#include "core/timer.h"
#include "platform/context.h"
#include "platform/kelmo.h"
#include "platform/look.h"
#include "platform/soundplayer.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>

// Every window keeps its size, so it offers no maximise button: the title bar
// has the caption, the window menu, minimise and close, and the toolkit is told
// to add nothing of its own.
constexpr Qt::WindowFlags kWindowFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

Form::Form(Forms& forms, const QString& name, const QString& caption, QSize clientSize)
    : QWidget(nullptr, kWindowFlags), forms_(forms) {
    setObjectName(name);
    setWindowTitle(caption);
    setFixedSize(clientSize);
    setWindowIcon(programIcon());
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, look::navy);
    setPalette(palette);
    setAutoFillBackground(true);
}

Form::~Form() {
    shutDown();
}

QString Form::spokenName(const QWidget*) const {
    return QString();
}

Context& Form::context() const {
    return forms_.context();
}

void Form::setPicture(const QString& path) {
    // Every game sets the same few backgrounds again: take them from the
    // sprites' cache of decoded pictures instead of decoding the file anew.
    const std::shared_ptr<const Animation> decoded = Animation::load(path);
    pictureFile_ = path;
    setPicture(decoded ? decoded->frames.front() : QImage());
}

void Form::setPicture(const QImage& image) {
    picture_ = image;
    update();
}

Timer* Form::makeTimer(const QString& name, int interval, bool enabled) {
    return new Timer(this, context().clock, name, interval, enabled);
}

SoundPlayer* Form::makePlayer(const QString& part) {
    players_.push_back(context().sound.makePlayer(
        part.isEmpty() ? objectName() : objectName() + QLatin1Char('/') + part));
    return players_.back().get();
}

void Form::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!picture_.isNull()) {
        // Pixel art: on a high-density screen every picture pixel becomes a
        // sharp block, never a blur.
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(QRect(QPoint(0, 0), picture_.size()), picture_);
    }
}

void Form::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !unloading_) {
        forms_.noteActivated(this);
    }
}

void Form::closeEvent(QCloseEvent* event) {
    // The window's close box: the same as the game unloading it.
    event->accept();
    if (!unloading_) {
        forms_.formClosedByUser(this);
    }
}

void Form::shutDown() {
    if (unloading_) {
        return;
    }
    unloading_ = true;
    for (Timer* timer : findChildren<Timer*>()) {
        timer->setEnabled(false);
    }
    // The last made goes first, so the window's own player is released last.
    while (!players_.empty()) {
        players_.pop_back();
    }
}

Forms::Forms(Context& context) : context_(context) {
    installAccessibility();
    // The sound stays as the player last left it.
    context_.sound.setMuted(context_.settings.flag(setting::muted, false));
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->installEventFilter(this);
    }
}

Forms::~Forms() {
    for (const QString& name : open_.keys()) {
        unload(name);
    }
    flushUnloaded();
}

void Forms::registerForm(const QString& name, Factory factory) {
    factories_.insert(name, std::move(factory));
}

Form* Forms::find(const QString& name) const {
    return open_.value(name, nullptr);
}

QStringList Forms::loadedNames() const {
    QStringList names = open_.keys();
    names.sort();
    return names;
}

Form* Forms::get(const QString& name) {
    if (Form* form = find(name)) {
        return form;
    }
    auto factory = factories_.find(name);
    if (factory == factories_.end()) {
        qWarning("norppala: no window named %s", qPrintable(name));
        return nullptr;
    }
    Form* form = factory.value()(*this);
    open_.insert(name, form);
    form->load();
    // The load step may itself have closed the window.
    return find(name);
}

void Forms::show(const QString& name) {
    Form* form = get(name);
    if (!form) {
        return;
    }
    if (!form->isVisible()) {
        form->show();
    }
    form->raise();
    form->activateWindow();
    ++explicitActivations_;
    makeActive(form);
}

void Forms::unload(const QString& name) {
    Form* form = open_.take(name);
    if (!form) {
        return;
    }
    form->shutDown();
    form->hide();
    activationOrder_.removeAll(form);
    activationOrder_.removeAll(nullptr);
    const bool wasActive = active_ == form;
    if (wasActive) {
        active_ = nullptr;
    }
    unloaded_.append(form);
    form->deleteLater();

    if (wasActive) {
        for (auto it = activationOrder_.crbegin(); it != activationOrder_.crend(); ++it) {
            Form* previous = *it;
            if (previous && previous->isVisible()) {
                previous->activateWindow();
                ++explicitActivations_;
                makeActive(previous);
                break;
            }
        }
    }
    if (open_.isEmpty()) {
        emit lastWindowClosed();
    }
}

bool Forms::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        return pressFocusedButton(static_cast<QWidget*>(watched), *key);
    }
    if ((key->key() != Qt::Key_M && key->key() != Qt::Key_A) || key->isAutoRepeat() ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(watched);
    // An M typed into a text field is a letter, not the sound key.
    if (widget->inherits("QLineEdit") || widget->inherits("QTextEdit") ||
        widget->inherits("QPlainTextEdit") || widget->inherits("QAbstractSpinBox")) {
        return false;
    }
    QWidget* window = widget->window();
    if (open_.value(window->objectName()) != window) {
        return false;
    }
    if (key->key() == Qt::Key_M) {
        setMuted(!context_.sound.muted());
        context_.announcer.say(window, [muted = context_.sound.muted()] {
            return muted ? tr("Äänet pois") : tr("Äänet päällä");
        });
    } else {
        setNibbleCue(!nibbleCue());
        context_.announcer.say(window, [on = nibbleCue()] {
            return on ? tr("Nykäisymerkki päällä") : tr("Nykäisymerkki pois");
        });
    }
    return true;
}

bool Forms::pressFocusedButton(QWidget* widget, const QKeyEvent& key) {
    // Enter clicks the button that has the focus, as Space does. Qt's buttons
    // take Enter only inside dialogs; the game's windows are not dialogs.
    auto* button = qobject_cast<QAbstractButton*>(widget);
    QWidget* window = widget->window();
    if (!button || open_.value(window->objectName()) != window ||
        (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        return false;
    }
    // Held down, it clicks once.
    if (!key.isAutoRepeat() && button->isEnabled() && button->isVisible()) {
        button->click();
    }
    return true;
}

void Forms::setMuted(bool muted) {
    context_.sound.setMuted(muted);
    context_.settings.setFlag(setting::muted, muted);
    emit soundChanged();
}

bool Forms::nibbleCue() const {
    return context_.settings.flag(setting::nibbleCue, true);
}

void Forms::setNibbleCue(bool on) {
    context_.settings.setFlag(setting::nibbleCue, on);
    emit soundChanged();
}

void Forms::flushUnloaded() {
    const auto forms = std::exchange(unloaded_, {});
    for (const QPointer<Form>& form : forms) {
        delete form.data();
    }
}

// The platform's own activation reports arrive queued, possibly behind
// activations the game has already made itself (the offscreen platform and
// window managers echo every activateWindow()). So a report only takes effect
// once the queue has drained, and only if the game has not activated a window
// explicitly since: then it is a player's own click on another window.
void Forms::noteActivated(Form* form) {
    reported_ = form;
    if (checkPending_) {
        return;
    }
    checkPending_ = true;
    const quint64 generation = explicitActivations_;
    QMetaObject::invokeMethod(
        this, [this, generation] { checkActivation(generation); }, Qt::QueuedConnection);
}

void Forms::checkActivation(quint64 generation) {
    checkPending_ = false;
    Form* form = reported_;
    if (generation != explicitActivations_ || !form || open_.value(form->objectName()) != form) {
        return;
    }
    if (form->isActiveWindow()) {
        makeActive(form);
    }
}

void Forms::makeActive(Form* form) {
    if (active_ == form) {
        return;
    }
    active_ = form;
    activationOrder_.removeAll(form);
    activationOrder_.append(form);
    form->activate();
}

void Forms::formClosedByUser(Form* form) {
    if (open_.value(form->objectName()) == form) {
        unload(form->objectName());
    }
}
