// Reading the records as their window opens (and as the results window checks
// for a new record): a thousand result files, as the game writes them.
#include "core/records.h"
#include "core/module1.h"
#include "core/resultfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kFiles = 1000;

// A data folder of result files of 0 to 20 fish each, and an empty folder of
// the player's own.
struct ResultFolders {
    QTemporaryDir dir;
    QStringList folders{dir.path() + QStringLiteral("/data"), dir.path() + QStringLiteral("/oma")};
    bool ready = false;

    ResultFolders() {
        QDir().mkpath(folders[0]);
        QDir().mkpath(folders[1]);
        Module1 state;
        for (int file = 0; file < kFiles; ++file) {
            state.clearCatch();
            state.fish_count = static_cast<qint16>(file % 21);
            for (int row = 1; row <= state.fish_count; ++row) {
                const int grams = 100 + (file * 7919 + row * 104729) % 2000;
                state.catch_table[row][1] =
                    grams < 800 ? QStringLiteral("ahven") : QStringLiteral("hauki");
                state.catch_table[row][2] = static_cast<qint16>(grams);
            }
            const QString name = QStringLiteral("Pelaaja %1").arg(file);
            if (saveResultFileIn(state, folders[0], name)) {
                return;
            }
        }
        ready = true;
    }
};

void BM_ReadRecords(benchmark::State& run) {
    ResultFolders world;
    if (!world.ready) {
        run.SkipWithError("the result files could not be written");
        return;
    }
    std::size_t read = 0;
    for (auto _ : run) {
        std::vector<SavedResult> results = readResults(world.folders);
        read = results.size();
        const Records records = tallyRecords(std::move(results));
        benchmark::DoNotOptimize(records.best.data());
    }
    if (read != kFiles) {
        run.SkipWithError("not every result file was read");
    }
    run.counters["files"] = static_cast<double>(read);
}
BENCHMARK(BM_ReadRecords)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

} // namespace

BENCHMARK_MAIN();
