#pragma once

#include <QString>

// Reports a file the game could not use on stderr, once per path for the whole
// run, so a missing picture that is reloaded every 100 ms does not flood the log.
void reportFileProblemOnce(const QString& path, const QString& problem);
