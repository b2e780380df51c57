#include "platform/report.h"

#include <QSet>
#include <cstdio>
#include <mutex>

void reportFileProblemOnce(const QString& path, const QString& problem) {
    // Called from the GUI thread (pictures) and the sound worker (music and clips).
    static std::mutex guard;
    static QSet<QString> reported;
    const std::lock_guard lock(guard);
    if (reported.contains(path)) {
        return;
    }
    reported.insert(path);
    std::fprintf(stderr, "norppala: %s: %s\n", qPrintable(problem), qPrintable(path));
}
