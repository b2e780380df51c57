#include "game/pictures.h"

namespace picture {

QString of(Angler angler) {
    switch (angler) {
    case Angler::Waiting:
        return QStringLiteral("\\data\\mies.gif");
    case Angler::Nibble:
        return QStringLiteral("\\data\\mies_kala.gif");
    case Angler::Tapping:
        return QStringLiteral("\\data\\mies_napautus.gif");
    case Angler::Lifting:
        return QStringLiteral("\\data\\mies_nosto.gif");
    case Angler::Lowering:
        return QStringLiteral("\\data\\mies_lasku.gif");
    }
    return QString();
}

QString ofBait(std::optional<Worm> worm) {
    if (!worm) {
        return QStringLiteral("\\data\\mato_dis.gif");
    }
    switch (*worm) {
    case Worm::Whole:
        return QStringLiteral("\\data\\koho3.gif");
    case Worm::Half:
        return QStringLiteral("\\data\\koho2.gif");
    case Worm::Eaten:
        return QStringLiteral("\\data\\koho1.gif");
    }
    return QString();
}

QString of(const Fish& fish) {
    const bool perch = fish.species == Species::Perch;
    switch (fish.size) {
    case FishSize::Small:
        return perch ? QStringLiteral("\\data\\ahven_pieni.gif")
                     : QStringLiteral("\\data\\hauki_pieni.gif");
    case FishSize::Medium:
        return perch ? QStringLiteral("\\data\\ahven_keski.gif")
                     : QStringLiteral("\\data\\hauki_keski.gif");
    case FishSize::Large:
        return perch ? QStringLiteral("\\data\\ahven_iso.gif")
                     : QStringLiteral("\\data\\hauki_iso.gif");
    case FishSize::None:
        // Only a pike is ever without a class: a perch always has one.
        return perch ? QStringLiteral("\\data\\ahven.gif") : QStringLiteral("\\data\\hauki.gif");
    }
    return QString();
}

} // namespace picture
