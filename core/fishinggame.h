#pragma once

#include "core/clock.h"

#include <QObject>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

// A game of fishing: its things, its rules and the game itself.

// How the rod stands: line in the water (the fish can bite), line up (the boat
// can be rowed and the bait is shown), or up with the worm being changed.
enum class Rod { InWater, Up, ChangingWorm };

// What the angler is doing, as his picture shows it.
enum class Angler { Waiting, Nibble, Tapping, Lifting, Lowering };

// The worm on the hook. Every nibble wears it; eaten to the bone, it tempts no fish.
enum class Worm { Whole, Half, Eaten };

// The three sizes of nibble: each lasts its own time and wears the worm its own way.
enum class NibbleSize { Small, Medium, Large };

enum class Species { Perch, Pike };

// A fish's size class by its weight. A pike of 1400..1799 g has no class of its
// own: it takes the class of a fish still rising when it is struck, else none.
enum class FishSize { None, Small, Medium, Large };

// Why a lift of the line brought up no fish: no nibble since the line went
// down, the fish let go (a nibble ended), the worn worm did not hook the fish
// that nibbled, or the catch is full.
enum class Miss { NoNibble, LetGo, NotHooked, CatchFull };

// A fish, drawn as it is struck.
struct Fish {
    Species species;
    FishSize size;
    int weight; // grams
    bool operator==(const Fish&) const = default;
};

// A nibble going on: the fish tugs at the worm until `ends` (the game's time),
// and a lift before then strikes it if it is `hooked`.
struct Nibble {
    NibbleSize size;
    qint64 ends;
    bool hooked;
    bool operator==(const Nibble&) const = default;
};

// The rules of the game: how long things take, the bite clock's period, the
// nibbles, the worm's wear and the fish a weight makes.
namespace fishing {

// A game lasts three minutes of its one-second clock.
inline constexpr int kClockTick = 1000;
inline constexpr int kGameSeconds = 180;
// The bite clock's period until the boat first moves.
inline constexpr int kFirstBitePeriod = 5000;
// A ripple spreads on the water every ten seconds, and the angler mutters one
// of his fifteen lines every eight.
inline constexpr int kRippleEvery = 10000;
inline constexpr int kChatterEvery = 8000;
inline constexpr int kChatterLines = 15;
// Changing the worm takes five seconds.
inline constexpr int kWormChange = 5000;
// A hooked fish rises one step every tenth of a second.
inline constexpr int kRiseStep = 100;
// A fish weighs 100 to 2099 g, every weight as likely as another.
inline constexpr int kLightestFish = 100;
inline constexpr int kFishWeights = 2000;
inline constexpr int kHeaviestFish = kLightestFish + kFishWeights - 1;
// Below this weight a fish is a perch, from it on a pike.
inline constexpr int kLightestPike = 800;
// The hot spot lies at one of the boat's first nine places down the lake.
inline constexpr int kHotSpotPlaces = 9;

// Time the chosen spot takes off every bite-clock period: spot 3 is the richest.
int spotBonus(int spotChoice);

// The bite clock's period after a boat step: shortest at the hot spot, longer
// beside it and longest elsewhere.
int bitePeriod(int boatPlace, int hotSpot, int spotBonus);

// A tap of the rod shortens the period by 100 ms, but never below 100 ms, so
// however often the rod is tapped the fish keep biting.
inline constexpr int kShortestTappedPeriod = 100;
int tappedPeriod(int period);

// The nibble a bite roll brings: 0..3 small, 4..6 medium, 7..8 large, else none.
std::optional<NibbleSize> nibbleOf(int biteRoll);
// How long a nibble lasts: until it ends the fish can be struck.
int nibbleLength(NibbleSize size);
// How many outcomes the worm's wear is drawn from for a nibble of that size.
int wearDraws(NibbleSize size);
// The worm after a nibble whose wear draw came out as n.
Worm wormAfterWear(int n);

Species speciesOf(int weight);
// The size class of a weight; none for a pike of 1400..1799 g.
std::optional<FishSize> sizeClassOf(int weight);
// The species as the catch lines name it: "ahven" or "hauki".
QString speciesName(Species species);
// Whether a strike can land a fish of that species ("ahven" or "hauki", letters
// of either case) and weight.
bool canLand(QStringView species, int grams);

} // namespace fishing

