#include "app/firstpaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

void reportAndExit() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long nowNs = now.tv_sec * 1000000000LL + now.tv_nsec;
    const char* start = std::getenv("NORPPALA_BENCH_START_NS");
    const long long startNs = start ? std::atoll(start) : nowNs;
    std::printf("first_paint_us %lld\n", (nowNs - startNs) / 1000);
    std::fflush(stdout);
    std::_Exit(0);
}

class FirstPaint final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            // Report once the whole frame, controls included, has been drawn and flushed.
            watched->removeEventFilter(this);
            QTimer::singleShot(0, &reportAndExit);
        }
        return false;
    }
};

} // namespace

void watchFirstPaint(QWidget* window) {
    if (!window || qEnvironmentVariable("NORPPALA_BENCH_FIRST_PAINT") != QStringLiteral("1")) {
        return;
    }
    window->installEventFilter(new FirstPaint(window));
}
