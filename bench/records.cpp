// Reading the records as their windows open (the records window, and the
// results window's check for a new record): a thousand result files as the
// game writes them, read and ranked; and a hundred thousand through the
// records window, from its opening until it shows them. Warm file cache: the
// files are read once before the timing starts.
#include "app/headless.h"
#include "app/program.h"
#include "core/clock.h"
#include "core/module1.h"
#include "core/random.h"
#include "core/recordsreader.h"
#include "core/resultfile.h"
#include "platform/context.h"
#include "platform/form.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

// A program folder whose data folder holds result files of 0 to 20 fish each,
// and an empty folder of the player's own. Made once for each number of files.
struct ResultFolders {
    QTemporaryDir dir;
    QString appPath = dir.path() + QStringLiteral("/peli");
    QString dataHome = dir.path() + QStringLiteral("/koti");
    QStringList folders{dataHome + QStringLiteral("/Norppala"), appPath + QStringLiteral("/data")};
    bool ready = false;

    explicit ResultFolders(int files) {
        QDir().mkpath(folders[0]);
        QDir().mkpath(folders[1]);
        Module1 state;
        for (int file = 0; file < files; ++file) {
            state.clearCatch();
            state.fish_count = static_cast<qint16>(file % 21);
            for (int row = 1; row <= state.fish_count; ++row) {
                const int grams = 100 + (file * 7919 + row * 104729) % 2000;
                state.catch_table[row][1] =
                    grams < 800 ? QStringLiteral("ahven") : QStringLiteral("hauki");
                state.catch_table[row][2] = static_cast<qint16>(grams);
            }
            // Written plainly: the game's own safe save waits for the disk each time.
            const QString name = QStringLiteral("Pelaaja %1").arg(file);
            QFile out(folders[1] + QLatin1Char('/') + name + QStringLiteral(".kal"));
            if (!out.open(QIODevice::WriteOnly) || out.write(resultFileBytes(state, name)) < 0) {
                return;
            }
        }
        ready = readRecords(folders, 10).read == files;
    }
};

const ResultFolders& resultFolders(int files) {
    static std::map<int, std::unique_ptr<ResultFolders>> made;
    auto& folders = made[files];
    if (!folders) {
        folders = std::make_unique<ResultFolders>(files);
    }
    return *folders;
}

void BM_ReadRecords(benchmark::State& run) {
    const int files = static_cast<int>(run.range(0));
    const ResultFolders& world = resultFolders(files);
    if (!world.ready) {
        run.SkipWithError("the result files could not be written");
        return;
    }
    int read = 0;
    for (auto _ : run) {
        const Records records = readRecords(world.folders, 10);
        read = records.read;
        benchmark::DoNotOptimize(records.best.data());
    }
    if (read != files) {
        run.SkipWithError("not every result file was read");
    }
    run.counters["files"] = static_cast<double>(read);
}
BENCHMARK(BM_ReadRecords)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

// From "Ennätykset" until the window shows the ten best of every file.
void BM_RecordsWindow(benchmark::State& run) {
    const int files = static_cast<int>(run.range(0));
    const ResultFolders& world = resultFolders(files);
    if (!world.ready) {
        run.SkipWithError("the result files could not be written");
        return;
    }
    qputenv("XDG_DATA_HOME", QFile::encodeName(world.dataHome));
    VirtualClock clock;
    MersenneRandom random{20261207};
    NoDialogs dialogs;
    SilentSound sound;
    MemorySettings settings;
    Program program({&clock, &random, &dialogs, &sound, &settings, nullptr, world.appPath});
    Forms& forms = program.forms();
    bool filled = true;
    for (auto _ : run) {
        forms.show(QStringLiteral("ennatykset"));
        RecordsReader::finishAll();
        Form* window = forms.find(QStringLiteral("ennatykset"));
        auto* tenth = window ? window->findChild<QLabel*>(QStringLiteral("nimi10")) : nullptr;
        filled = filled && tenth && !tenth->isHidden();
        forms.unload(QStringLiteral("ennatykset"));
        forms.flushUnloaded();
        QCoreApplication::processEvents();
    }
    if (!filled) {
        run.SkipWithError("the window did not show ten results");
    }
    run.counters["files"] = static_cast<double>(files);
}
BENCHMARK(BM_RecordsWindow)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Norppala"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
