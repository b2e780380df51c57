// Start-up against a bare window of the toolkit: runs the game and the bare
// program alternately, each until its first paint, and compares the medians of
// the time from launch to first paint and of the peak resident size.
// Usage: norppala_bench_startup <game> <bare> [runs]
// The platform (offscreen or an X display) comes from the environment.
#include "bench/stats.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Run {
    bool ok = false;
    double firstPaintMs = 0;
    double peakRssKb = 0;
};

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

Run launch(const char* program) {
    Run run;
    int out[2];
    if (pipe(out) != 0) {
        return run;
    }
    const std::string start = std::to_string(monotonicNs());
    const pid_t child = fork();
    if (child < 0) {
        close(out[0]);
        close(out[1]);
        return run;
    }
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        setenv("NORPPALA_BENCH_FIRST_PAINT", "1", 1);
        setenv("NORPPALA_BENCH_START_NS", start.c_str(), 1);
        execl(program, program, static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    close(out[1]);
    std::string text;
    char buffer[256];
    ssize_t got = 0;
    while ((got = read(out[0], buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR)) {
        if (got > 0) {
            text.append(buffer, static_cast<std::size_t>(got));
        }
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    const std::size_t at = text.find("first_paint_us ");
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && at != std::string::npos) {
        run.ok = true;
        run.firstPaintMs = std::atof(text.c_str() + at + 15) / 1000.0;
        run.peakRssKb = static_cast<double>(usage.ru_maxrss);
    }
    return run;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <game> <bare> [runs]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 10;
    std::vector<double> gameMs, gameKb, bareMs, bareKb;
    int failures = 0;
    // One warm-up of each fills the file cache, so neither side pays for it alone.
    launch(argv[1]);
    launch(argv[2]);
    for (int i = 0; i < runs; ++i) {
        for (int side = 0; side < 2; ++side) {
            const Run run = launch(argv[1 + side]);
            if (!run.ok) {
                ++failures;
                continue;
            }
            (side == 0 ? gameMs : bareMs).push_back(run.firstPaintMs);
            (side == 0 ? gameKb : bareKb).push_back(run.peakRssKb);
        }
    }
    const double gm = bench::median(gameMs), bm = bench::median(bareMs);
    const double gk = bench::median(gameKb), bk = bench::median(bareKb);
    std::printf("{\"runs\": %d, \"failed_runs\": %d, \"game_first_paint_ms\": %.2f, "
                "\"bare_first_paint_ms\": %.2f, \"time_ratio\": %.3f, "
                "\"game_peak_rss_kb\": %.0f, \"bare_peak_rss_kb\": %.0f, \"memory_ratio\": %.3f}\n",
                runs, failures, gm, bm, bm > 0 ? gm / bm : 0.0, gk, bk, bk > 0 ? gk / bk : 0.0);
    return failures == 0 ? 0 : 1;
}
