#include "platform/look.h"

#include "platform/form.h"

#include <QApplication>
#include <QFileInfo>
#include <QHash>
#include <QIconEngine>
#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOption>
#include <QStyledItemDelegate>
#include <array>
#include <cmath>

namespace look {

namespace {
int pixelsFor(double points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}
} // namespace

QFont arial(double points, bool bold, bool italic, bool underline) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelsFor(points));
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    return font;
}

QFont systemFont(double points, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelsFor(points));
    font.setBold(bold);
    return font;
}

} // namespace look

void disablePixmapCache() {
    QPixmapCache::setCacheLimit(0);
}

void readBySuffix(QImageReader& reader) {
    // Loading every plugin cost the game's start-up more than drawing its first window.
    reader.setFormat(QFileInfo(reader.fileName()).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
}

QImage builtInPicture(const QString& path) {
    QImageReader reader(path);
    readBySuffix(reader);
    return reader.read();
}

namespace {

// The program's icon, decoded only when a size of it is first asked for: the
// offscreen platform never asks, and under X the window system asks once as the
// first window is mapped.
class ProgramIconEngine final : public QIconEngine {
public:
    QList<QSize> availableSizes(QIcon::Mode = QIcon::Normal, QIcon::State = QIcon::Off) override {
        QList<QSize> sizes;
        for (int side : kSides) {
            sizes.append(QSize(side, side));
        }
        return sizes;
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        // The smallest drawn size that covers the request, else the largest.
        int side = kSides.back();
        for (int candidate : kSides) {
            if (candidate >= size.width() && candidate >= size.height()) {
                side = candidate;
                break;
            }
        }
        QPixmap& drawn = decoded_[side];
        if (drawn.isNull()) {
            drawn = QPixmap::fromImage(
                builtInPicture(QStringLiteral(":/pictures/icon%1.png").arg(side)));
        }
        if (drawn.isNull() || drawn.size() == size) {
            return drawn;
        }
        return drawn.scaled(size, Qt::KeepAspectRatio, Qt::FastTransformation);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QIconEngine* clone() const override { return new ProgramIconEngine(*this); }

    QString key() const override { return QStringLiteral("norppala-program-icon"); }

private:
    // The window carries up to 64 pixels (32 at double scale); menus and
    // launchers take the large sizes from the installed icon theme.
    static constexpr std::array<int, 3> kSides{32, 48, 64};
    QHash<int, QPixmap> decoded_;
};

} // namespace

QIcon programIcon() {
    static const QIcon icon(new ProgramIconEngine);
    return icon;
}

namespace {

// A pixel-art icon at any size it is asked for: each picture pixel becomes a
// block of whole screen pixels (as near as the size allows), never a blur, for
// a zoomed window and a high-density screen alike.
class PixelIconEngine final : public QIconEngine {
public:
    explicit PixelIconEngine(QImage image) : image_(std::move(image)) {}

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        return image_.size().scaled(size, Qt::KeepAspectRatio);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const QSize shown = image_.size().scaled(size, Qt::KeepAspectRatio);
        const quint64 key = (quint64(quint32(shown.width())) << 32) | quint32(shown.height());
        QPixmap& made = made_[mode][key];
        if (made.isNull()) {
            made = QPixmap::fromImage(
                image_.scaled(shown, Qt::IgnoreAspectRatio, Qt::FastTransformation));
            // Greyed out for a button that cannot be pressed, as the style greys any icon.
            if (mode != QIcon::Normal) {
                const QStyleOption option;
                made = QApplication::style()->generatedIconPixmap(mode, made, &option);
            }
        }
        return made;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->save();
        painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
        painter->restore();
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {image_.size()}; }

    QIconEngine* clone() const override { return new PixelIconEngine(*this); }

    QString key() const override { return QStringLiteral("norppala-pixel-icon"); }

private:
    QImage image_;
    QHash<int, QHash<quint64, QPixmap>> made_; // by mode, then by size
};

} // namespace

QIcon pixelIcon(const QString& path) {
    // Every game screen asks for the same few icons again; they never change.
    static QHash<QString, QIcon> made;
    if (const auto found = made.constFind(path); found != made.constEnd()) {
        return found.value();
    }
    const QImage image = builtInPicture(path);
    if (image.isNull()) {
        return QIcon();
    }
    const QIcon icon(new PixelIconEngine(image));
    made.insert(path, icon);
    return icon;
}

PixelPicture::PixelPicture(QWidget* parent, const QString& name, const QRect& box,
                           const QString& path)
    : QLabel(parent), image_(builtInPicture(path)) {
    setObjectName(name);
    setGeometry(box);
    setPixmap(QPixmap::fromImage(image_));
    setScaledContents(true);
}

void PixelPicture::paintEvent(QPaintEvent*) {
    if (image_.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), image_);
}

Label::Label(QWidget* parent, const QString& name, const QRect& box, const QString& caption,
             const QFont& font, const QColor& color, Qt::Alignment alignment)
    : QLabel(caption, parent), color_(color) {
    setObjectName(name);
    setGeometry(box);
    setFont(font);
    setAlignment(alignment);
    setWordWrap(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    refresh();
}

void Label::setTextColor(const QColor& color) {
    // The menu sets every item's colour on each mouse move over an item.
    if (color == color_) {
        return;
    }
    color_ = color;
    refresh();
}

void Label::setBorderStyle(int style) {
    border_ = style;
    update();
}

void Label::setTransparent(bool transparent) {
    transparent_ = transparent;
    refresh();
}

void Label::refresh() {
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, color_);
    setPalette(palette);
    setAutoFillBackground(!transparent_);
    update();
}

