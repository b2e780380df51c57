#include "test_played_game.h"

#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <gtest/gtest.h>
#include <malloc.h>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kUnderAddressSanitizer = true;
#else
constexpr bool kUnderAddressSanitizer = false;
#endif
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

// The resident size of this process in kB, from /proc/self/status.
long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    // Files under /proc report no size, so they are read whole rather than by atEnd().
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toLong();
        }
    }
    return -1;
}

// What the heap holds in live allocations, in kB: unlike the resident size it
// does not count freed memory the allocator keeps for later.
long heapInUseKb() {
    return static_cast<long>(mallinfo2().uordblks / 1024);
}

int soakCycles() {
    bool ok = false;
    const int cycles = qEnvironmentVariableIntValue("NORPPALA_SOAK_CYCLES", &ok);
    return ok && cycles > 0 ? cycles : 50;
}

class Soak : public PlayedGame {};

} // namespace

// Whole games one after another in one process, as a long evening of play:
// each ends back at the menu alone, saves a byte-exact result, and the process
// does not keep growing.
TEST_F(Soak, ManyWholeGamesInARowLeaveOnlyTheMenuAndExactFiles) {
    const int cycles = soakCycles();
    // Growth is measured from here, once the caches of the first games are warm.
    const int warm = std::min(100, cycles / 2);
    long warmKb = -1;
    long warmHeapKb = -1;
    long peakKb = 0;
    int fishTotal = 0;
    QElapsedTimer elapsed;
    elapsed.start();

    for (int cycle = 1; cycle <= cycles; ++cycle) {
        SCOPED_TRACE(cycle);
        ASSERT_TRUE(startGame(1 + cycle % 3));
        fishToTheEnd();
        ASSERT_EQ(forms.loadedNames(), QStringList{QStringLiteral("loppu")});
        const QStringList lines = listLines(QStringLiteral("loppu"));
        ASSERT_EQ(lines.size(), state.fish_count);
        fishTotal += state.fish_count;

        const QString name = QStringLiteral("Kalastaja %1").arg(cycle);
        dialogs.answers.push_back(name);
        ASSERT_TRUE(click(QStringLiteral("loppu"), QStringLiteral("Command2")));
        ASSERT_TRUE(click(QStringLiteral("loppu"), QStringLiteral("Command1")));
        ASSERT_EQ(forms.loadedNames(), QStringList{QStringLiteral("menu")});

        QByteArray expected;
        for (const QString& line : lines) {
            expected += line.toLatin1() + "\r\n";
        }
        expected += "N\xE4m\xE4 kalat sai " + name.toLatin1() + "\r\n";
        const QString file = path(QStringLiteral("\\data\\") + name + QStringLiteral(".kal"));
        ASSERT_EQ(readAll(file), expected);
        QFile::remove(file);
        // The test's own logs would otherwise grow with every game and hide what the game does.
        players.clear();
        announcer.said.clear();
        dialogs.questions.clear();

        const long kb = residentKb();
        peakKb = std::max(peakKb, kb);
        if (cycle == warm) {
            warmKb = kb;
            warmHeapKb = heapInUseKb();
        }
        if (cycle % 100 == 0 || cycle == cycles) {
            std::printf("[ soak ] cycle %d: VmRSS %ld kB, heap in use %ld kB, %.1f cycles/s\n",
                        cycle, kb, heapInUseKb(),
                        cycle * 1000.0 / std::max<qint64>(1, elapsed.elapsed()));
        }
    }
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
    EXPECT_GT(fishTotal, 0);

    const long endKb = residentKb();
    const long endHeapKb = heapInUseKb();
    std::printf("[ soak ] %d cycles, %d fish, %.1f s; VmRSS at cycle %d %ld kB, at the end "
                "%ld kB, peak %ld kB; heap in use %ld kB -> %ld kB\n",
                cycles, fishTotal, elapsed.elapsed() / 1000.0, warm, warmKb, endKb, peakKb,
                warmHeapKb, endHeapKb);
    ASSERT_GT(warmKb, 0);
    if (kUnderAddressSanitizer) {
        // Its quarantine holds freed memory back on purpose and its allocator
        // keeps no mallinfo figures; leaks are LeakSanitizer's to catch there.
        return;
    }
    // Keeping something of every closed window grows the live heap by kilobytes
    // a game (Qt's pixmap cache once kept 8.5 kB): allow an eighth of that, plus
    // slack for the allocator's own bookkeeping.
    const long games = cycles - warm;
    const long heapBoundKb = 32 + games;
    EXPECT_LT(endHeapKb - warmHeapKb, heapBoundKb)
        << "live heap grew by " << endHeapKb - warmHeapKb << " kB over " << games << " games";
    EXPECT_LT(endKb - warmKb, 1024 + 2 * games)
        << "resident size grew by " << endKb - warmKb << " kB over " << games << " games";
}
