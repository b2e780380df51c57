// Accuracy of the real clock: a 1000 ms game clock and a 100 ms step timer run
// side by side on RealClock for the given time. Prints the last tick's
// lateness, lost ticks and the spread of the 100 ms steps.
// Usage: norppala_bench_clock [seconds]
#include "core/clock.h"
#include "bench/stats.h"
#include "core/timer.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

std::int64_t nowUs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000LL + now.tv_nsec / 1000;
}

} // namespace

int main(int argc, char* argv[]) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    QCoreApplication app(argc, argv);
    RealClock clock;
    std::vector<std::int64_t> gameTicks;
    std::vector<std::int64_t> stepTicks;
    std::int64_t startedUs = 0;
    // Both timers start in the same instant, as the game's load step starts them.
    Timer aika(nullptr, clock, QStringLiteral("aika"), 1000, false);
    Timer steps(nullptr, clock, QStringLiteral("kala_nousee"), 100, false);
    QObject::connect(&aika, &Timer::timeout, [&] { gameTicks.push_back(nowUs() - startedUs); });
    QObject::connect(&steps, &Timer::timeout, [&] { stepTicks.push_back(nowUs() - startedUs); });
    QTimer::singleShot(0, [&] {
        startedUs = nowUs();
        aika.setEnabled(true);
        steps.setEnabled(true);
        // Quit half a period after the last due tick, so it has its chance to come.
        QTimer::singleShot(seconds * 1000 + 50, Qt::PreciseTimer, &app, &QCoreApplication::quit);
    });
    app.exec();
    const std::int64_t runMs = seconds * 1000LL;
    const bench::TickReport game = bench::analyseTicks(gameTicks, 1000, runMs);
    const bench::TickReport step = bench::analyseTicks(stepTicks, 100, runMs);
    std::printf("{\"seconds\": %d, \"game_ticks\": %d, \"game_ticks_expected\": %d, "
                "\"game_ticks_lost\": %d, \"last_tick_late_ms\": %.3f, "
                "\"step_ticks\": %d, \"step_ticks_lost\": %d, \"step_median_ms\": %.3f, "
                "\"step_p99_ms\": %.3f, \"step_worst_ms\": %.3f}\n",
                seconds, game.ticks, game.expected, game.lost, game.lastLatenessMs, step.ticks,
                step.lost, step.medianStepMs, step.p99StepMs, step.worstStepMs);
    return 0;
}
