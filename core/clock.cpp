#include "core/clock.h"

#include "core/timer.h"

#include <QTimer>
#include <algorithm>
#include <vector>

void Clock::fire(Timer* timer) {
    timer->fire();
}

RealClock::RealClock(int rate) : rate_(std::max(1, rate)) {
    elapsed_.start();
}

RealClock::~RealClock() = default;

qint64 RealClock::now() const {
    return elapsed_.elapsed() * rate_;
}

void RealClock::arm(Timer* timer, qint64 due) {
    QTimer* qtimer = qtimers_.value(timer);
    if (!qtimer) {
        qtimer = new QTimer(timer);
        qtimer->setSingleShot(true);
        qtimer->setTimerType(Qt::PreciseTimer);
        QObject::connect(qtimer, &QTimer::timeout, timer, [timer] { Clock::fire(timer); });
        qtimers_.insert(timer, qtimer);
    }
    // Rounded up: a tick never fires before it is due.
    qtimer->start(static_cast<int>(std::max<qint64>(0, (due - now() + rate_ - 1) / rate_)));
}

void RealClock::disarm(Timer* timer) {
    if (QTimer* qtimer = qtimers_.value(timer)) {
        qtimer->stop();
    }
}

void RealClock::forget(Timer* timer) {
    delete qtimers_.take(timer);
}

void VirtualClock::arm(Timer* timer, qint64 due) {
    disarm(timer);
    armed_.push_back(Countdown{due, sequence_++, timer});
}

void VirtualClock::disarm(Timer* timer) {
    for (auto it = armed_.begin(); it != armed_.end(); ++it) {
        if (it->timer == timer) {
            *it = armed_.back();
            armed_.pop_back();
            return;
        }
    }
}

std::vector<VirtualClock::Countdown>::const_iterator VirtualClock::first() const {
    auto best = armed_.cbegin();
    for (auto it = armed_.cbegin(); it != armed_.cend(); ++it) {
        if (it->before(*best)) {
            best = it;
        }
    }
    return best;
}

std::optional<qint64> VirtualClock::nextDue() const {
    if (armed_.empty()) {
        return std::nullopt;
    }
    return first()->due;
}

bool VirtualClock::fireNext() {
    if (armed_.empty()) {
        return false;
    }
    const auto next = first();
    Timer* timer = next->timer;
    now_ = std::max(now_, next->due);
    const auto index = next - armed_.cbegin();
    armed_[index] = armed_.back();
    armed_.pop_back();
    Clock::fire(timer);
    return true;
}

void VirtualClock::advanceTo(qint64 time) {
    while (!armed_.empty() && first()->due <= time) {
        fireNext();
    }
    now_ = std::max(now_, time);
}

void VirtualClock::advance(qint64 ms) {
    advanceTo(now_ + ms);
}

PausableClock::~PausableClock() {
    for (const auto& [timer, countdown] : armed_) {
        base_.disarm(timer);
    }
}

qint64 PausableClock::now() const {
    const qint64 base = paused() ? pausedAt_ : base_.now();
    return base - stoppedFor_;
}

void PausableClock::arm(Timer* timer, qint64 due) {
    armed_[timer] = Countdown{due, sequence_++};
    if (!paused()) {
        base_.arm(timer, due + stoppedFor_);
    }
}

void PausableClock::disarm(Timer* timer) {
    armed_.erase(timer);
    base_.disarm(timer);
}

void PausableClock::forget(Timer* timer) {
    armed_.erase(timer);
    base_.forget(timer);
}

void PausableClock::pause() {
    if (paused()) {
        return;
    }
    pausedAt_ = base_.now();
    for (const auto& [timer, countdown] : armed_) {
        base_.disarm(timer);
    }
}

void PausableClock::resume() {
    if (!paused()) {
        return;
    }
    stoppedFor_ += base_.now() - pausedAt_;
    pausedAt_ = -1;
    // A countdown that has since ticked and not been started again is over.
    std::vector<std::pair<Timer*, Countdown>> waiting;
    for (const auto& [timer, countdown] : armed_) {
        if (timer->due() == countdown.due) {
            waiting.emplace_back(timer, countdown);
        }
    }
    std::sort(waiting.begin(), waiting.end(), [](const auto& a, const auto& b) {
        return std::pair(a.second.due, a.second.sequence) <
               std::pair(b.second.due, b.second.sequence);
    });
    for (const auto& [timer, countdown] : waiting) {
        base_.arm(timer, countdown.due + stoppedFor_);
    }
}
