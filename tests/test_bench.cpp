#include "app/firstpaint.h"
#include "bench/simgame.h"
#include "bench/stats.h"
#include "support/world.h"

#include <QListWidget>
#include <QWidget>
#include <cstdlib>
#include <gtest/gtest.h>

TEST(BenchStats, MedianAndPercentileOfSmallSamples) {
    EXPECT_EQ(bench::median({}), 0);
    EXPECT_EQ(bench::median({7}), 7);
    EXPECT_EQ(bench::median({9, 1, 5}), 5);
    EXPECT_EQ(bench::median({4, 1, 3, 2}), 2.5);

    std::vector<double> hundred;
    for (int i = 100; i >= 1; --i) {
        hundred.push_back(i);
    }
    EXPECT_EQ(bench::percentile(hundred, 99), 99);
    EXPECT_EQ(bench::percentile(hundred, 100), 100);
    EXPECT_EQ(bench::percentile(hundred, 0), 1);
    EXPECT_EQ(bench::percentile({5, 1}, 50), 1);
    EXPECT_EQ(bench::percentile({}, 99), 0);
}

TEST(BenchStats, TickReportCountsLostTicksLatenessAndSteps) {
    // Ticks of a 100 ms timer over one second: the fourth came 30 ms late, the
    // ninth and tenth never came.
    const std::vector<std::int64_t> ticks{100000, 200000, 300000, 430000,
                                          500000, 600000, 700000, 800000};
    const bench::TickReport report = bench::analyseTicks(ticks, 100, 1000);
    EXPECT_EQ(report.expected, 10);
    EXPECT_EQ(report.ticks, 8);
    EXPECT_EQ(report.lost, 2);
    EXPECT_DOUBLE_EQ(report.lastLatenessMs, 0);
    EXPECT_DOUBLE_EQ(report.medianStepMs, 100);
    EXPECT_DOUBLE_EQ(report.worstStepMs, 130);
    EXPECT_DOUBLE_EQ(report.p99StepMs, 130);

    const bench::TickReport late = bench::analyseTicks({1000500, 2001500, 3012250}, 1000, 3000);
    EXPECT_EQ(late.lost, 0);
    EXPECT_DOUBLE_EQ(late.lastLatenessMs, 12.25);
    EXPECT_DOUBLE_EQ(late.medianStepMs, 1001);

    const bench::TickReport none = bench::analyseTicks({}, 1000, 30000);
    EXPECT_EQ(none.lost, 30);
}

namespace {

class BenchSimulation : public World {};

} // namespace

// The games-per-second figure only means something if each simulated game is
// a whole one: three minutes on the clock, fish landed, the results reached.
TEST_F(BenchSimulation, ScriptedPlayerPlaysWholeGamesThroughTheWindows) {
    bench::SimPlayer player(forms, clock, state);
    for (int game = 1; game <= 2; ++game) {
        const qint64 started = clock.now();
        const int landed = player.playGame(QStringLiteral("pitka"), 2);
        ASSERT_GE(landed, 1) << "game " << game;
        EXPECT_EQ(landed, state.fish_count);
        EXPECT_GE(clock.now() - started, 180 * 1000);
        EXPECT_LE(clock.now() - started, 181 * 1000);
        EXPECT_TRUE(forms.loadedNames().isEmpty());
        EXPECT_EQ(state.map_name, "pitka");
    }
}

TEST_F(BenchSimulation, AGameThatStallsIsReportedNotCounted) {
    // A game window whose clock never ticks would otherwise spin the benchmark for ever.
    forms.registerForm(QStringLiteral("peli"), [](Forms& f) {
        return new Form(f, QStringLiteral("peli"), QStringLiteral("Norppala"), QSize(362, 401));
    });
    bench::SimPlayer player(forms, clock, state);
    EXPECT_EQ(player.playGame(), -1);
}

TEST(BenchFirstPaint, ReportsAndEndsTheProgramAtTheFirstPaint) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("NORPPALA_BENCH_FIRST_PAINT", "1", 1);
            QWidget window;
            window.resize(40, 30);
            watchFirstPaint(&window);
            window.show();
            window.repaint();
            for (int round = 0; round < 10; ++round) {
                QCoreApplication::processEvents();
            }
            std::exit(3);
        },
        testing::ExitedWithCode(0), "");
}
