#include "core/fishinggame.h"

#include <algorithm>
#include <cstdlib>

namespace fishing {

int spotBonus(int spotChoice) {
    switch (spotChoice) {
    case 3:
        return 2000;
    case 2:
        return 1000;
    default:
        return 0;
    }
}

int bitePeriod(int boatPlace, int hotSpot, int spotBonus) {
    const int distance = std::abs(boatPlace - hotSpot);
    if (distance == 1) {
        return 10000 - spotBonus;
    }
    if (distance == 0) {
        return 5000 - spotBonus;
    }
    return 20000 - spotBonus;
}

int tappedPeriod(int period) {
    // The floor keeps the bite clock running: a period of 0 would stop it.
    return std::max(period - 100, std::min(period, kShortestTappedPeriod));
}

std::optional<NibbleSize> nibbleOf(int biteRoll) {
    if (biteRoll >= 0 && biteRoll <= 3) {
        return NibbleSize::Small;
    }
    if (biteRoll >= 4 && biteRoll <= 6) {
        return NibbleSize::Medium;
    }
    if (biteRoll == 7 || biteRoll == 8) {
        return NibbleSize::Large;
    }
    return std::nullopt;
}

int nibbleLength(NibbleSize size) {
    switch (size) {
    case NibbleSize::Small:
        return 1200;
    case NibbleSize::Medium:
        return 1800;
    case NibbleSize::Large:
        return 2500;
    }
    return 0;
}

int wearDraws(NibbleSize size) {
    switch (size) {
    case NibbleSize::Small:
        return 5;
    case NibbleSize::Medium:
        return 3;
    case NibbleSize::Large:
        return 2;
    }
    return 0;
}

Worm wormAfterWear(int n) {
    if (n == 0) {
        return Worm::Eaten;
    }
    if (n == 1) {
        return Worm::Half;
    }
    return Worm::Whole;
}

Species speciesOf(int weight) {
    return weight < kLightestPike ? Species::Perch : Species::Pike;
}

bool canLand(QStringView species, int grams) {
    if (grams < kLightestFish || grams > kHeaviestFish) {
        return false;
    }
    return species.compare(speciesName(speciesOf(grams)), Qt::CaseInsensitive) == 0;
}

std::optional<FishSize> sizeClassOf(int weight) {
    if (weight < 400) {
        return FishSize::Small;
    }
    if (weight < 600) {
        return FishSize::Medium;
    }
    if (weight < 800) {
        return FishSize::Large;
    }
    if (weight < 1100) {
        return FishSize::Small;
    }
    if (weight < 1400) {
        return FishSize::Medium;
    }
    if (weight >= 1800) {
        return FishSize::Large;
    }
    return std::nullopt;
}

QString speciesName(Species species) {
    return species == Species::Perch ? QStringLiteral("ahven") : QStringLiteral("hauki");
}

} // namespace fishing
