#include "core/clock.h"
#include "core/timer.h"

#include <QObject>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct Ticks {
    std::vector<std::pair<QString, qint64>> seen;
    void watch(Timer* timer, VirtualClock& clock) {
        QObject::connect(timer, &Timer::timeout, [this, timer, &clock] {
            seen.emplace_back(timer->objectName(), clock.now());
        });
    }
    std::vector<qint64> timesOf(const QString& name) const {
        std::vector<qint64> times;
        for (const auto& [who, when] : seen) {
            if (who == name) {
                times.push_back(when);
            }
        }
        return times;
    }
};

} // namespace

TEST(Timer, TicksEveryIntervalWhileEnabledAndNeverAtIntervalZero) {
    VirtualClock clock;
    QObject owner;
    Ticks ticks;
    Timer every(&owner, clock, "every", 1000, true);
    Timer zero(&owner, clock, "zero", 0, true);
    Timer off(&owner, clock, "off", 500, false);
    ticks.watch(&every, clock);
    ticks.watch(&zero, clock);
    ticks.watch(&off, clock);

    clock.advance(3500);
    EXPECT_EQ(ticks.timesOf("every"), (std::vector<qint64>{1000, 2000, 3000}));
    EXPECT_TRUE(ticks.timesOf("zero").empty());
    EXPECT_TRUE(ticks.timesOf("off").empty());
    EXPECT_EQ(clock.now(), 3500);

    // Enabling starts a fresh period from now.
    off.setEnabled(true);
    clock.advance(1000);
    EXPECT_EQ(ticks.timesOf("off"), (std::vector<qint64>{4000, 4500}));
}

TEST(Timer, HandlerThatDisablesItsTimerMakesItOneShot) {
    VirtualClock clock;
    QObject owner;
    Timer window(&owner, clock, "pieni", 1200, true);
    int fired = 0;
    QObject::connect(&window, &Timer::timeout, [&] {
        ++fired;
        window.setEnabled(false);
    });
    clock.advance(10000);
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(window.enabled());

    // Enabled again, it runs one more full window from that moment.
    window.setEnabled(true);
    clock.advance(1199);
    EXPECT_EQ(fired, 1);
    clock.advance(1);
    EXPECT_EQ(fired, 2);
}

TEST(Timer, IntervalChangesApplyFromTheNextPeriodAndReenablingChangesNothing) {
    VirtualClock clock;
    QObject owner;
    Ticks ticks;
    Timer bite(&owner, clock, "bite", 5000, true);
    ticks.watch(&bite, clock);

    clock.advance(2000);
    bite.setInterval(4900); // the countdown under way still ends at 5000
    bite.setEnabled(true);  // already enabled: no restart
    clock.advance(12800);
    EXPECT_EQ(ticks.timesOf("bite"), (std::vector<qint64>{5000, 9900, 14800}));

    // Zero stops the ticks at once; a new interval starts a fresh period.
    bite.setInterval(0);
    clock.advance(20000);
    EXPECT_EQ(ticks.timesOf("bite").size(), 3u);
    EXPECT_TRUE(bite.enabled());
    bite.setInterval(1000);
    clock.advance(1000);
    EXPECT_EQ(ticks.timesOf("bite").back(), 35800);

    // Negative intervals are taken as zero.
    bite.setInterval(-100);
    EXPECT_EQ(bite.interval(), 0);
}

TEST(VirtualClock, FiresDueTicksInTimeOrderAndTiesInArmingOrder) {
    VirtualClock clock;
    QObject owner;
    Ticks ticks;
    Timer slow(&owner, clock, "slow", 3000, true);
    Timer fast(&owner, clock, "fast", 1000, true);
    Timer other(&owner, clock, "other", 3000, true);
    ticks.watch(&slow, clock);
    ticks.watch(&fast, clock);
    ticks.watch(&other, clock);

    clock.advance(3000);
    ASSERT_EQ(ticks.seen.size(), 5u);
    EXPECT_EQ(ticks.seen[0], std::make_pair(QString("fast"), qint64(1000)));
    EXPECT_EQ(ticks.seen[1], std::make_pair(QString("fast"), qint64(2000)));
    // At 3000 all three are due: slow and other were armed at 0, fast at 2000.
    EXPECT_EQ(ticks.seen[2].first, "slow");
    EXPECT_EQ(ticks.seen[3].first, "other");
    EXPECT_EQ(ticks.seen[4].first, "fast");
}

TEST(VirtualClock, TicksStartedByAHandlerStillFireWithinTheSameAdvance) {
    VirtualClock clock;
    QObject owner;
    Timer first(&owner, clock, "first", 100, true);
    Timer second(&owner, clock, "second", 50, false);
    std::vector<qint64> secondTicks;
    QObject::connect(&first, &Timer::timeout, [&] {
        first.setEnabled(false);
        second.setEnabled(true);
    });
    QObject::connect(&second, &Timer::timeout, [&] { secondTicks.push_back(clock.now()); });
    clock.advance(200);
    EXPECT_EQ(secondTicks, (std::vector<qint64>{150, 200}));
}

TEST(VirtualClock, ThreeMinutesOfAOneSecondClockAndADestroyedTimerNeverFires) {
    VirtualClock clock;
    QObject owner;
    Timer aika(&owner, clock, "aika", 1000, true);
    int seconds = 0;
    QObject::connect(&aika, &Timer::timeout, [&] { ++seconds; });
    auto* doomed = new Timer(&owner, clock, "doomed", 500, true);
    int doomedTicks = 0;
    QObject::connect(doomed, &Timer::timeout, [&] { ++doomedTicks; });
    delete doomed;

    clock.advance(180000);
    EXPECT_EQ(seconds, 180);
    EXPECT_EQ(doomedTicks, 0);
    EXPECT_EQ(clock.armedCount(), 1);
}