void Label::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
    }
    QLabel::mousePressEvent(event);
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = event->button() == Qt::LeftButton && pressed_ &&
                       rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        pressed_ = false;
    }
    QLabel::mouseReleaseEvent(event);
    // A label whose window a first click closed takes no second one from the
    // rest of a double-click.
    if (click && isVisible()) {
        emit clicked();
    }
}

void Label::mouseMoveEvent(QMouseEvent* event) {
    // Dragged off with the button held, the label still hears the mouse, but
    // the mouse is no longer over it.
    if (rect().contains(event->position().toPoint())) {
        emit mouseMoved();
    }
    QLabel::mouseMoveEvent(event);
}

void Label::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (button_ && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // Held down, it presses once.
        if (!event->isAutoRepeat()) {
            emit clicked();
        }
        return;
    }
    QLabel::keyPressEvent(event);
}

void Label::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (border_ == 1 || hasFocus()) {
        QPainter painter(this);
        // A pen of width w draws its rectangle centred on the edge's pixels:
        // the frame of w pixels lies inside the box when drawn w / 2 in.
        const int zoom = zoomOf(this);
        const auto inside = [zoom](QRect box, int in) {
            const int edge = in * zoom + zoom / 2;
            return box.adjusted(edge, edge, -edge - (zoom % 2), -edge - (zoom % 2));
        };
        if (border_ == 1) {
            painter.setPen(QPen(look::black, zoom, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            painter.drawRect(inside(rect(), 0));
        }
        // The keyboard's place: a dotted frame just inside the box.
        if (hasFocus()) {
            painter.setPen(QPen(color_, zoom, Qt::DotLine, Qt::FlatCap, Qt::MiterJoin));
            painter.drawRect(inside(rect(), 2));
        }
    }
}

FileListBox::FileListBox(QWidget* parent, const QString& name, const QRect& box)
    : QListWidget(parent) {
    setObjectName(name);
    setGeometry(box);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        clickSeen_ = true;
        emit clicked(item);
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FileListBox::selectedElsewhere);
}

void FileListBox::selectedElsewhere(const QItemSelection& selected) {
    if (handling_ || signalsBlocked() || selected.isEmpty()) {
        return;
    }
    const QModelIndex index = selected.indexes().constFirst();
    QListWidgetItem* item = itemFromIndex(index);
    if (!item) {
        return;
    }
    // The arrow keys go on from the entry chosen.
    const QScopedValueRollback<bool> handling(handling_, true);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    emit clicked(item);
}

void FileListBox::clickIfMoved(const QPersistentModelIndex& before) {
    if (QListWidgetItem* now = currentItem(); now && currentIndex() != before) {
        emit clicked(now);
    }
}

void FileListBox::keyPressEvent(QKeyEvent* event) {
    const QScopedValueRollback<bool> handling(handling_, true);
    const QPersistentModelIndex before = currentIndex();
    QListWidget::keyPressEvent(event);
    clickIfMoved(before);
}

void FileListBox::mousePressEvent(QMouseEvent* event) {
    const QScopedValueRollback<bool> handling(handling_, true);
    currentAtPress_ = currentIndex();
    QListWidget::mousePressEvent(event);
}

void FileListBox::mouseReleaseEvent(QMouseEvent* event) {
    // A release over the entry pressed is a click; one that ends a drag to
    // another entry is not, but it has chosen that entry all the same.
    const QScopedValueRollback<bool> handling(handling_, true);
    clickSeen_ = false;
    QListWidget::mouseReleaseEvent(event);
    if (!clickSeen_) {
        clickIfMoved(currentAtPress_);
    }
}

void FileListBox::mouseMoveEvent(QMouseEvent* event) {
    const QScopedValueRollback<bool> handling(handling_, true);
    QListWidget::mouseMoveEvent(event);
}

void FileListBox::focusInEvent(QFocusEvent* event) {
    const QListWidgetItem* before = currentItem();
    QListWidget::focusInEvent(event);
    // Taking the focus, the list makes its first entry current, which looks
    // chosen but is not; with none current the first arrow key chooses it.
    if (!before && currentItem()) {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

namespace {

class OneLineSize final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        // Worked out again only when the list's font changes (with its window's zoom).
        if (!size_.isValid() || option.font != font_) {
            size_ = QStyledItemDelegate::sizeHint(option, index);
            font_ = option.font;
        }
        return size_;
    }

private:
    mutable QSize size_;
    mutable QFont font_;
};

} // namespace

void setOneLineItems(QListWidget* list) {
    list->setUniformItemSizes(true);
    list->setItemDelegate(new OneLineSize(list));
}

Line::Line(QWidget* parent, const QString& name, QPoint from, QPoint to, int width,
           const QColor& color)
    : QWidget(parent), from_(from), to_(to), width_(width), color_(color) {
    setObjectName(name);
    setZoom(1, QPoint(0, 0));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::setZoom(int zoom, QPoint origin) {
    zoom_ = std::max(1, zoom);
    origin_ = origin;
    // The box round the line grows with the zoom like every other box.
    const int pad = (width_ + 1) / 2;
    const QRect box = QRect(from_, to_).normalized().adjusted(-pad, -pad, pad, pad);
    setGeometry(QRect(origin_ + box.topLeft() * zoom_, box.size() * zoom_));
    update();
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(color_, width_ * zoom_, Qt::SolidLine, Qt::FlatCap));
    // A pen w wide drawn at x covers the pixels from x - w / 2 on; zoomed, the
    // line covers just the zoomed pixels of those.
    const int shift = width_ * zoom_ / 2 - width_ / 2 * zoom_;
    const QPoint offset = QPoint(shift, shift) - (pos() - origin_);
    painter.drawLine(from_ * zoom_ + offset, to_ * zoom_ + offset);
}
