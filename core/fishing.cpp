#include "core/fishing.h"

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

int bitePeriod(int boatPos, int hotspotPos, int spotBonus) {
    const int distance = std::abs(boatPos - hotspotPos);
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

Nibble nibbleOf(int biteRoll) {
    if (biteRoll >= 0 && biteRoll <= 3) {
        return Nibble::Small;
    }
    if (biteRoll >= 4 && biteRoll <= 6) {
        return Nibble::Medium;
    }
    if (biteRoll == 7 || biteRoll == 8) {
        return Nibble::Large;
    }
    return Nibble::None;
}

int wearDraws(Nibble nibble) {
    switch (nibble) {
    case Nibble::Small:
        return 5;
    case Nibble::Medium:
        return 3;
    case Nibble::Large:
        return 2;
    case Nibble::None:
        break;
    }
    return 0;
}

QString kohoAfterWear(int n) {
    if (n == 0) {
        return QStringLiteral("koho1");
    }
    if (n == 1) {
        return QStringLiteral("koho2");
    }
    return QStringLiteral("koho3");
}

bool canLand(QStringView species, int grams) {
    if (grams < kLightestFish || grams > kHeaviestFish) {
        return false;
    }
    return species.compare(grams < kLightestPike ? u"ahven" : u"hauki", Qt::CaseInsensitive) == 0;
}

void classify(int weight, QString& species, QString& size) {
    species = weight < kLightestPike ? QStringLiteral("ahven") : QStringLiteral("hauki");
    if (weight < 400) {
        size = QStringLiteral("_pieni");
    } else if (weight < 600) {
        size = QStringLiteral("_keski");
    } else if (weight < 800) {
        size = QStringLiteral("_iso");
    } else if (weight < 1100) {
        size = QStringLiteral("_pieni");
    } else if (weight < 1400) {
        size = QStringLiteral("_keski");
    } else if (weight >= 1800) {
        size = QStringLiteral("_iso");
    }
}

QString fishPicture(const QString& species, const QString& size) {
    return QStringLiteral("\\data\\") + species + size + QStringLiteral(".gif");
}

} // namespace fishing
