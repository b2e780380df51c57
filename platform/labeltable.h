#pragma once

#include <QList>
#include <QWidget>

class Label;
class QAccessibleInterface;

// Rows of labels that a screen reader reads as a table: its cells are the
// labels inside it, each column may have a heading label standing above it,
// and the arrow keys move a keyboard place from cell to cell (Home and End go
// to the first and last row). A row whose first cell is hidden is no row. The
// table draws nothing but a dotted frame round that place while it has the
// focus and the keyboard has been used on it, so the labels look as they
// would without it; it takes the focus from
// the keyboard only. Its description tells a reader why it has no rows.
class LabelTable : public QWidget {
    Q_OBJECT
public:
    LabelTable(QWidget* parent, const QString& name, const QRect& box);

    // Adds a row of cells, labels whose parent is this table.
    void addRow(const QList<Label*>& cells);
    // The heading of each column, in order; none for a column without one.
    void setColumnHeadings(const QList<Label*>& headings);
    // Call once rows were shown or hidden.
    void rowsChanged();

    // The rows shown now.
    int rowCount() const;
    int columnCount() const;
    // A cell of a row shown now, or none.
    Label* cell(int row, int column) const;
    Label* columnHeading(int column) const;
    // Where a label stands among the rows shown now, as (column, row), or (-1, -1).
    QPoint place(const QWidget* label) const;
    // The keyboard's place (column, row).
    QPoint current() const { return current_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void moveTo(int row, int column);
    // Tells a listening screen reader that the focus is on the keyboard's place.
    void sayCurrent();

    QList<QList<Label*>> rows_;
    QList<Label*> headings_;
    QPoint current_{0, 0};
    // Whether the keyboard has been used here, so its place is worth framing.
    bool placeShown_ = false;
};

// The screen reader's view of a table or its cells and headings, or none for
// any other control.
QAccessibleInterface* accessibleLabelTable(const QString& className, QWidget* widget);