class Random;
class Timer;
struct Module1;

// Everything a player can do during a game.
enum class Action { RowUp, RowDown, TapRod, LiftOrLower, ChangeWorm, Quit };

// Which actions the player can take now.
struct Actions {
    bool rowUp = false;
    bool rowDown = false;
    bool tapRod = false;
    bool liftOrLower = false;
    bool changeWorm = false;
    bool quit = true;

    bool allows(Action action) const;
    bool operator==(const Actions&) const = default;
};

// One game of fishing, from the first second to the last, without a window.
// It waits on timers of the injected clock and draws from the injected random
// source; a window shows it through the signals and forwards the player's
// actions to the methods below. The catch goes straight into the shared record
// (`Module1`), which the results screen reads.
class FishingGame : public QObject {
    Q_OBJECT
public:
    // The boat's top edge may not go above 16 or below 192 pixels on the lake.
    static constexpr int kTopLimit = 16;
    static constexpr int kBottomLimit = 192;
    static constexpr int kBoatStep = 20;
    static constexpr int kRisePerStep = 15;
    // Where a waiting fish lies below the landing line, and where the very first
    // fish of a game starts from (the fish picture's place before the boat moves).
    static constexpr int kRestDepth = 60;
    static constexpr int kFirstDepth = 51;

    FishingGame(Clock& clock, Random& random, Module1& shared, QObject* parent = nullptr);
    ~FishingGame() override;

    // Starts a new game at the spot chosen in the shared record: an empty catch,
    // the clock at 0:00, a whole worm in the water, the boat at the top of the
    // lake and a hot spot drawn somewhere on it.
    void start();

    // The player's actions. One the player cannot take now does nothing.
    void rowUp();
    void rowDown();
    void tapRod();
    void liftOrLower();
    void changeWorm();
    void quit();
    void act(Action action);

    // A paused game stands still: its clock, every countdown, the rising fish
    // and the chatter. Only quitting works until it is resumed, and it then goes
    // on exactly as if it had never stopped.
    void pause();
    void resume();
    void togglePause();
    bool paused() const { return gameClock_.paused(); }

    // The game's own time, which stands still while the game is paused. The
    // game screen's pictures animate on it too.
    Clock& clock() { return gameClock_; }

    // The shared record the catch goes into.
    const Module1& shared() const { return shared_; }

    bool running() const { return running_; }
    Actions actions() const;
    // "Nosta!" while the line is in the water, "Laske!" while it is up.
    QString liftCaption() const;

    // Whole seconds the game has run, counted by its clock; it ends at 180.
    int elapsedSeconds() const { return elapsed_; }

    Rod rod() const { return rod_; }
    bool lineInWater() const { return rod_ == Rod::InWater; }
    Angler angler() const { return angler_; }
    Worm worm() const { return worm_; }

    // The bite clock's period in milliseconds, and when it ticks next (the
    // game's time, -1 while the line is up or the game is over).
    int bitePeriod() const { return bitePeriod_; }
    qint64 nextBite() const;
    // When the worm being changed is on the hook (the game's time), -1 if none is.
    qint64 wormChangeEnds() const;
    // The nibble going on, if any. When taps make the bite clock faster than a
    // nibble lasts, nibbles of different sizes overlap: this is the latest one
    // still going on, and the end of any of them unhooks the fish.
    std::optional<Nibble> nibble() const;

    // A struck fish on its way up to the boat.
    const std::optional<Fish>& risingFish() const { return risingFish_; }
    // How far the rising (or waiting) fish is below the boat's landing line, in
    // lake pixels; it lands once it is above the line.
    int fishDepth() const { return fishDepth_; }

