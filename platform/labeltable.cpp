#include "platform/labeltable.h"

#include "platform/accessibility.h"
#include "platform/look.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMetaObject>
#include <QPainter>

namespace {

// Marks a heading label with the table whose column it heads.
const char* const kHeadingOf = "norppala_sarakeotsikko";

LabelTable* tableOf(const QWidget* widget) {
    return widget ? qobject_cast<LabelTable*>(widget->parentWidget()) : nullptr;
}

class TableFace final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit TableFace(LabelTable* table) : QAccessibleWidget(table, QAccessible::Table) {}

    LabelTable* table() const { return static_cast<LabelTable*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface) {
            return static_cast<QAccessibleTableInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    // The cells of the rows shown, row by row.
    int childCount() const override { return table()->rowCount() * table()->columnCount(); }
    QAccessibleInterface* child(int index) const override {
        const int columns = table()->columnCount();
        return columns > 0 ? cellAt(index / columns, index % columns) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const QPoint at =
            child ? table()->place(qobject_cast<QWidget*>(child->object())) : QPoint(-1, -1);
        return at.y() < 0 ? -1 : at.y() * table()->columnCount() + at.x();
    }
    QAccessibleInterface* focusChild() const override {
        if (!table()->hasFocus()) {
            return nullptr;
        }
        return cellAt(table()->current().y(), table()->current().x());
    }

    QAccessibleInterface* cellAt(int row, int column) const override {
        Label* cell = table()->cell(row, column);
        return cell ? QAccessible::queryAccessibleInterface(cell) : nullptr;
    }
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QString columnDescription(int column) const override {
        const Label* heading = table()->columnHeading(column);
        return heading ? heading->accessibleName() : QString();
    }
    QString rowDescription(int) const override { return QString(); }
    int columnCount() const override { return table()->columnCount(); }
    int rowCount() const override { return table()->rowCount(); }
    // Nothing in it can be selected: it only shows.
    int selectedCellCount() const override { return 0; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}
};

class CellFace final : public QAccessibleWidget, public QAccessibleTableCellInterface {
public:
    explicit CellFace(Label* label) : QAccessibleWidget(label, QAccessible::Cell) {}

    LabelTable* owner() const { return tableOf(widget()); }
    QPoint at() const { return owner() ? owner()->place(widget()) : QPoint(-1, -1); }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableCellInterface) {
            return static_cast<QAccessibleTableCellInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        QString words = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && words.isEmpty()) {
            words = static_cast<Label*>(widget())->text();
        }
        return words;
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.focusable = true;
        const LabelTable* table = owner();
        state.focused = table && table->hasFocus() && table->current() == at();
        return state;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override {
        const LabelTable* table = owner();
        Label* heading = table ? table->columnHeading(at().x()) : nullptr;
        if (!heading) {
            return {};
        }
        return {QAccessible::queryAccessibleInterface(heading)};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return at().x(); }
    int rowIndex() const override { return at().y(); }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override {
        return owner() ? QAccessible::queryAccessibleInterface(owner()) : nullptr;
    }
};

} // namespace

LabelTable::LabelTable(QWidget* parent, const QString& name, const QRect& box) : QWidget(parent) {
    setObjectName(name);
    setGeometry(box);
    // A click on a cell leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
}

void LabelTable::addRow(const QList<Label*>& cells) {
    rows_ << cells;
    rowsChanged();
}

void LabelTable::setColumnHeadings(const QList<Label*>& headings) {
    headings_ = headings;
    for (Label* heading : headings) {
        if (heading) {
            heading->setProperty(kHeadingOf, QVariant::fromValue<QObject*>(this));
        }
    }
}

void LabelTable::rowsChanged() {
    current_ = QPoint(qBound(0, current_.x(), qMax(columnCount() - 1, 0)),
                      qBound(0, current_.y(), qMax(rowCount() - 1, 0)));
    update();
    // Rows that come in while the table has the focus are read from the keyboard's place.
    sayCurrent();
}

