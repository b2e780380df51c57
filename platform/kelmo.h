#pragma once

#include "core/paths.h"

#include <QHash>
#include <QImage>
#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

class Clock;
class Timer;

// The frames of one GIF file, decoded once and shared by every sprite showing it.
struct Animation {
    std::vector<QImage> frames;
    std::vector<int> delays; // milliseconds each frame stays
    int loops = 1;           // runs after loading; 0 = for ever
    int runLength = 0;       // one run through every frame, in milliseconds

    // Decodes a GIF file (or any picture Qt reads); null when it cannot be read.
    static std::shared_ptr<const Animation> decode(const QString& path);
};

// The decoded pictures of one program, kept between loads: pictures are loaded
// again and again (the rising fish every 100 ms), so each file is decoded once
// and decoded anew only when its time or size changes on disk.
class Pictures {
public:
    // The file's animation; null when it is no plain file or cannot be read.
    std::shared_ptr<const Animation> load(const QString& path);

private:
    struct Kept {
        PlainFile stamp;
        std::shared_ptr<const Animation> animation;
    };
    QHash<QString, Kept> kept_;
};

// An animated-GIF sprite (`Kelmo`). It shows the picture built into its window
// until its first LoadFile. Its frames advance on the game's clock, so on a
// virtual clock an animation ends at the right virtual time; its pictures come
// from the program's decoded pictures.
class Kelmo : public QWidget {
    Q_OBJECT
public:
    Kelmo(QWidget* parent, Clock& clock, Pictures& pictures, const QString& name, const QRect& box,
          const QString& designPicture);

    // Shows the picture of that file at once, animated as the file says (its
    // loop count: none plays once, N plays 1 + N times, 0 for ever). Loading the
    // file already shown changes nothing, so its animation runs on undisturbed.
    // A missing or broken file shows nothing and is reported once.
    void LoadFile(const QString& path);
    void setPlayCount(qint16 count) { playCount_ = count; }
    // Runs the loaded animation from its first frame PlayCount times (0: for ever),
    // whatever loop count the file holds, then rests on its last frame and raises
    // AnimationDone after that frame's delay.
    void Play();

    // Place and size in the window's design pixels, whatever its zoom.
    float left() const { return left_; }
    float top() const { return top_; }
    void setLeft(float left);
    void setTop(float top);
    QSize designSize() const { return designSize_; }
    // Shows the sprite at a whole zoom, its place measured from `origin`
    // (where its window's design corner lies): every picture pixel becomes a
    // zoom × zoom block.
    void setZoom(int zoom, QPoint origin);

    QString file() const { return file_; }
    // The frame showing now (0-based), or -1 when nothing is shown.
    int currentFrame() const;
    int frameCount() const;
    bool isPlaying() const;

signals:
    void AnimationDone();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void start(int runs, bool signalEnd);
    void scheduleRepaint();
    void onFrameTick();
    void place();

    Clock& clock_;
    Pictures& pictures_;
    std::shared_ptr<const Animation> animation_;
    QString file_;
    float left_ = 0;
    float top_ = 0;
    QSize designSize_;
    int zoom_ = 1;
    QPoint origin_;
    qint16 playCount_ = 0;
    qint64 startedAt_ = 0;
    int runs_ = 1; // 0 = for ever
    Timer* frameTimer_;
    Timer* doneTimer_;
};