    // The boat's top edge on the lake, in pixels, and its place counted in
    // steps down from the top.
    int boatTop() const { return boatTop_; }
    int boatPlace() const { return boatPlace_; }
    // The boat's place where the fish bite best, drawn as the game starts.
    int hotSpot() const { return hotSpot_; }
    // What the chosen spot takes off every bite-clock period, in milliseconds.
    int spotBonus() const { return spotBonus_; }

signals:
    // The angler's picture changes; `once` asks to play it through one time.
    void anglerChanged(Angler angler, bool once);
    // The bait box shows the worm as it is while the line is up, and nothing of
    // it (`worm` empty) while the line is in the water or the worm is changed.
    void baitChanged(std::optional<Worm> worm);
    void actionsChanged();
    // The boat moved or was stopped at an edge; the waiting fish lies under it again.
    void boatMoved();
    // The clock ticked a second on (see elapsedSeconds()).
    void clockChanged();
    // A fish took the hook as the line was lifted and starts rising to the boat.
    void fishHooked(const Fish& fish);
    // The line was lifted and no fish came with it.
    void liftedEmpty(Miss why);
    // The hooked fish rose one step, to `fishDepth()`.
    void fishRose(const Fish& fish);
    // The fish that rose has landed in row `row` of the catch table.
    void fishLanded(int row);
    // The angler says line N (1..15).
    void chatter(int line);
    // A ripple spreads on the water at (x, y) of the game screen.
    void ripple(int x, int y);
    // Three minutes are up: the game is over.
    void timeUp();
    // The player quit the game.
    void quitted();
    // The game was paused or resumed.
    void pausedChanged(bool paused);

private:
    // The hook decision after a nibble: the more worn the worm, the less likely
    // the fish is hooked.
    void set_mato();
    // Draws the fish on the hook and starts it rising to the boat.
    void tarkista_kala();

    // What each of the game's timers does when it ticks.
    void on_aika_timeout();
    void on_Timer1_timeout();
    void on_pieni_timeout() { endNibble(NibbleSize::Small); }
    void on_keski_timeout() { endNibble(NibbleSize::Medium); }
    void on_iso_timeout() { endNibble(NibbleSize::Large); }
    void on_kala_nousee_timeout();
    void on_vaihto_timeout();
    void on_fish_timeout();
    void on_sano_timeout();

    // The timer that waits out a nibble of that size.
    Timer* nibbleTimer(NibbleSize size) const;
    void startNibble(NibbleSize size);
    void endNibble(NibbleSize size);
    void endAllNibbles();
    // One boat step up (-1) or down (+1) the lake.
    void row(int direction);
    void setAngler(Angler angler, bool once);
    void setRod(Rod rod);
    void moveBoat(int top);
    void stop();

    PausableClock gameClock_;
    Random& random_;
    Module1& shared_;

    bool running_ = false;
    int elapsed_ = 0;
    Rod rod_ = Rod::InWater;
    Angler angler_ = Angler::Waiting;
    Worm worm_ = Worm::Whole;
    int bitePeriod_ = fishing::kFirstBitePeriod;

    // One nibble of each size can go on at a time: when it ends (-1: none), and
    // when it came, counted in nibbles, so the latest can be told.
    struct NibbleGoingOn {
        qint64 ends = -1;
        quint64 came = 0;
    };
    std::array<NibbleGoingOn, 3> nibbles_{};
    quint64 nibblesCome_ = 0;
    // Whether the latest nibble hooked the fish. The end of any nibble, lowering
    // the line and a landing unhook it.
    bool hooked_ = false;
    // Why the fish is not hooked now, should the line be lifted.
    Miss miss_ = Miss::NoNibble;

    std::optional<Fish> risingFish_;
    int fishDepth_ = kFirstDepth;
    int boatTop_ = kTopLimit;
    int boatPlace_ = 0;
    int hotSpot_ = 0;
    int spotBonus_ = 0;

    // How the game waits; none of them holds a fact of the game. Ticks that fall
    // due at the same moment fire in the order their countdowns were started
    // (the clock's rule), not in the order the timers are created in.
    Timer* Timer1;
    Timer* pieni;
    Timer* keski;
    Timer* iso;
    Timer* fish;
    Timer* vaihto;
    Timer* kala_nousee;
    Timer* sano;
    Timer* aika;
};
