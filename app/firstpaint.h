#pragma once

class QWidget;

// Start-up timing for `make bench`: with NORPPALA_BENCH_FIRST_PAINT=1 in the
// environment the program prints, at the window's first paint, the
// microseconds since NORPPALA_BENCH_START_NS (the launcher's CLOCK_MONOTONIC
// time in nanoseconds), then ends at once. Without the variable it does nothing.
void watchFirstPaint(QWidget* window);
