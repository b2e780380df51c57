#include "platform/clock.h"

#include "platform/timer.h"

#include <QTimer>

void Clock::fire(Timer* timer) {
    timer->fire();
}

RealClock::RealClock() {
    elapsed_.start();
}

RealClock::~RealClock() = default;

qint64 RealClock::now() const {
    return elapsed_.elapsed();
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
    qtimer->start(static_cast<int>(std::max<qint64>(0, due - now())));
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
    Key key{due, sequence_++};
    queue_.emplace(key, timer);
    keys_.emplace(timer, key);
}

void VirtualClock::disarm(Timer* timer) {
    auto found = keys_.find(timer);
    if (found == keys_.end()) {
        return;
    }
    queue_.erase(found->second);
    keys_.erase(found);
}

bool VirtualClock::fireNext() {
    if (queue_.empty()) {
        return false;
    }
    auto first = queue_.begin();
    Timer* timer = first->second;
    now_ = std::max(now_, first->first.first);
    keys_.erase(timer);
    queue_.erase(first);
    Clock::fire(timer);
    return true;
}

void VirtualClock::advanceTo(qint64 time) {
    while (!queue_.empty() && queue_.begin()->first.first <= time) {
        fireNext();
    }
    now_ = std::max(now_, time);
}

void VirtualClock::advance(qint64 ms) {
    advanceTo(now_ + ms);
}
