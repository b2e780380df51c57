#include "core/clock.h"
#include "platform/kelmo.h"
#include "support/gifwriter.h"

#include <QImageReader>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <optional>

namespace {

class SpriteTest : public ::testing::Test {
protected:
    QString gif(const QString& name, std::optional<int> loops, int frames = 3) {
        TestGif file;
        for (int i = 0; i < frames; ++i) {
            file.frameColours.push_back(i % 4);
            file.delaysMs.push_back(100);
        }
        file.loopCount = loops;
        const QString path = dir.filePath(name);
        EXPECT_TRUE(file.save(path));
        return path;
    }

    QTemporaryDir dir;
    VirtualClock clock;
    Pictures pictures;
    QWidget host;
    Kelmo sprite{&host, clock, pictures, "va", QRect(10, 20, 100, 100), QString()};
};

} // namespace

TEST_F(SpriteTest, TestGifsDecodeAsWritten) {
    // The sprite's behaviour below rests on these files being what they say.
    QImageReader reader(gif("three.gif", 2));
    EXPECT_EQ(reader.imageCount(), 3);
    EXPECT_EQ(reader.loopCount(), 2);
    const QImage first = reader.read();
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.pixelColor(1, 1), QColor(0, 0, 128));
    EXPECT_EQ(reader.read().pixelColor(3, 3), QColor(255, 0, 0));
}

TEST_F(SpriteTest, PlayRunsExactlyOnceWhateverTheFileLoopCount) {
    for (const std::optional<int> loops :
         {std::optional<int>(), std::optional<int>(0), std::optional<int>(2)}) {
        SCOPED_TRACE(loops ? "loop " + std::to_string(*loops) : "no loop block");
        sprite.LoadFile(gif(QStringLiteral("anim%1.gif").arg(loops.value_or(-1)), loops));
        QSignalSpy done(&sprite, &Kelmo::AnimationDone);
        clock.advance(555); // wherever the file's own animation happens to be
        sprite.setPlayCount(1);
        sprite.Play();
        EXPECT_EQ(sprite.currentFrame(), 0);
        clock.advance(150);
        EXPECT_EQ(sprite.currentFrame(), 1);
        clock.advance(100);
        EXPECT_EQ(sprite.currentFrame(), 2);
        EXPECT_EQ(done.count(), 0);
        clock.advance(50); // the last frame's delay is over
        EXPECT_EQ(done.count(), 1);
        clock.advance(5000);
        EXPECT_EQ(done.count(), 1);
        EXPECT_EQ(sprite.currentFrame(), 2); // rests on the last frame
        EXPECT_FALSE(sprite.isPlaying());
    }
}

TEST_F(SpriteTest, LoadedFileAnimatesAsItsLoopCountSays) {
    sprite.LoadFile(gif("once.gif", std::nullopt));
    clock.advance(1000);
    EXPECT_EQ(sprite.currentFrame(), 2);
    EXPECT_FALSE(sprite.isPlaying());

    sprite.LoadFile(gif("forever.gif", 0));
    clock.advance(10 * 300 + 150);
    EXPECT_EQ(sprite.currentFrame(), 1);
    EXPECT_TRUE(sprite.isPlaying());

    sprite.LoadFile(gif("thrice.gif", 2));
    clock.advance(2 * 300 + 50);
    EXPECT_TRUE(sprite.isPlaying());
    clock.advance(300);
    EXPECT_FALSE(sprite.isPlaying());
    EXPECT_EQ(sprite.currentFrame(), 2);
}

TEST_F(SpriteTest, ReloadingTheSameFileDoesNotRestartItsAnimation) {
    const QString path = gif("fish.gif", 0);
    sprite.LoadFile(path);
    clock.advance(250);
    for (int step = 0; step < 5; ++step) {
        sprite.LoadFile(path);
    }
    EXPECT_EQ(sprite.currentFrame(), 2);
    sprite.LoadFile(gif("other.gif", 0));
    EXPECT_EQ(sprite.currentFrame(), 0);
}

TEST_F(SpriteTest, MissingFileShowsNothingAndIsReportedOnce) {
    sprite.LoadFile(gif("ok.gif", 0));
    QSignalSpy done(&sprite, &Kelmo::AnimationDone);
    const QString missing = dir.filePath("ei_ole.gif");
    testing::internal::CaptureStderr();
    sprite.LoadFile(missing);
    sprite.LoadFile(dir.filePath("ok.gif"));
    sprite.LoadFile(missing);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(sprite.currentFrame(), -1);
    EXPECT_EQ(sprite.frameCount(), 0);
    size_t mentions = 0;
    for (size_t at = log.find("ei_ole.gif"); at != std::string::npos;
         at = log.find("ei_ole.gif", at + 1)) {
        ++mentions;
    }
    EXPECT_EQ(mentions, 1u);

    // Playing nothing still ends, so whoever waits for the end is not left hanging.
    sprite.setPlayCount(1);
    sprite.Play();
    clock.advance(10);
    EXPECT_EQ(done.count(), 1);

    QFile broken(dir.filePath("broken.gif"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("GIF89a this is not a picture");
    broken.close();
    sprite.LoadFile(broken.fileName());
    EXPECT_EQ(sprite.currentFrame(), -1);
}

TEST_F(SpriteTest, ShowsItsDesignPictureUntilTheFirstLoadAndKeepsFloatPositions) {
    const QString design = gif("design.gif", std::nullopt, 1);
    Kelmo boat(&host, clock, pictures, "vene", QRect(0, 16, 137, 113), design);
    EXPECT_EQ(boat.currentFrame(), 0);
    EXPECT_EQ(boat.file(), QString());
    EXPECT_EQ(boat.width(), 137);
    boat.setTop(boat.top() + 20.5f);
    EXPECT_FLOAT_EQ(boat.top(), 36.5f);
    EXPECT_EQ(boat.left(), 0.0f);
    boat.LoadFile(dir.filePath("puuttuu.gif"));
    EXPECT_EQ(boat.currentFrame(), -1);
}
