#include "support/scriptedrandom.h"

double ScriptedRandom::Rnd() {
    ++draws_;
    if (!script_.empty()) {
        const double value = script_.front();
        script_.pop_front();
        return value;
    }
    return fallback_.Rnd();
}

void ScriptedRandom::Randomize() {
    ++reseeds_;
    fallback_.Randomize();
}
