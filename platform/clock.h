#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QtGlobal>
#include <map>
#include <unordered_map>

class QTimer;
class Timer;

// Where timers get their ticks from. The game never reads the wall clock: it
// only sees time through a clock, so tests and simulations can run it on a
// virtual one and play a three-minute game in milliseconds.
class Clock {
public:
    virtual ~Clock() = default;

    // Milliseconds since the clock started.
    virtual qint64 now() const = 0;

    // Whether sprites should get ticks merely to repaint their frames. A virtual
    // clock has nobody watching, so sprites work out their frame when painted.
    virtual bool drivesRepaints() const = 0;

protected:
    friend class Timer;
    // Calls timer->fire() once at the absolute time `due` (replacing any call
    // already arranged for that timer).
    virtual void arm(Timer* timer, qint64 due) = 0;
    virtual void disarm(Timer* timer) = 0;
    // The timer is being destroyed.
    virtual void forget(Timer* timer) { disarm(timer); }
    static void fire(Timer* timer);
};

// The real clock: a monotonic elapsed timer and one precise QTimer per armed timer.
class RealClock final : public Clock {
public:
    RealClock();
    ~RealClock() override;
    qint64 now() const override;
    bool drivesRepaints() const override { return true; }

protected:
    void arm(Timer* timer, qint64 due) override;
    void disarm(Timer* timer) override;
    void forget(Timer* timer) override;

private:
    QElapsedTimer elapsed_;
    QHash<Timer*, QTimer*> qtimers_;
};

// Time moves only when a test or a simulation says so. Every tick that falls due
// is fired in time order; ticks due at the same millisecond fire in the order
// their countdowns were started (first armed, first fired).
class VirtualClock final : public Clock {
public:
    qint64 now() const override { return now_; }
    bool drivesRepaints() const override { return false; }

    // Moves time forward by `ms`, firing every tick due up to and including the new time.
    void advance(qint64 ms);
    void advanceTo(qint64 time);
    // Jumps to the next due tick and fires it (and only it). False if nothing is armed.
    bool fireNext();
    int armedCount() const { return static_cast<int>(queue_.size()); }

protected:
    void arm(Timer* timer, qint64 due) override;
    void disarm(Timer* timer) override;

private:
    using Key = std::pair<qint64, quint64>; // due time, arming order
    qint64 now_ = 0;
    quint64 sequence_ = 0;
    std::map<Key, Timer*> queue_;
    std::unordered_map<Timer*, Key> keys_;
};
