#pragma once

#include "platform/form.h"

#include <QHash>
#include <array>
#include <optional>

class CaptionStrip;
class Captions;
class FishingGame;
class Kelmo;
class Label;
class Line;
class QKeyEvent;
class QListWidget;
class QPushButton;
class SoundPlayer;
struct Module1;
enum class Action;
enum class Angler;
enum class Worm;
struct Fish;

// How a game on the game screen ended: its three minutes ran out, or the
// player left it with "Lopeta".
enum class GameEnd { TimeUp, Quit };

// The game screen: shows a game of fishing (FishingGame) and forwards the
// player's clicks and keys to it. It decides no rule and keeps no game state.
class Peli : public Form {
    Q_OBJECT
public:
    // The client area, in design pixels.
    static constexpr QSize kDesignSize{362, 401};

    Peli(Forms& forms, Module1& state);
    ~Peli() override;

    FishingGame& game() const { return *game_; }
    // The game in words, shown over the bottom of the lake while the player has captions on.
    Captions& captions() const { return *captions_; }
    // The button that takes an action.
    QPushButton* button(Action action) const;
    // The angler, the worm and the clock in words, as they are now.
    QString spokenName(const QWidget* control) const override;

signals:
    void ended(GameEnd end);

protected:
    void load() override;
    void activate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A game whose window is minimised or left pauses by itself.
    void changeEvent(QEvent* event) override;

private:
    // Plays a key as a click on its button; true if the key belongs to the game.
    bool playKey(const QKeyEvent& key);
    QString data(const QString& gamePath) const;

    void showAngler(Angler angler, bool once);
    void showBait(std::optional<Worm> worm);
    void showActions();
    void showBoat();
    void showClock();
    void showRisingFish(const Fish& fish);
    void showLandedFish(int row);
    void showRipple(int x, int y);
    void sayLine(int line);
    void showPause(bool paused);
    void startMusic();
    // Whether the window opened only a moment ago.
    bool justOpened() const;
    void showSound();
    void showCaptions();
    void fishHooked();
    // Plays the nibble cue's clip, when the player has it on.
    void cue(const QString& clip);
    // Tells a screen reader, if one listens, what `words()` returns.
    template <typename Words> void say(Words&& words);
    // The angler's name for a screen reader: what he is doing now.
    QString anglerText() const;
    QString wormText() const;
    QString clockText() const;
    // Where the fish stands on the screen at the game's depth below the boat.
    float fishTop() const;

    Module1& state_;
    FishingGame* game_;
    Captions* captions_;
    mutable QHash<QString, QString> dataPaths_;

    Kelmo* vesi;
    Kelmo* va;
    Kelmo* kala;
    Kelmo* vene;
    Kelmo* mies;
    Kelmo* mato;

    Label* Label1;
    Label* Label2;
    Label* Label3;
    Label* Label4;
    Label* Label5;
    Label* Label6;
    Label* Label7;
    Line* Line1;
    Line* Line2;
    Line* Line3;

    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command5;
    QPushButton* Command6;
    // The buttons of the player's actions, in the order of the action table.
    std::array<QPushButton*, 6> actionButtons_{};
    QListWidget* List1;
    Label* tauko;
    // "Äänet pois" in the corner while the sound is muted.
    Label* aanet;
    // The angler's last animation has played to its end.
    bool anglerResting_ = false;
    CaptionStrip* tekstitys;
    bool wasActive_ = false;
    // When the window first became active, on the program's clock.
    std::optional<qint64> activatedAt_;
    bool musicStarted_ = false;

    SoundPlayer* Rumpa1;
    // The nibble cue's own player, made at its first sound.
    SoundPlayer* merkki_ = nullptr;
};
