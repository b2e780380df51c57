#include "core/timer.h"

#include "core/clock.h"

Timer::Timer(QObject* parent, Clock& clock, const QString& name, int interval, bool enabled)
    : QObject(parent), clock_(clock), interval_(interval) {
    setObjectName(name);
    setEnabled(enabled);
}

Timer::~Timer() {
    clock_.forget(this);
}

void Timer::setEnabled(bool on) {
    if (on == enabled_) {
        return;
    }
    enabled_ = on;
    if (on) {
        startPeriod();
    } else {
        stop();
    }
}

void Timer::setInterval(int ms) {
    ms = std::max(0, ms);
    const int old = interval_;
    interval_ = ms;
    if (!enabled_) {
        return;
    }
    if (ms == 0) {
        stop();
    } else if (old == 0) {
        startPeriod();
    }
    // Otherwise the countdown under way keeps its end; the next period is `ms` long.
}

void Timer::startPeriod() {
    if (interval_ <= 0) {
        return;
    }
    due_ = clock_.now() + interval_;
    armed_ = true;
    ++generation_;
    clock_.arm(this, due_);
}

void Timer::stop() {
    if (armed_) {
        armed_ = false;
        ++generation_;
        clock_.disarm(this);
    }
}

void Timer::fire() {
    if (!armed_) {
        return;
    }
    armed_ = false;
    const quint64 generation = ++generation_;
    const qint64 previousDue = due_;
    emit timeout();
    // The handler may have disabled the timer, changed its interval to 0, or
    // restarted it; only an untouched running timer schedules its next tick here.
    if (generation != generation_ || !enabled_ || interval_ <= 0) {
        return;
    }
    qint64 next = previousDue + interval_;
    const qint64 now = clock_.now();
    if (next <= now - interval_) {
        next = now + interval_; // a long stall: skip what was missed instead of bursting
    }
    due_ = next;
    armed_ = true;
    ++generation_;
    clock_.arm(this, due_);
}
