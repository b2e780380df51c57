#include "platform/accessibility.h"

#include "platform/form.h"
#include "platform/kelmo.h"
#include "platform/labeltable.h"
#include "platform/look.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace {

// Where a window's announcements appear: a status line too small to see,
// holding one notification per announcement, whose only content is its text.
const char* const kStatusLine = "tilarivi";
const char* const kAnnouncement = "ilmoitus";
const char* const kAnnouncementText = "ilmoitusteksti";
const char* const kDecoration = "norppala_koriste";
const char* const kNamedByWindow = "norppala_ikkuna_nimeaa";
// How long an announcement waits for its window to become active.
constexpr int kActivationWaitMs = 1000;

// Follows the platform's word on whether a screen reader is there.
class ReaderWatch final : public QAccessible::ActivationObserver {
public:
    void accessibilityActiveChanged(bool active) override { active_ = active; }
    bool active() const { return active_ || QAccessible::isActive(); }

private:
    bool active_ = false;
};

ReaderWatch& readerWatch() {
    static ReaderWatch watch;
    return watch;
}

class Decoration final : public QAccessibleWidget {
public:
    explicit Decoration(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Whitespace) {}
    QString text(QAccessible::Text) const override { return QString(); }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
};

// A picture or label whose window says in words what it shows now.
class NamedByWindow final : public QAccessibleWidget {
public:
    NamedByWindow(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            if (const auto* form = qobject_cast<const Form*>(widget()->window())) {
                if (QString name = form->spokenName(widget()); !name.isEmpty()) {
                    return name;
                }
            }
        }
        return QAccessibleWidget::text(t);
    }
};

// A clickable label (a menu item, a spot on the map): a button a reader can press.
class LabelButton final : public QAccessibleWidget {
public:
    explicit LabelButton(Label* label) : QAccessibleWidget(label, QAccessible::Button) {
        addControllingSignal(QStringLiteral("clicked()"));
    }
    QString text(QAccessible::Text t) const override {
        QString name = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && name.isEmpty()) {
            name = static_cast<Label*>(widget())->text();
        }
        return name;
    }
    QStringList actionNames() const override {
        return widget()->isEnabled() ? QStringList{pressAction()} : QStringList();
    }
    void doAction(const QString& action) override {
        if (action == pressAction() && widget()->isEnabled()) {
            emit static_cast<Label*>(widget())->clicked();
        }
    }
};

QAccessibleInterface* gameControls(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType()) {
        return nullptr;
    }
    auto* widget = static_cast<QWidget*>(object);
    // Asked under each class of a window's, a Form is a window.
    if (className == QLatin1String("Form")) {
        return new QAccessibleWidget(widget, QAccessible::Window);
    }
    // Any other control is decided once, under its own class: Qt asks again
    // under each base class of a control that nobody here takes.
    if (className != QLatin1String(widget->metaObject()->className())) {
        return nullptr;
    }
    if (className == QLatin1String("LabelTable") || className == QLatin1String("Label")) {
        if (QAccessibleInterface* face = accessibleLabelTable(className, widget)) {
            return face;
        }
    }
    // Marks are looked for among the control's own marks only: a property
    // lookup would first search the dozens that every widget declares.
    const QList<QByteArray> marks = widget->dynamicPropertyNames();
    if (marks.contains(kDecoration)) {
        return new Decoration(widget);
    }
    if (marks.contains(kNamedByWindow)) {
        return new NamedByWindow(widget, className == QLatin1String("Label")
                                             ? QAccessible::StaticText
                                             : QAccessible::Graphic);
    }
    if (className == QLatin1String("Label") && static_cast<Label*>(widget)->isButton()) {
        return new LabelButton(static_cast<Label*>(widget));
    }
    if (className == QLatin1String("Kelmo") || className == QLatin1String("PixelPicture")) {
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    }
    if (className == QLatin1String("Line")) {
        return new QAccessibleWidget(widget, QAccessible::Separator);
    }
    if (className == QLatin1String("QWidget")) {
        const QString name = widget->objectName();
        if (name == QLatin1String(kStatusLine)) {
            return new QAccessibleWidget(widget, QAccessible::StatusBar);
        }
        if (name == QLatin1String(kAnnouncement)) {
            return new QAccessibleWidget(widget, QAccessible::Notification);
        }
        if (name == QLatin1String(kAnnouncementText)) {
            return new QAccessibleWidget(widget, QAccessible::StaticText);
        }
    }
    return nullptr;
}

} // namespace