int LabelTable::rowCount() const {
    int shown = 0;
    for (const QList<Label*>& row : rows_) {
        if (!row.isEmpty() && !row.first()->isHidden()) {
            ++shown;
        }
    }
    return shown;
}

int LabelTable::columnCount() const {
    return rows_.isEmpty() ? 0 : static_cast<int>(rows_.first().size());
}

Label* LabelTable::cell(int row, int column) const {
    if (column < 0 || column >= columnCount()) {
        return nullptr;
    }
    int shown = 0;
    for (const QList<Label*>& cells : rows_) {
        if (cells.isEmpty() || cells.first()->isHidden()) {
            continue;
        }
        if (shown++ == row) {
            return cells.value(column);
        }
    }
    return nullptr;
}

Label* LabelTable::columnHeading(int column) const {
    return headings_.value(column);
}

QPoint LabelTable::place(const QWidget* label) const {
    int shown = 0;
    for (const QList<Label*>& cells : rows_) {
        if (cells.isEmpty() || cells.first()->isHidden()) {
            continue;
        }
        for (qsizetype column = 0; column < cells.size(); ++column) {
            if (cells[column] == label) {
                return {static_cast<int>(column), shown};
            }
        }
        ++shown;
    }
    return {-1, -1};
}

void LabelTable::keyPressEvent(QKeyEvent* event) {
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
        moveTo(current_.y() - 1, current_.x());
        return;
    case Qt::Key_Down:
        moveTo(current_.y() + 1, current_.x());
        return;
    case Qt::Key_Left:
        moveTo(current_.y(), current_.x() - 1);
        return;
    case Qt::Key_Right:
        moveTo(current_.y(), current_.x() + 1);
        return;
    case Qt::Key_Home:
        moveTo(0, current_.x());
        return;
    case Qt::Key_End:
        moveTo(rowCount() - 1, current_.x());
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void LabelTable::moveTo(int row, int column) {
    placeShown_ = true;
    update();
    const QPoint to(qBound(0, column, qMax(columnCount() - 1, 0)),
                    qBound(0, row, qMax(rowCount() - 1, 0)));
    if (to == current_) {
        return;
    }
    current_ = to;
    update();
    sayCurrent();
}

void LabelTable::sayCurrent() {
    if (!readerListening() || !hasFocus()) {
        return;
    }
    if (Label* at = cell(current_.y(), current_.x())) {
        QAccessibleEvent event(at, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}

void LabelTable::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    // The window opening on the table shows no frame until a key is used.
    placeShown_ = placeShown_ || event->reason() == Qt::TabFocusReason ||
                  event->reason() == Qt::BacktabFocusReason;
    update();
    // The toolkit tells a reader of the table's own focus after this: the
    // cell's comes after that, so the reader lands on the cell.
    if (readerListening()) {
        QMetaObject::invokeMethod(this, &LabelTable::sayCurrent, Qt::QueuedConnection);
    }
}

void LabelTable::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void LabelTable::paintEvent(QPaintEvent*) {
    const Label* at = hasFocus() && placeShown_ ? cell(current_.y(), current_.x()) : nullptr;
    if (!at) {
        return;
    }
    // The keyboard's place: a dotted frame round the cell, in its own colour.
    QPainter painter(this);
    painter.setPen(QPen(at->textColor(), 1, Qt::DotLine));
    painter.drawRect(at->geometry().adjusted(-2, -1, 1, 0));
}

QAccessibleInterface* accessibleLabelTable(const QString& className, QWidget* widget) {
    if (className == QLatin1String("LabelTable")) {
        return new TableFace(static_cast<LabelTable*>(widget));
    }
    if (className != QLatin1String("Label")) {
        return nullptr;
    }
    auto* label = static_cast<Label*>(widget);
    if (tableOf(label)) {
        return new CellFace(label);
    }
    if (label->dynamicPropertyNames().contains(kHeadingOf)) {
        return new QAccessibleWidget(label, QAccessible::ColumnHeader);
    }
    return nullptr;
}
