#include "platform/form.h"

#include "core/timer.h"
#include "platform/context.h"
#include "platform/kelmo.h"
#include "platform/look.h"
#include "platform/soundplayer.h"
#include "platform/titlebar.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>

// Every window keeps its size, so it offers no maximise button: the title bar
// has the caption, the window menu, minimise and close, and the toolkit is told
// to add nothing of its own.
constexpr Qt::WindowFlags kWindowFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

// A window that draws its own title bar asks for no frame at all (a frameless
// window asks for no buttons either: Qt would put the frame back for them).
constexpr Qt::WindowFlags kOwnTitleBarFlags = Qt::Window | Qt::FramelessWindowHint;

Form::Form(Forms& forms, const QString& name, const QString& caption, QSize clientSize)
    : QWidget(nullptr, forms.ownTitleBars_ ? kOwnTitleBarFlags : kWindowFlags), forms_(forms) {
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

bool Form::isOpen() const {
    return forms_.find(objectName()) == this;
}

void Form::setPicture(const QString& path) {
    // Every game sets the same few backgrounds again: take them from the
    // sprites' cache of decoded pictures instead of decoding the file anew.
    const std::shared_ptr<const Animation> decoded = context().pictures.load(path);
    pictureFile_ = path;
    setPicture(decoded ? decoded->frames.front() : QImage());
}

void Form::setPicture(const QImage& image) {
    picture_ = image;
    update();
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
        const QPoint corner = client_ ? client_->pos() : QPoint(0, 0);
        painter.drawImage(QRect(corner, picture_.size()), picture_);
    }
}

bool Form::isBackgroundAt(QPoint pos) const {
    const QWidget* at = childAt(pos);
    return at == nullptr || at == client_;
}

void Form::addTitleBar() {
    const QSize clientSize = size();
    client_ = new QWidget(this);
    client_->setAccessibleName(windowTitle());
    client_->setGeometry(QRect(QPoint(0, TitleBar::kHeight), clientSize));
    const QObjectList controls = children(); // a copy: moving a control changes the list
    for (QObject* child : controls) {
        auto* control = qobject_cast<QWidget*>(child);
        if (!control || control == client_ || control->isWindow()) {
            continue;
        }
        // The window is not shown yet: a control hidden for now stays hidden.
        control->setParent(client_);
    }
    titleBar_ = new TitleBar(this);
    titleBar_->setGeometry(0, 0, clientSize.width(), TitleBar::kHeight);
    setFixedSize(clientSize + QSize(0, TitleBar::kHeight));
}

void Form::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !unloading_) {
        forms_.noteActivated(this);
    }
    if (titleBar_ &&
        (event->type() == QEvent::ActivationChange || event->type() == QEvent::WindowTitleChange ||
         event->type() == QEvent::WindowIconChange)) {
        titleBar_->update();
    }
}

void Form::setEscapeButton(QAbstractButton* button) {
    escapeButton_ = button;
}

void Form::keyPressEvent(QKeyEvent* event) {
    // Esc is the window's way out, the same as a click on its button.
    if (escapeButton_ && event->key() == Qt::Key_Escape &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!event->isAutoRepeat() && escapeButton_->isEnabled() && escapeButton_->isVisible()) {
            escapeButton_->click();
        }
        return;
    }
    QWidget::keyPressEvent(event);
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
    ownTitleBars_ = QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
                    qEnvironmentVariableIsEmpty("QT_WAYLAND_DISABLE_WINDOWDECORATION");
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
    if (ownTitleBars_) {
        form->addTitleBar();
    }
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
        if (active_ && active_ != form && active_->isVisible()) {
            placement::placeNewWindow(form, placement::of(active_));
        } else {
            placement::placeNewWindow(form, lastClosed_);
        }
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
    if (form->isVisible()) {
        lastClosed_ = placement::of(form);
    }
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
