#include "platform/kelmo.h"

#include "core/clock.h"
#include "core/paths.h"
#include "core/timer.h"
#include "platform/look.h"
#include "platform/report.h"

#include <QHash>
#include <QImageReader>
#include <QPainter>
#include <cmath>
#include <optional>

namespace {

// Browsers and Qt alike show a GIF frame with no delay for a tenth of a second.
constexpr int kDefaultDelay = 100;

} // namespace

std::shared_ptr<const Animation> Pictures::load(const QString& path) {
    const std::optional<PlainFile> stamp = plainFile(path);
    if (!stamp) {
        return nullptr;
    }
    auto found = kept_.constFind(path);
    if (found != kept_.constEnd() && found->stamp == *stamp) {
        return found->animation;
    }
    std::shared_ptr<const Animation> animation = Animation::decode(path);
    if (animation) {
        kept_.insert(path, Kept{*stamp, animation});
    }
    return animation;
}

std::shared_ptr<const Animation> Animation::decode(const QString& path) {
    QImageReader reader(path);
    if (path.startsWith(QLatin1Char(':'))) {
        readBySuffix(reader);
    }
    auto animation = std::make_shared<Animation>();
    const int fileLoops = reader.loopCount(); // -1 for ever, N repeats (0: plays once)
    while (true) {
        QImage frame = reader.read();
        if (frame.isNull()) {
            break;
        }
        const int delay = reader.nextImageDelay();
        animation->frames.push_back(frame.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        animation->delays.push_back(delay > 0 ? delay : kDefaultDelay);
        if (!reader.canRead()) {
            break;
        }
    }
    if (animation->frames.empty()) {
        return nullptr;
    }
    animation->loops = fileLoops < 0 ? 0 : fileLoops + 1;
    for (int delay : animation->delays) {
        animation->runLength += delay;
    }
    return animation;
}

Kelmo::Kelmo(QWidget* parent, Clock& clock, Pictures& pictures, const QString& name,
             const QRect& box, const QString& designPicture)
    : QWidget(parent), clock_(clock), pictures_(pictures) {
    setObjectName(name);
    setGeometry(box);
    left_ = static_cast<float>(box.left());
    top_ = static_cast<float>(box.top());
    designSize_ = box.size();
    setAttribute(Qt::WA_TransparentForMouseEvents);
    frameTimer_ = new Timer(this, clock, QStringLiteral("frames"), 0, false);
    doneTimer_ = new Timer(this, clock, QStringLiteral("done"), 0, false);
    connect(frameTimer_, &Timer::timeout, this, &Kelmo::onFrameTick);
    connect(doneTimer_, &Timer::timeout, this, [this] {
        doneTimer_->setEnabled(false);
        emit AnimationDone();
    });
    if (!designPicture.isEmpty()) {
        animation_ = pictures_.load(designPicture);
        if (!animation_) {
            reportFileProblemOnce(designPicture, QStringLiteral("kuvaa ei voi lukea"));
        }
        start(animation_ ? animation_->loops : 1, false);
    }
}

void Kelmo::LoadFile(const QString& path) {
    if (path == file_) {
        return;
    }
    file_ = path;
    animation_ = pictures_.load(path);
    if (!animation_) {
        reportFileProblemOnce(path, QStringLiteral("kuvaa ei voi lukea"));
    }
    start(animation_ ? animation_->loops : 1, false);
    update();
}

void Kelmo::Play() {
    start(playCount_ > 0 ? playCount_ : 0, true);
    update();
}

void Kelmo::start(int runs, bool signalEnd) {
    startedAt_ = clock_.now();
    runs_ = runs;
    doneTimer_->setEnabled(false);
    if (signalEnd && animation_ && runs > 0) {
        doneTimer_->setInterval(animation_->runLength * runs);
        doneTimer_->setEnabled(true);
    } else if (signalEnd && !animation_) {
        // Nothing to play: the run ends at once (on the next tick of the clock).
        doneTimer_->setInterval(1);
        doneTimer_->setEnabled(true);
    }
    scheduleRepaint();
}

int Kelmo::frameCount() const {
    return animation_ ? static_cast<int>(animation_->frames.size()) : 0;
}

bool Kelmo::isPlaying() const {
    if (!animation_ || animation_->frames.size() < 2) {
        return false;
    }
    return runs_ == 0 || clock_.now() - startedAt_ < qint64(animation_->runLength) * runs_;
}

int Kelmo::currentFrame() const {
    if (!animation_) {
        return -1;
    }
    const int count = static_cast<int>(animation_->frames.size());
    const qint64 elapsed = clock_.now() - startedAt_;
    if (runs_ > 0 && elapsed >= qint64(animation_->runLength) * runs_) {
        return count - 1;
    }
    qint64 within = elapsed % animation_->runLength;
    for (int i = 0; i < count; ++i) {
        within -= animation_->delays[i];
        if (within < 0) {
            return i;
        }
    }
    return count - 1;
}

void Kelmo::scheduleRepaint() {
    frameTimer_->setEnabled(false);
    if (!clock_.drivesRepaints() || !isVisible() || !isPlaying()) {
        return;
    }
    // Time left in the frame showing now.
    const qint64 elapsed = clock_.now() - startedAt_;
    qint64 within = elapsed % animation_->runLength;
    int left = 0;
    for (int delay : animation_->delays) {
        if (within < delay) {
            left = static_cast<int>(delay - within);
            break;
        }
        within -= delay;
    }
    frameTimer_->setInterval(std::max(1, left));
    frameTimer_->setEnabled(true);
}

void Kelmo::onFrameTick() {
    update();
    scheduleRepaint();
}

void Kelmo::setLeft(float left) {
    left_ = left;
    place();
}

void Kelmo::setTop(float top) {
    top_ = top;
    place();
}

void Kelmo::place() {
    // The design place is whole pixels; the zoom multiplies it as it is.
    move(origin_ + QPoint(static_cast<int>(std::lround(left_)) * zoom_,
                          static_cast<int>(std::lround(top_)) * zoom_));
}

void Kelmo::setZoom(int zoom, QPoint origin) {
    zoom_ = std::max(1, zoom);
    origin_ = origin;
    resize(designSize_ * zoom_);
    place();
    update();
}

void Kelmo::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    scheduleRepaint();
}

void Kelmo::paintEvent(QPaintEvent*) {
    const int frame = currentFrame();
    if (frame < 0) {
        return;
    }
    const QImage& image = animation_->frames[static_cast<size_t>(frame)];
    // Pixel art stays blocky on high-density screens.
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(QPoint(0, 0), image.size() * zoom_), image);
}
