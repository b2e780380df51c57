#include "platform/form.h"

#include "core/timer.h"
#include "platform/context.h"
#include "platform/kelmo.h"
#include "platform/labeltable.h"
#include "platform/look.h"
#include "platform/placement.h"
#include "platform/soundplayer.h"
#include "platform/titlebar.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

namespace {

// What a control was given in design pixels, kept on the control itself the
// first time the window is laid out by zoom: its box, its own font and the
// size of its icon.
constexpr const char* kDesignBox = "norppalaDesignBox";
constexpr const char* kDesignFont = "norppalaDesignFont";
constexpr const char* kDesignIconSize = "norppalaDesignIconSize";

} // namespace

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
    designSize_ = clientSize;
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
    if (picture_.isNull() && !fullScreen_) {
        return;
    }
    QPainter painter(this);
    const QPoint corner = (client_ ? client_->pos() : QPoint(0, 0)) + origin_;
    if (fullScreen_) {
        painter.fillRect(rect(), look::black);
        painter.fillRect(QRect(corner, designSize_ * zoom()), look::navy);
    }
    if (!picture_.isNull()) {
        // Pixel art: zoomed or on a high-density screen, every picture pixel
        // becomes a sharp block, never a blur.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(QRect(corner, picture_.size() * zoom()), picture_);
    }
}

QRect Form::scaled(const QRect& design) const {
    const int z = zoom();
    return QRect(origin_ + design.topLeft() * z, design.size() * z);
}

QPoint Form::scaled(QPoint design) const {
    return origin_ + design * zoom();
}

QFont Form::scaled(const QFont& design) const {
    QFont font = design;
    const int z = zoom();
    if (design.pixelSize() > 0) {
        font.setPixelSize(design.pixelSize() * z);
    } else if (design.pointSizeF() > 0) {
        font.setPointSizeF(design.pointSizeF() * z);
    }
    return font;
}

void Form::setZoom(int zoom) {
    zoom = std::max(1, zoom);
    if (zoom == zoom_ && (laidOut_ || zoom == 1)) {
        return;
    }
    zoom_ = zoom;
    if (fullScreen_) {
        return; // the window takes it when it leaves full screen
    }
    // An open window grows and shrinks about its centre, kept on its screen.
    const bool shown = isVisible();
    const placement::Place before = placement::of(this);
    relayout();
    if (!shown || !before.screen) {
        return;
    }
    // The same rule as a new window's over the one it replaces, here over itself.
    const QPoint client = placement::centredOver(
        before.client, designSize_ * zoom_ + QSize(0, titleBar_ ? TitleBar::kHeight : 0),
        before.frame, before.screen->availableGeometry());
    move(client - QPoint(before.frame.left(), before.frame.top()));
}

void Form::placeControl(QWidget* control, const QRect& designBox) {
    if (!laidOut_) {
        control->setGeometry(designBox);
        return;
    }
    control->setProperty(kDesignBox, designBox);
    control->setGeometry(scaled(designBox));
}

void Form::moveControl(QWidget* control, QPoint designTopLeft) {
    if (auto* sprite = qobject_cast<Kelmo*>(control)) {
        sprite->setLeft(static_cast<float>(designTopLeft.x()));
        sprite->setTop(static_cast<float>(designTopLeft.y()));
        return;
    }
    QRect box = control->property(kDesignBox).toRect();
    if (!laidOut_ || box.isNull()) {
        box = control->geometry(); // at its design box until the window is laid out
    }
    placeControl(control, box.translated(designTopLeft - box.topLeft()));
}

void Form::setFullScreen(bool on) {
    if (on == fullScreen_) {
        return;
    }
    fullScreen_ = on;
    if (on) {
        if (isVisible()) {
            placeBeforeFullScreen_ = geometry().topLeft();
        }
        // A window of fixed size could not take the screen's.
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        relayout();
        setWindowState(windowState() | Qt::WindowFullScreen);
    } else {
        setWindowState(windowState() & ~Qt::WindowFullScreen);
        relayout();
        // Back where it was, not where the full screen left its corner.
        if (placeBeforeFullScreen_) {
            setGeometry(QRect(*placeBeforeFullScreen_, size()));
            placeBeforeFullScreen_.reset();
        }
    }
}

