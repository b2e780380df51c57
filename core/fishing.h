#pragma once

#include <QString>

// The fishing rules that need no window: the bite clock's period, the nibble
// classes, the worm's wear and the size class of a drawn fish.
namespace fishing {

// Time the chosen spot takes off every bite-clock period: spot 3 is the richest.
int spotBonus(int spotChoice);

// The bite clock's period after a boat step: shortest at the hot spot, longer
// beside it and longest elsewhere.
int bitePeriod(int boatPos, int hotspotPos, int spotBonus);

// A tap of the rod shortens the period by 100 ms, but never below 100 ms, so
// however often the rod is tapped the fish keep biting.
inline constexpr int kShortestTappedPeriod = 100;
int tappedPeriod(int period);

enum class Nibble { None, Small, Medium, Large };

// The nibble class of a bite roll: 0..3 small, 4..6 medium, 7..8 large, else none.
Nibble nibbleOf(int biteRoll);
// How many outcomes the worm's wear is drawn from for a class (0 for no nibble).
int wearDraws(Nibble nibble);
// The worm after a nibble whose wear draw came out as n.
QString kohoAfterWear(int n);

// A strike draws a weight of 100 to 2099 g: a perch below 800 g, a pike from there on.
inline constexpr int kLightestFish = 100;
inline constexpr int kHeaviestFish = 2099;
inline constexpr int kLightestPike = 800;

// Whether a strike can land a fish of that species ("ahven" or "hauki", letters
// of either case) and weight.
bool canLand(QStringView species, int grams);

// Species and size suffix by weight. A pike of 1400..1799 g has no size class of
// its own, so its suffix is left as it was.
void classify(int weight, QString& species, QString& size);

// The game path of a fish's picture, such as "\data\hauki_iso.gif".
QString fishPicture(const QString& species, const QString& size);

} // namespace fishing
