#include "platform/report.h"

#include <QSet>
#include <cstdio>

void reportFileProblemOnce(const QString& path, const QString& problem) {
    static QSet<QString> reported;
    if (reported.contains(path)) {
        return;
    }
    reported.insert(path);
    std::fprintf(stderr, "norppala: %s: %s\n", qPrintable(problem), qPrintable(path));
}