void markDecoration(QWidget* widget) {
    widget->setProperty(kDecoration, true);
}

void markNamedByWindow(QWidget* widget) {
    widget->setProperty(kNamedByWindow, true);
}

bool readerListening() {
    return readerWatch().active();
}

void nameChanged(QWidget* widget) {
    if (readerListening()) {
        QAccessibleEvent event(widget, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void installAccessibility() {
    static bool installed = false;
    if (!installed) {
        installed = true;
        QAccessible::installFactory(gameControls);
        QAccessible::installActivationObserver(&readerWatch());
    }
}

namespace {

// Shows the announcement in the window's status line.
void notify(QWidget* window, const QString& text) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(window, text);
    QAccessible::updateAccessibility(&event);
#else
    // A notification that appears is read out wherever the focus is, and one
    // inside a status line as its text alone, without the word
    // "notification" before every nibble. Its text is a label inside it,
    // which a braille display shows too. Each announcement is a notification
    // of its own, so one made just after another does not change the words
    // of the first before the reader has fetched them. A few are kept, as the
    // reader fetches the words a moment after they appear.
    constexpr int kAnnouncementsKept = 4;
    auto* line =
        window->findChild<QWidget*>(QLatin1String(kStatusLine), Qt::FindDirectChildrenOnly);
    if (!line) {
        line = new QWidget(window);
        line->setObjectName(QLatin1String(kStatusLine));
        line->setGeometry(0, 0, 1, 1);
        line->setAttribute(Qt::WA_TransparentForMouseEvents);
        line->setFocusPolicy(Qt::NoFocus);
        line->show();
    }
    const QList<QWidget*> earlier =
        line->findChildren<QWidget*>(QLatin1String(kAnnouncement), Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i + kAnnouncementsKept <= earlier.size(); ++i) {
        earlier[i]->setObjectName(QString());
        earlier[i]->deleteLater();
    }
    auto* notification = new QWidget(line);
    notification->setObjectName(QLatin1String(kAnnouncement));
    notification->setGeometry(0, 0, 1, 1);
    notification->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* words = new QWidget(notification);
    words->setObjectName(QLatin1String(kAnnouncementText));
    words->setGeometry(0, 0, 1, 1);
    words->setAttribute(Qt::WA_TransparentForMouseEvents);
    words->setAccessibleName(text);
    notification->show();
#endif
}

// Holds the announcements for a window that is not active yet until it is, or
// until they have waited long enough, and then makes them in their order.
class Pending final : public QObject {
public:
    static constexpr const char* kName = "ilmoitukset_odottavat";

    explicit Pending(QWidget* window) : QObject(window), window_(window) {
        setObjectName(QLatin1String(kName));
        window->installEventFilter(this);
        QTimer::singleShot(kActivationWaitMs, this, [this] { deliver(); });
    }
    void add(const QString& text) { texts_ << text; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate) {
            // After the window's own focus has been told.
            QTimer::singleShot(0, this, [this] { deliver(); });
        }
        return false;
    }

private:
    void deliver() {
        setObjectName(QString());
        for (const QString& text : std::exchange(texts_, {})) {
            if (window_) {
                notify(window_, text);
            }
        }
        deleteLater();
    }

    QPointer<QWidget> window_;
    QStringList texts_;
};

} // namespace

bool AccessibleAnnouncer::listening() const {
    return readerListening();
}

void AccessibleAnnouncer::announce(QWidget* window, const QString& text) {
    if (!window || !listening()) {
        return;
    }
    auto* pending = static_cast<Pending*>(
        window->findChild<QObject*>(QLatin1String(Pending::kName), Qt::FindDirectChildrenOnly));
    if (!pending && window->isActiveWindow()) {
        notify(window, text);
        return;
    }
    if (!pending) {
        pending = new Pending(window);
    }
    pending->add(text);
}
