#include "platform/look.h"

#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
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

QImage builtInPicture(const QString& path) {
    // The format is named and never guessed: guessing asks every image plugin of
    // the system whether it knows the file, which loads them all and costs the
    // game's start-up more than drawing its first window.
    QImageReader reader(path, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QIcon programIcon() {
    // The window's own icon, up to 64 pixels (32 at double scale). Menus and
    // launchers take the large ones from the installed icon theme; decoding
    // them here cost the first window a tenth of its start-up.
    static const QIcon icon = [] {
        QIcon result;
        for (const char* file :
             {":/pictures/icon32.png", ":/pictures/icon48.png", ":/pictures/icon64.png"}) {
            const QImage image = builtInPicture(QString::fromLatin1(file));
            if (!image.isNull()) {
                result.addPixmap(QPixmap::fromImage(image));
            }
        }
        return result;
    }();
    return icon;
}

QIcon pixelIcon(const QString& path) {
    // Every game screen asks for the same few icons again; they never change.
    static QHash<QString, QIcon> made;
    if (const auto found = made.constFind(path); found != made.constEnd()) {
        return found.value();
    }
    const QImage image = builtInPicture(path);
    QIcon icon;
    if (image.isNull()) {
        return icon;
    }
    icon.addPixmap(QPixmap::fromImage(image));
    for (int factor : {2, 3, 4}) {
        QPixmap big = QPixmap::fromImage(
            image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        big.setDevicePixelRatio(factor);
        icon.addPixmap(big);
    }
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
        emit clicked();
    }
    QLabel::mousePressEvent(event);
}

void Label::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved();
    QLabel::mouseMoveEvent(event);
}

void Label::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (border_ == 1) {
        QPainter painter(this);
        painter.setPen(QPen(look::black, 1));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

Line::Line(QWidget* parent, const QString& name, QPoint from, QPoint to, int width,
           const QColor& color)
    : QWidget(parent), from_(from), to_(to), width_(width), color_(color) {
    setObjectName(name);
    const int pad = (width + 1) / 2;
    const QRect box = QRect(from, to).normalized().adjusted(-pad, -pad, pad, pad);
    setGeometry(box);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(color_, width_, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(from_ - pos(), to_ - pos());
}
