#pragma once

#include "platform/form.h"

class Kelmo;
class Label;
class Line;
class QComboBox;
class QPushButton;

// How to play: the size classes of both species beside a short help text, and
// the choice of the windows' size.
class Ohje : public Form {
    Q_OBJECT
public:
    explicit Ohje(Forms& forms);

public slots:
    void on_Command1_clicked();

signals:
    // "Pois": the player is done with the window.
    void closed();

private:
    Label* Label1;
    Label* Label2;
    Kelmo* Kelmo1;
    Kelmo* Kelmo2;
    Kelmo* Kelmo3;
    Label* Label3;
    Kelmo* Kelmo4;
    Kelmo* Kelmo5;
    Kelmo* Kelmo6;
    Line* Line1;
    Label* Label4;
    QPushButton* Command1;
    // Asks for the first-game hints in the next game.
    QPushButton* vinkit;
    // The zoom of every window, 1× to 4×.
    Label* kokoteksti;
    QComboBox* koko;
};
