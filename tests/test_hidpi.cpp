#include "menu/menu.h"
#include "platform/kelmo.h"
#include "platform/look.h"
#include "support/world.h"

#include <QSet>

namespace {

// One-pixel checks of four colours: any smoothing when a picture is blown up
// mixes neighbours into colours the picture never had.
QImage checks(QSize size) {
    const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(255, 255, 0), qRgb(0, 128, 0)};
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            image.setPixel(x, y, colours[(x + 2 * y) % 4]);
        }
    }
    return image;
}

QSet<QRgb> coloursOf(const QImage& image) {
    QSet<QRgb> colours;
    const QImage plain = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            colours.insert(plain.pixel(x, y));
        }
    }
    return colours;
}

// The widget as a screen of device pixel ratio 2 shows it.
QImage renderAtDoubleDensity(QWidget* widget) {
    QImage image(widget->size() * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    image.fill(Qt::transparent);
    widget->render(&image);
    image.setDevicePixelRatio(1);
    return image;
}

// Every 2 × 2 block of device pixels within `logical` is one colour of `palette`.
void expectBlocks(const QImage& device, QRect logical, const QSet<QRgb>& palette) {
    int faults = 0;
    for (int y = logical.top(); y <= logical.bottom(); ++y) {
        for (int x = logical.left(); x <= logical.right(); ++x) {
            const QRgb corner = device.pixel(2 * x, 2 * y);
            const bool block = device.pixel(2 * x + 1, 2 * y) == corner &&
                               device.pixel(2 * x, 2 * y + 1) == corner &&
                               device.pixel(2 * x + 1, 2 * y + 1) == corner;
            if ((!block || !palette.contains(corner)) && ++faults <= 3) {
                ADD_FAILURE() << "blurred at " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(faults, 0);
}

using HiDpi = World;

} // namespace

TEST_F(HiDpi, SpritesAndWindowPicturesBecomeSharpBlocks) {
    const QImage art = checks(QSize(12, 10));
    const QString file = dir.filePath("checks.png");
    ASSERT_TRUE(art.save(file));

    QWidget host;
    host.resize(60, 60);
    Kelmo sprite(&host, clock, context.pictures, "vene", QRect(5, 7, 12, 10), QString());
    sprite.LoadFile(file);
    ASSERT_EQ(sprite.currentFrame(), 0);
    expectBlocks(renderAtDoubleDensity(&sprite), QRect(0, 0, 12, 10), coloursOf(art));

    Form form(forms, "kuva", "Norppala", QSize(30, 20));
    form.setPicture(art);
    expectBlocks(renderAtDoubleDensity(&form), QRect(0, 0, 12, 10), coloursOf(art));
}

TEST_F(HiDpi, SmallPicturesShownLargeKeepTheirPixels) {
    // 32 pixels in a 68-pixel box, as the menu shows the program icon: at
    // double density a 4.25 stretch, which only a nearest-pixel copy survives
    // without mixed colours.
    const QImage art = checks(QSize(32, 32));
    const QString file = dir.filePath("icon.png");
    ASSERT_TRUE(art.save(file));
    PixelPicture picture(nullptr, "Image1", QRect(0, 0, 68, 68), file);
    const QImage shown = renderAtDoubleDensity(&picture);
    EXPECT_TRUE(coloursOf(shown).subtract(coloursOf(art)).isEmpty());
    // Stretched, not drawn small in a corner.
    EXPECT_EQ(shown.pixel(135, 135), art.pixel(31, 31));

    // The boat's arrow buttons: 20-pixel pictures in 20-pixel icons.
    const QImage arrow = checks(QSize(20, 20));
    const QString arrowFile = dir.filePath("arrow.png");
    ASSERT_TRUE(arrow.save(arrowFile));
    const QPixmap dense = pixelIcon(arrowFile).pixmap(QSize(20, 20), 2.0);
    EXPECT_EQ(dense.size(), QSize(40, 40));
    EXPECT_TRUE(coloursOf(dense.toImage()).subtract(coloursOf(arrow)).isEmpty());

    forms.show("menu");
    settle();
    EXPECT_NE(qobject_cast<PixelPicture*>(control<QLabel>("menu", "Image1")), nullptr);
}
