// A game at rest: the real clock, the line in the water, every animation
// running, at a zoom of 1 to 4. Prints the CPU time used over the watch as a
// share of one core, and the peak resident size.
// Usage: norppala_bench_rest [seconds [zoom]]
#include "app/program.h"
#include "bench/simgame.h"
#include "game/peli.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const int zoom = argc > 2 ? std::clamp(std::atoi(argv[2]), 1, 4) : 1;
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    NoDialogs dialogs;
    MemorySettings settings;
    settings.setNumber(setting::zoom, zoom);
    Program program({.dialogs = &dialogs, .settings = &settings});
    Forms& forms = program.forms();
    if (!bench::launchGame(forms, program.state(), QStringLiteral("pitka"), 2)) {
        std::fprintf(stderr, "norppala_bench_rest: the game did not start\n");
        return 1;
    }
    // Let start-up work (picture decoding, music loading) finish before watching.
    QElapsedTimer wall;
    double cpuAtStart = 0;
    bool stillPlaying = false;
    QTimer::singleShot(1000, Qt::PreciseTimer, &app, [&] {
        cpuAtStart = cpuSeconds();
        wall.start();
        QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, &app, [&] {
            // Looked at before quitting: the windows close as the program ends.
            auto* screen = forms.find<Peli>(QStringLiteral("peli"));
            stillPlaying = screen && screen->game().lineInWater() && screen->zoom() == zoom;
            QApplication::quit();
        });
    });
    app.exec();
    const double cpu = cpuSeconds() - cpuAtStart;
    const double real = static_cast<double>(wall.elapsed()) / 1000.0;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("{\"zoom\": %d, \"seconds\": %.3f, \"cpu_seconds\": %.3f, \"core_percent\": %.3f, "
                "\"peak_rss_kb\": %ld, \"game_running_line_in_water\": %s}\n",
                zoom, real, cpu, real > 0 ? 100.0 * cpu / real : 0.0, usage.ru_maxrss,
                stillPlaying ? "true" : "false");
    return stillPlaying ? 0 : 1;
}
