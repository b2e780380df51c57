#pragma once

#include "platform/form.h"

class Kelmo;
class Label;
class Line;
class QKeyEvent;
class QListWidget;
class QPushButton;
class SoundPlayer;
class Timer;
struct Module1;

// The game screen: three minutes of fishing from a rowing boat. Its timers are
// the game's main loop; everything it remembers between handlers lives in
// Module1 and in its own controls.
class Peli : public Form {
    Q_OBJECT
public:
    Peli(Forms& forms, Module1& state);

    // The hook decision after a nibble: the more worn the worm, the less likely
    // the fish is hooked.
    void set_mato();
    // Draws the fish on the hook and starts it rising to the boat.
    void tarkista_kala();

public slots:
    void on_Command1_clicked();
    void on_Command2_clicked();
    void on_Command3_clicked();
    void on_Command4_clicked();
    void on_Command5_clicked();
    void on_Command6_clicked();
    void on_aika_timeout();
    void on_Timer1_timeout();
    void on_pieni_timeout();
    void on_keski_timeout();
    void on_iso_timeout();
    void on_fish_timeout();
    void on_va_AnimationDone();
    void on_vaihto_timeout();
    void on_kala_nousee_timeout();
    void on_sano_timeout();

protected:
    void load() override;
    void activate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Plays a key as a click on its button; true if the key belongs to the game.
    bool playKey(const QKeyEvent& key);
    QString data(const QString& gamePath) const;
    void animateAngler(const QString& gamePath);
    void closeNibbleWindow(Timer* window);
    void placeWaterAndFish();
    void setBitePeriod();

    Module1& state;

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
    QListWidget* List1;

    Timer* Timer1;
    Timer* pieni;
    Timer* keski;
    Timer* iso;
    Timer* fish;
    Timer* vaihto;
    Timer* kala_nousee;
    Timer* sano;
    Timer* aika;

    SoundPlayer* Rumpa1;
};
