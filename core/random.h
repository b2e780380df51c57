#pragma once

#include <QtGlobal>
#include <optional>
#include <random>

// The game's one source of random numbers.
class Random {
public:
    virtual ~Random() = default;
    // Uniform in [0, 1).
    virtual double Rnd() = 0;
    // Reseeds; called once as every game starts.
    virtual void Randomize() = 0;
};

// Int(Rnd × n + c): a uniform whole number from c to c + n − 1, for every Rnd in [0, 1).
int rollInt(Random& random, int n, int c = 0);

// A Mersenne twister. Without a seed, Randomize() reseeds from the wall clock;
// with one, every Randomize() reseeds from that seed and a game counter, so a
// run of games is different game to game and still repeatable.
class MersenneRandom final : public Random {
public:
    explicit MersenneRandom(std::optional<quint32> seed = std::nullopt);
    double Rnd() override;
    void Randomize() override;

private:
    std::optional<quint32> seed_;
    quint32 games_ = 0;
    std::mt19937 engine_;
};
