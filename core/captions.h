#pragma once

#include "core/fishinggame.h"

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

// What a caption tells, from the most to the least pressing (see Captions::showing()).
enum class CaptionKind {
    Paused,
    TimeUp,
    Missed,
    Hint,
    Nibble,
    BareHook,
    Hooked,
    Landed,
    TenSeconds,
    Resumed,
    WormChange,
    WormReady,
    Fastest,
    Chatter,
};

// One caption: its words (a line break starts a line of its own), when it
// appeared and until when it shows, on the game's time (-1: for as long as
// what it tells lasts).
struct Caption {
    CaptionKind kind;
    QString text;
    qint64 at = 0;
    qint64 until = -1;
    bool operator==(const Caption&) const = default;
};

// The game in words for a player who cannot hear it or would rather read it:
// the nibble, the hook, the catch, why a lift came up empty, the worm change,
// the pause and the last seconds, the angler's muttering, and in a player's
// first game three hints. It listens to the game's own signals and nothing
// else, so what it shows follows from what happened. Switched off it stops
// listening and works out no words at all.
class Captions : public QObject {
    Q_OBJECT
public:
    // The angler's line N (1..15) in words; empty if it has none.
    using ChatterText = std::function<QString(int line)>;
    // How long line N shows, in milliseconds.
    using ChatterLength = std::function<int(int line)>;

    // How long news shows, in milliseconds.
    static constexpr int kNewsShows = 4000;
    static constexpr int kMissShows = 5000;
    static constexpr int kHintShows = 6000;
    static constexpr int kChatterShows = 4000;
    static constexpr int kBriefShows = 2000;
    // The hint to go looking for the best spot comes after a minute without rowing.
    static constexpr int kStillSeconds = 60;

    explicit Captions(FishingGame& game, QObject* parent = nullptr);

    // Where the angler's lines come from; without a source he says nothing in words.
    void setChatterText(ChatterText text, ChatterLength length = {});

    bool on() const { return on_; }
    // Turned on, it shows what is going on right then and follows the game.
    void setOn(bool on);
    // Whether this game gives the first-game hints, each once.
    void setHints(bool on) { hints_ = on; }

    // The captions showing now, the most pressing first (of equal weight, the newest).
    QList<Caption> showing() const;

    // The species as a caption names it ("hauki"; in English "pike (hauki)").
    static QString speciesText(Species species);
    // The same for a species as the catch list names it ("hauki", "ahven").
    static QString speciesText(const QString& listed);

signals:
    // A caption appeared (or its words changed, as the worm change counts down).
    void posted(const Caption& caption);
    // What showing() returns changed.
    void changed();

private:
    void post(CaptionKind kind, const QString& text, qint64 lasts = -1);
    void drop(CaptionKind kind);
    // Drops what has shown its time; called on every event and clock second.
    void expire();
    void hint(int which, const QString& text, qint64 lasts = kHintShows);
    QString wormChangeText() const;

    void onAngler(Angler angler);
    void onMissed(Miss why);
    void onBait(const std::optional<Worm>& worm);
    void onClock();

    FishingGame& game_;
    ChatterText chatterText_;
    ChatterLength chatterLength_;
    bool on_ = false;
    bool hints_ = false;
    // Which of the three hints were given.
    bool hinted_[3] = {false, false, false};
    // The hint to lift shows, for as long as its nibble does.
    bool liftHintShowing_ = false;
    // The bite clock already ran at its fastest at the last tap.
    bool fastest_ = false;
    bool changingWorm_ = false;
    // The game second of the last boat step (or of switching on).
    int stillSince_ = 0;
    QList<Caption> captions_;
    QList<QMetaObject::Connection> listening_;
};
