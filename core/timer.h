#pragma once

#include <QObject>

class Clock;

// A window's timer, with the two properties the game uses: `interval` in
// milliseconds and `enabled`.
//
// - It ticks every `interval` ms while enabled; an interval of 0 never ticks.
// - Enabling a disabled timer starts a fresh period. Enabling an enabled one
//   changes nothing: the countdown under way goes on.
// - Changing the interval of a running timer does not restart the countdown
//   under way; the new length applies from the next period. Setting 0 stops the
//   ticks at once (the timer stays enabled); a later non-zero interval then
//   starts a fresh period.
// - A handler may disable its own timer: that makes it one-shot.
// - Ticks follow an ideal schedule (start + k × interval), so a late tick does
//   not push the following ones back.
class Timer : public QObject {
    Q_OBJECT
public:
    Timer(QObject* parent, Clock& clock, const QString& name, int interval, bool enabled);
    ~Timer() override;

    int interval() const { return interval_; }
    void setInterval(int ms);
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    // Time at which the next tick is due, or -1 when none is.
    qint64 due() const { return armed_ ? due_ : -1; }

signals:
    void timeout();

private:
    friend class Clock;
    void fire();
    void startPeriod();
    void stop();

    Clock& clock_;
    int interval_ = 0;
    bool enabled_ = false;
    bool armed_ = false;
    qint64 due_ = 0;
    quint64 generation_ = 0;
};
