#include "platform/kelmo.h"
#include "support/world.h"

#include <QDateTime>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace {

// Decoded pictures are kept between loads; these make sure a kept picture
// never hides a change on disk.
class PictureCache : public World {
protected:
    QString writePicture(const QString& name, QSize size, QColor colour) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        const QString file = path("\\data\\" + name);
        EXPECT_TRUE(image.save(file, "PNG"));
        return file;
    }
};

} // namespace

TEST_F(PictureCache, WindowBackgroundFollowsTheFileOnDisk) {
    Form* setup = forms.get("aloita");
    ASSERT_NE(setup, nullptr);
    const QString file = writePicture("tausta.png", QSize(12, 8), Qt::red);
    setup->setPicture(file);
    EXPECT_EQ(setup->pictureFile(), file);
    EXPECT_EQ(setup->picture().size(), QSize(12, 8));
    EXPECT_EQ(setup->picture().pixelColor(3, 3), QColor(Qt::red));

    // Same size, new content, written within the same second as the first.
    const QDateTime written = QFileInfo(file).lastModified();
    writePicture("tausta.png", QSize(12, 8), Qt::blue);
    QFile touched(file);
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    ASSERT_TRUE(touched.setFileTime(written.addMSecs(1), QFileDevice::FileModificationTime));
    touched.close();
    setup->setPicture(file);
    EXPECT_EQ(setup->picture().pixelColor(3, 3), QColor(Qt::blue));

    writePicture("tausta.png", QSize(30, 20), Qt::green);
    setup->setPicture(file);
    EXPECT_EQ(setup->picture().size(), QSize(30, 20));

    QFile::remove(file);
    setup->setPicture(file);
    EXPECT_TRUE(setup->picture().isNull());
    EXPECT_EQ(setup->pictureFile(), file);
}

TEST_F(PictureCache, SharedDecodingAndFilesThatAreNotPictures) {
    const QString file = writePicture("kuva.png", QSize(5, 5), Qt::yellow);
    const auto first = context.pictures.load(file);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(context.pictures.load(file), first) << "an unchanged file is decoded once";
    // Kept by the program that loaded them: another one decodes for itself.
    Pictures another;
    const auto own = another.load(file);
    ASSERT_NE(own, nullptr);
    EXPECT_NE(own, first);
    EXPECT_EQ(another.load(file), own);

    EXPECT_EQ(context.pictures.load(path("\\data")), nullptr) << "a folder is not a picture";
    EXPECT_EQ(context.pictures.load(path("\\data\\puuttuu.gif")), nullptr);
    EXPECT_EQ(context.pictures.load(":/pictures/ei_ole.gif"), nullptr);
    const auto builtIn = context.pictures.load(":/pictures/vene.gif");
    ASSERT_NE(builtIn, nullptr);
    EXPECT_EQ(builtIn->frames.front().size(), QSize(79, 81));
}
