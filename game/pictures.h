#pragma once

#include "core/fishinggame.h"

#include <QString>
#include <optional>

// The one table of the pictures that show a game, by what they show: the angler
// at what he does, the bait box, and every fish by species and size class. The
// names are game paths in the data folder, such as "\data\mies_kala.gif".
namespace picture {

QString of(Angler angler);
// The worm as it is, or the line in the water when the bait box shows no worm.
QString ofBait(std::optional<Worm> worm);
QString of(const Fish& fish);

} // namespace picture
