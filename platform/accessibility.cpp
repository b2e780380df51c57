#include "platform/accessibility.h"

#include "platform/kelmo.h"
#include "platform/look.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace {

const char* const kAnnouncement = "ilmoitus";
const char* const kDecoration = "norppala_koriste";

class Decoration final : public QAccessibleWidget {
public:
    explicit Decoration(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Whitespace) {}
    QString text(QAccessible::Text) const override { return QString(); }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
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
    if (widget->property(kDecoration).toBool()) {
        return new Decoration(widget);
    }
    if (className == QLatin1String("Label") && static_cast<Label*>(widget)->isButton()) {
        return new LabelButton(static_cast<Label*>(widget));
    }
    if (className == QLatin1String("Kelmo") || className == QLatin1String("PixelPicture")) {
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    }
    if (className == QLatin1String("Form")) {
        return new QAccessibleWidget(widget, QAccessible::Window);
    }
    if (className == QLatin1String("Line")) {
        return new QAccessibleWidget(widget, QAccessible::Separator);
    }
    if (className == QLatin1String("QWidget") &&
        widget->objectName() == QLatin1String(kAnnouncement)) {
        return new QAccessibleWidget(widget, QAccessible::AlertMessage);
    }
    return nullptr;
}

} // namespace

void markDecoration(QWidget* widget) {
    widget->setProperty(kDecoration, true);
}

void installAccessibility() {
    static bool installed = false;
    if (!installed) {
        installed = true;
        QAccessible::installFactory(gameControls);
    }
}

void AccessibleAnnouncer::announce(QWidget* window, const QString& text) {
    if (!window) {
        return;
    }
    auto* alert =
        window->findChild<QWidget*>(QLatin1String(kAnnouncement), Qt::FindDirectChildrenOnly);
    if (!alert) {
        alert = new QWidget(window);
        alert->setObjectName(QLatin1String(kAnnouncement));
        alert->setGeometry(0, 0, 1, 1);
        alert->setAttribute(Qt::WA_TransparentForMouseEvents);
        alert->setFocusPolicy(Qt::NoFocus);
    }
    alert->setAccessibleName(text);
    // Shown anew, the alert is read out even when its text repeats.
    alert->hide();
    alert->show();
    QAccessibleEvent event(alert, QAccessible::Alert);
    QAccessible::updateAccessibility(&event);
}
