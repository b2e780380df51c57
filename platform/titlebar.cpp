#include "platform/titlebar.h"

#include "platform/look.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace {

const QColor kActiveBar{0, 0, 80};
const QColor kInactiveBar{48, 48, 88};
const QColor kInactiveText{150, 150, 180};
constexpr int kButtonWidth = 30;

bool isActive(const QWidget* widget) {
    return widget->window()->isActiveWindow();
}

// A button of the title bar: a line to minimise or a cross to close, lit
// under the mouse. It never takes the focus, so the window's Tab order and
// keys stay as they are.
class TitleButton final : public QAbstractButton {
public:
    enum class Glyph { Minimise, Close };

    TitleButton(QWidget* parent, Glyph glyph) : QAbstractButton(parent), glyph_(glyph) {
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_Hover);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (underMouse()) {
            painter.fillRect(rect(), glyph_ == Glyph::Close ? QColor(180, 30, 30) : look::blue);
        }
        QPen pen(isActive(this) || underMouse() ? look::cyan : kInactiveText, 2);
        painter.setPen(pen);
        const QPoint centre = rect().center();
        constexpr int half = 5;
        if (glyph_ == Glyph::Minimise) {
            painter.drawLine(centre + QPoint(-half, half), centre + QPoint(half, half));
        } else {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.drawLine(centre + QPoint(-half, -half), centre + QPoint(half, half));
            painter.drawLine(centre + QPoint(-half, half), centre + QPoint(half, -half));
        }
    }

private:
    Glyph glyph_;
};

} // namespace

TitleBar::TitleBar(QWidget* window) : QWidget(window) {
    setObjectName(QStringLiteral("titleBar"));
    setAccessibleName(window->windowTitle());
    minimise_ = new TitleButton(this, TitleButton::Glyph::Minimise);
    minimise_->setObjectName(QStringLiteral("minimise"));
    minimise_->setAccessibleName(tr("Pienennä"));
    close_ = new TitleButton(this, TitleButton::Glyph::Close);
    close_->setObjectName(QStringLiteral("close"));
    close_->setAccessibleName(tr("Sulje"));
    // The same as the window system's own buttons: a close goes through the
    // window's close event, a minimise through its state.
    connect(minimise_, &QAbstractButton::clicked, window, &QWidget::showMinimized);
    connect(close_, &QAbstractButton::clicked, window, &QWidget::close);
}

void TitleBar::resizeEvent(QResizeEvent*) {
    close_->setGeometry(width() - kButtonWidth, 0, kButtonWidth, height());
    minimise_->setGeometry(width() - 2 * kButtonWidth, 0, kButtonWidth, height());
}

void TitleBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool active = isActive(this);
    painter.fillRect(rect(), active ? kActiveBar : kInactiveBar);
    painter.setPen(look::blue);
    painter.drawLine(0, height() - 1, width(), height() - 1);
    const int iconSize = 16;
    const int margin = (height() - iconSize) / 2;
    window()->windowIcon().paint(&painter, QRect(margin, margin, iconSize, iconSize));

    // The caption is centred on the bar, within the room the icon and buttons leave.
    QFont font = look::systemFont(9, true);
    painter.setFont(font);
    painter.setPen(active ? look::cyan : kInactiveText);
    const int side = 2 * kButtonWidth;
    const QRect room(side, 0, width() - 2 * side, height());
    const QString caption =
        painter.fontMetrics().elidedText(window()->windowTitle(), Qt::ElideRight, room.width());
    painter.drawText(room, Qt::AlignCenter, caption);
}

void TitleBar::mousePressEvent(QMouseEvent* event) {
    // Dragging the bar moves the window; the window system does the moving.
    if (event->button() == Qt::LeftButton && window()->windowHandle()) {
        window()->windowHandle()->startSystemMove();
    }
}
