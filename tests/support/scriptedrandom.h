#pragma once

#include "core/random.h"

#include <deque>

// Random numbers from a script. roll(5, 11) makes the next Int(Rnd × 11) come out
// as 5. Once the script runs out it goes on with a fixed-seed generator, so draws
// a test does not care about stay repeatable.
class ScriptedRandom final : public Random {
public:
    explicit ScriptedRandom(quint32 seed = 1) : fallback_(seed) {}
    double Rnd() override;
    void Randomize() override;

    void push(double value) { script_.push_back(value); }
    void roll(int value, int of) { push((value + 0.5) / of); }
    int pending() const { return static_cast<int>(script_.size()); }
    int reseeds() const { return reseeds_; }
    int draws() const { return draws_; }

private:
    std::deque<double> script_;
    MersenneRandom fallback_;
    int reseeds_ = 0;
    int draws_ = 0;
};
