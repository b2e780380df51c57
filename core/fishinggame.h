#pragma once

#include "core/clock.h"

#include <QObject>
#include <QString>
#include <QtGlobal>
#include <array>

// The rules of the game: how long things take, the bite clock's period, the
// nibble classes, the worm's wear and the size class of a drawn fish.
namespace fishing {

// A game lasts three minutes of its one-second clock.
inline constexpr int kClockTick = 1000;
inline constexpr int kGameSeconds = 180;
// The bite clock's period until the boat first moves.
inline constexpr int kFirstBitePeriod = 5000;
// A ripple spreads on the water every ten seconds, and the angler mutters a line every eight.
inline constexpr int kRippleEvery = 10000;
inline constexpr int kChatterEvery = 8000;
// Changing the worm takes five seconds.
inline constexpr int kWormChange = 5000;
// A hooked fish rises one step every tenth of a second.
inline constexpr int kRiseStep = 100;

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
// How long a nibble of a class lasts: until it ends the fish can be struck.
int nibbleLength(Nibble nibble);
// How many outcomes the worm's wear is drawn from for a class (0 for no nibble).
int wearDraws(Nibble nibble);
// The worm after a nibble whose wear draw came out as n.
QString kohoAfterWear(int n);

// Species and size suffix by weight. A pike of 1400..1799 g has no size class of
// its own, so its suffix is left as it was.
void classify(int weight, QString& species, QString& size);

// The game path of a fish's picture, such as "\data\hauki_iso.gif".
QString fishPicture(const QString& species, const QString& size);

} // namespace fishing

class Random;
class Timer;
struct Module1;

// How the rod stands: line in the water (the fish can bite), line up (the boat
// can be rowed and the bait is shown), or up with the worm being changed.
enum class Rod { InWater, Up, ChangingWorm };

// What the angler is doing, as his picture shows it.
enum class Angler { Waiting, Nibble, Tapping, Lifting, Lowering };

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
// It runs its timers on the injected clock and draws from the injected random
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

    Rod rod() const { return rod_; }
    Angler angler() const { return angler_; }
    Actions actions() const;
    // "Nosta!" while the line is in the water, "Laske!" while it is up.
    QString liftCaption() const;
    bool running() const { return running_; }

    // The bite clock's period in milliseconds (0: no fish bites until the boat moves).
    int bitePeriod() const { return bitePeriod_; }
    // Whether a nibble of that class is going on: the fish can be struck until it ends.
    bool nibbleOpen(fishing::Nibble nibble) const;
    bool anyNibbleOpen() const;
    // When the bite clock ticks next, and when an open nibble of that class
    // ends (virtual time, -1 when not running).
    qint64 nextBite() const;
    qint64 nibbleEnds(fishing::Nibble nibble) const;
    // A hooked fish on its way up to the boat.
    bool fishRising() const;
    // How far the rising (or waiting) fish is below the boat's landing line, in
    // lake pixels; it lands once it is above the line.
    int fishDepth() const { return fishDepth_; }
    // The boat's top edge on the lake, in pixels.
    int boatTop() const { return boatTop_; }
    // The bait shown while the line is up: "\data\koho3.gif" and so on.
    QString baitPicture() const { return baitPicture_; }

    // The game's variables, by the names the game has always used for them.
    QString fish_species;
    QString fish_size;
    qint16 fish_weight = 0;
    QString fish_picture;
    bool fish_hooked = false;
    qint16 bite_roll = 0;
    QString koho_state;
    qint16 hotspot_pos = 0;
    qint16 boat_pos = 0;
    qint16 clock_minutes = 0;
    qint16 clock_seconds = 0;
    qint16 spot_bonus = 0;
    bool line_in_water() const { return rod_ == Rod::InWater; }

    // The hook decision after a nibble: the more worn the worm, the less likely
    // the fish is hooked.
    void set_mato();
    // Draws the fish on the hook and starts it rising to the boat.
    void tarkista_kala();

    // The game path of the angler's picture when he does that.
    static QString anglerPicture(Angler angler);

    // What each of the game's timers does when it ticks. The timers call them;
    // a simulation may call one directly.
    void on_aika_timeout();
    void on_Timer1_timeout();
    void on_pieni_timeout() { closeNibbleWindow(pieni); }
    void on_keski_timeout() { closeNibbleWindow(keski); }
    void on_iso_timeout() { closeNibbleWindow(iso); }
    void on_kala_nousee_timeout();
    void on_vaihto_timeout();
    void on_fish_timeout();
    void on_sano_timeout();

signals:
    // The angler's picture changes; `once` asks to play it through one time.
    void anglerChanged(Angler angler, bool once);
    // The bait box shows another picture.
    void baitChanged(const QString& picture);
    void actionsChanged();
    // The boat moved or was stopped at an edge; the waiting fish lies under it again.
    void boatMoved();
    void clockChanged();
    // A fish took the hook as the line was lifted and starts rising to the boat.
    void fishHooked();
    // The hooked fish rose one step (it shows `fish_picture` at `fishDepth()`).
    void fishRose();
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
    // The timer that closes a nibble of that class (none for no nibble).
    Timer* nibbleWindow(fishing::Nibble nibble) const;
    // One boat step up (-1) or down (+1) the lake.
    void row(int direction);
    void closeNibbleWindow(Timer* window);
    void setAngler(Angler angler, bool once);
    void setBait(const QString& picture);
    void setRod(Rod rod);
    void moveBoat(int top);
    void stop();

    PausableClock gameClock_;
    Random& random_;
    Module1& shared_;

    Rod rod_ = Rod::InWater;
    Angler angler_ = Angler::Waiting;
    bool running_ = false;
    int bitePeriod_ = fishing::kFirstBitePeriod;
    int boatTop_ = kTopLimit;
    int fishDepth_ = kFirstDepth;
    QString baitPicture_;

    // Ticks that fall due at the same moment fire in the order their countdowns were
    // started (the clock's rule), not in the order the timers are created in.
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
