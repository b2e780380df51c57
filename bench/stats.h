#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace bench {

// Median of a sample; 0 for an empty one.
inline double median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Nearest-rank percentile (p in 0..100): the smallest value that at least p %
// of the sample does not exceed. 0 for an empty sample.
inline double percentile(std::vector<double> values, double p) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const double rank = std::ceil(p / 100.0 * static_cast<double>(values.size()));
    const std::size_t index =
        static_cast<std::size_t>(std::clamp(rank, 1.0, static_cast<double>(values.size()))) - 1;
    return values[index];
}

// How well a periodic timer kept time: tick times in microseconds since it
// was started, against the ideal schedule k × interval over the run.
struct TickReport {
    int ticks = 0;
    int expected = 0;
    int lost = 0;
    // Lateness of the last tick against its ideal time (negative: early).
    double lastLatenessMs = 0;
    double medianStepMs = 0;
    double p99StepMs = 0;
    double worstStepMs = 0;
};

inline TickReport analyseTicks(const std::vector<std::int64_t>& ticksUs, int intervalMs,
                               std::int64_t runMs) {
    TickReport report;
    report.ticks = static_cast<int>(ticksUs.size());
    report.expected = intervalMs > 0 ? static_cast<int>(runMs / intervalMs) : 0;
    report.lost = std::max(0, report.expected - report.ticks);
    if (ticksUs.empty()) {
        return report;
    }
    const double idealLastUs = static_cast<double>(report.ticks) * intervalMs * 1000.0;
    report.lastLatenessMs = (static_cast<double>(ticksUs.back()) - idealLastUs) / 1000.0;
    std::vector<double> steps;
    std::int64_t previous = 0;
    for (std::int64_t at : ticksUs) {
        steps.push_back(static_cast<double>(at - previous) / 1000.0);
        previous = at;
    }
    report.medianStepMs = median(steps);
    report.p99StepMs = percentile(steps, 99);
    report.worstStepMs = *std::max_element(steps.begin(), steps.end());
    return report;
}

} // namespace bench
