#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QtGlobal>
#include <optional>
#include <unordered_map>
#include <vector>

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
    friend class PausableClock;
    // Calls timer->fire() once at the absolute time `due` (replacing any call
    // already arranged for that timer).
    virtual void arm(Timer* timer, qint64 due) = 0;
    virtual void disarm(Timer* timer) = 0;
    // The timer is being destroyed.
    virtual void forget(Timer* timer) { disarm(timer); }
    static void fire(Timer* timer);
};

// The real clock: a monotonic elapsed timer and one precise QTimer per armed timer.
// It may run a whole number of times faster than the wall clock, so that a test
// of the real program can see a game end without waiting three minutes.
class RealClock final : public Clock {
public:
    explicit RealClock(int rate = 1);
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
    qint64 rate_;
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
    // Time of the next tick due, if any timer is armed.
    std::optional<qint64> nextDue() const;
    // Jumps to the next due tick and fires it (and only it). False if nothing is armed.
    bool fireNext();
    int armedCount() const { return static_cast<int>(armed_.size()); }

protected:
    void arm(Timer* timer, qint64 due) override;
    void disarm(Timer* timer) override;

private:
    struct Countdown {
        qint64 due;
        quint64 sequence; // arming order
        Timer* timer;
        bool before(const Countdown& other) const {
            return due < other.due || (due == other.due && sequence < other.sequence);
        }
    };
    // The first countdown to fall due, or end() when none is armed.
    std::vector<Countdown>::const_iterator first() const;

    qint64 now_ = 0;
    quint64 sequence_ = 0;
    // A game arms a dozen timers at most: a plain list beats any ordered container.
    std::vector<Countdown> armed_;
};

// A game's own time on top of another clock: it stands still while the game
// is paused. Every countdown freezes where it stood and goes on from there on
// resuming, and countdowns that fall due together still go in the order they
// were started, so a paused game plays exactly as one that never was.
class PausableClock final : public Clock {
public:
    explicit PausableClock(Clock& base) : base_(base) {}
    ~PausableClock() override;

    qint64 now() const override;
    bool drivesRepaints() const override { return base_.drivesRepaints(); }

    void pause();
    void resume();
    bool paused() const { return pausedAt_ >= 0; }

protected:
    void arm(Timer* timer, qint64 due) override;
    void disarm(Timer* timer) override;
    void forget(Timer* timer) override;

private:
    struct Countdown {
        qint64 due;       // in this clock's time
        quint64 sequence; // the order countdowns were started in
    };
    Clock& base_;
    qint64 stoppedFor_ = 0; // time spent paused so far
    qint64 pausedAt_ = -1;  // the base clock's time when the pause began
    quint64 sequence_ = 0;
    std::unordered_map<Timer*, Countdown> armed_;
};
