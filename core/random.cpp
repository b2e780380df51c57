#include "core/random.h"

#include <chrono>
#include <cmath>

int rollInt(Random& random, int n, int c) {
    // The constant is added after rounding down: Rnd × n stays below n for every
    // Rnd below 1, but Rnd × n + c can round up to c + n in floating point (the
    // largest Rnd made a 2100 g fish out of Int(Rnd × 2000 + 100)).
    return static_cast<int>(std::floor(random.Rnd() * n)) + c;
}

MersenneRandom::MersenneRandom(std::optional<quint32> seed) : seed_(seed) {
    engine_.seed(seed.value_or(5489u));
}

double MersenneRandom::Rnd() {
    // 53 random bits, so the value is strictly below 1.
    const quint64 high = engine_() >> 5;
    const quint64 low = engine_() >> 6;
    return (static_cast<double>(high) * 67108864.0 + static_cast<double>(low)) / 9007199254740992.0;
}

void MersenneRandom::Randomize() {
    if (seed_) {
        engine_.seed(*seed_ + 7919u * ++games_);
        return;
    }
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    std::seed_seq sequence{static_cast<quint32>(ticks), static_cast<quint32>(ticks >> 32)};
    engine_.seed(sequence);
}
