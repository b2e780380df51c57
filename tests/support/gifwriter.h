#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <optional>
#include <vector>

// Writes small GIF files for tests: every frame a solid block of one of four
// colours, with its own delay, and an optional loop block.
struct TestGif {
    int width = 4;
    int height = 4;
    std::vector<int> frameColours; // index 0..3 into a fixed palette, one per frame
    std::vector<int> delaysMs;     // rounded to hundredths of a second
    std::optional<int> loopCount;  // none: no loop block; 0: for ever; N: N repeats

    QByteArray bytes() const;
    bool save(const QString& path) const;
};
