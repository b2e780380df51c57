// Whole games per second on the virtual clock through the real windows, and
// the cost of one tick of the bite clock.
#include "app/windows.h"
#include "bench/simgame.h"
#include "game/peli.h"
#include "platform/context.h"
#include "platform/paths.h"
#include "platform/random.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

struct SimWorld {
    VirtualClock clock;
    MersenneRandom random{20261207};
    NoDialogs dialogs;
    Context context{clock, random, dialogs,
                    [](const QString&) { return std::make_unique<SilentPlayer>(); },
                    programFolder()};
    Module1 state;
    Forms forms{context};
    SimWorld() { registerWindows(forms, state); }
};

void BM_WholeGame(benchmark::State& run) {
    SimWorld world;
    bench::SimPlayer player(world.forms, world.clock, world.state);
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
BENCHMARK(BM_WholeGame)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// One tick of the bite clock with the line in the water and a whole worm: the
// roll, and a nibble (picture change, nibble window) when one comes.
void BM_BiteClockTick(benchmark::State& run) {
    SimWorld world;
    if (!bench::launchGame(world.forms, world.state, QStringLiteral("pitka"), 2)) {
        run.SkipWithError("the game did not start");
        return;
    }
    auto* game = world.forms.find<Peli>(QStringLiteral("peli"));
    for (auto _ : run) {
        world.state.koho_state = QStringLiteral("koho3");
        game->on_Timer1_timeout();
    }
}
BENCHMARK(BM_BiteClockTick)->Unit(benchmark::kNanosecond);

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