void Form::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The screen's size arrives a moment after full screen is asked for.
    if (fullScreen_) {
        relayout();
    }
}

void Form::relayout() {
    QWidget* area = client_ ? client_ : this;
    if (fullScreen_) {
        QSize room = size();
        if (!isFullScreen() || room.width() < designSize_.width() ||
            room.height() < designSize_.height()) {
            if (const QScreen* on = screen()) {
                room = on->geometry().size();
            }
        }
        fullScreenZoom_ = std::max(1, std::min(room.width() / std::max(1, designSize_.width()),
                                               room.height() / std::max(1, designSize_.height())));
        origin_ = QPoint((room.width() - designSize_.width() * fullScreenZoom_) / 2,
                         (room.height() - designSize_.height() * fullScreenZoom_) / 2);
        if (client_) {
            titleBar_->hide();
            client_->setGeometry(QRect(QPoint(0, 0), room));
        }
    } else {
        origin_ = QPoint(0, 0);
        const QSize content = designSize_ * zoom_;
        if (client_) {
            titleBar_->setGeometry(0, 0, content.width(), TitleBar::kHeight);
            titleBar_->setVisible(true);
            client_->setGeometry(QRect(QPoint(0, TitleBar::kHeight), content));
            setFixedSize(content + QSize(0, TitleBar::kHeight));
        } else {
            setFixedSize(content);
        }
    }
    laidOut_ = true;

    const int z = zoom();
    // Puts a control at its design box times the zoom, from the origin of its parent.
    const auto fitToZoom = [this](QWidget* control, int z, QPoint origin) {
        // A control seen for the first time stands at its design box.
        if (!control->property(kDesignBox).isValid()) {
            control->setProperty(kDesignBox, control->geometry());
            if (control->testAttribute(Qt::WA_SetFont)) {
                control->setProperty(kDesignFont, control->font());
            }
            if (auto* button = qobject_cast<QAbstractButton*>(control)) {
                control->setProperty(kDesignIconSize, button->iconSize());
            }
        }
        const QRect box = control->property(kDesignBox).toRect();
        control->setGeometry(QRect(origin + box.topLeft() * z, box.size() * z));
        if (const QVariant font = control->property(kDesignFont); font.isValid()) {
            control->setFont(scaled(font.value<QFont>()));
        }
        if (const QVariant icon = control->property(kDesignIconSize); icon.isValid()) {
            static_cast<QAbstractButton*>(control)->setIconSize(icon.toSize() * z);
        }
    };
    const QObjectList controls = area->children();
    for (QObject* child : controls) {
        auto* control = qobject_cast<QWidget*>(child);
        if (!control || control->isWindow() || control == client_ || control == titleBar_) {
            continue;
        }
        if (auto* sprite = qobject_cast<Kelmo*>(control)) {
            sprite->setZoom(z, origin_);
            continue;
        }
        if (auto* line = qobject_cast<Line*>(control)) {
            line->setZoom(z, origin_);
            continue;
        }
        fitToZoom(control, z, origin_);
        // The cells of a table stand in the table's own design pixels.
        if (qobject_cast<LabelTable*>(control) != nullptr) {
            for (QWidget* cell : control->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                fitToZoom(cell, z, QPoint(0, 0));
            }
        }
    }
    update();
    emit zoomChanged(z);
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
    // Full screen may come and go by the window manager's own keys too.
    if (event->type() == QEvent::WindowStateChange && !unloading_) {
        const bool full = windowState().testFlag(Qt::WindowFullScreen);
        if (full != fullScreen_) {
            fullScreen_ = full;
            if (full) {
                setMinimumSize(0, 0);
                setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            }
            relayout();
        }
    }
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
    connect(&context_.preferences, &Preferences::zoomChanged, this, [this](int zoom) {
        for (Form* form : std::as_const(open_)) {
            form->setZoom(zoom);
        }
    });
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
    // The load step may itself have closed the window. What it placed is in
    // design pixels, like the rest, so the zoom comes last.
    if (find(name) == form) {
        form->setZoom(context_.preferences.zoom());
    }
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

int zoomOf(const QWidget* widget) {
    const auto* form = widget ? qobject_cast<const Form*>(widget->window()) : nullptr;
    return form ? form->zoom() : 1;
}
