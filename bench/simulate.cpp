// Whole games per second on the virtual clock: through the real windows, and
// through the game model alone.
#include "app/program.h"
#include "bench/simgame.h"
#include "core/autoangler.h"
#include "core/fishinggame.h"
#include "core/random.h"
#include "game/peli.h"
#include "platform/settings.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

struct SimWorld {
    VirtualClock clock;
    MersenneRandom random{20261207};
    NoDialogs dialogs;
    SilentSound sound;
    MemorySettings settings;
    Program program{{.clock = &clock,
                     .random = &random,
                     .dialogs = &dialogs,
                     .sound = &sound,
                     .settings = &settings}};
};

// Through the windows as a new player plays (captions on), or with the
// captions turned off (the argument 0).
void BM_WholeGame(benchmark::State& run) {
    SimWorld world;
    world.settings.setFlag(setting::captions, run.range(0) != 0);
    bench::SimPlayer player(world.program.forms(), world.clock, world.program.state());
    std::int64_t fish = 0;
    std::int64_t games = 0;
    for (auto _ : run) {
        const int landed = player.playGame();
        if (landed < 0) {
            run.SkipWithError("a game did not reach the results");
            break;
        }
        fish += landed;
        ++games;
    }
    run.counters["games_per_s"] =
        benchmark::Counter(static_cast<double>(games), benchmark::Counter::kIsRate);
    run.counters["fish_per_game"] =
        games ? static_cast<double>(fish) / static_cast<double>(games) : 0.0;
}
BENCHMARK(BM_WholeGame)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Whole three-minute games of the game model with the book player and no
// window: what a simulation of many games costs.
void BM_ModelGame(benchmark::State& run) {
    VirtualClock clock;
    MersenneRandom random{20261207};
    Module1 shared;
    shared.spot_choice = 2;
    FishingGame game(clock, random, shared);
    const AutoAngler angler;
    std::int64_t fish = 0;
    std::int64_t games = 0;
    for (auto _ : run) {
        game.start();
        while (game.running() && clock.fireNext()) {
            angler.react(game);
        }
        fish += shared.fish_count;
        ++games;
    }
    run.counters["games_per_s"] =
        benchmark::Counter(static_cast<double>(games), benchmark::Counter::kIsRate);
    run.counters["fish_per_game"] =
        games ? static_cast<double>(fish) / static_cast<double>(games) : 0.0;
}
BENCHMARK(BM_ModelGame)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The plain Unix event dispatcher wakes up once per batch of posted events;
    // the GLib one writes a wake-up for every event each new window posts.
    qputenv("QT_NO_GLIB", "1");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
