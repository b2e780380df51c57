#pragma once

#include "platform/form.h"

class Label;
class Line;
class QPushButton;

// Who made the game, opened beside the main menu.
class Credits : public Form {
    Q_OBJECT
public:
    explicit Credits(Forms& forms);

public slots:
    void on_Command1_clicked();

signals:
    // "Pois": the player is done with the window.
    void closed();

private:
    Label* Label1_0;
    Label* Label2;
    Label* Label3;
    Line* Line1;
    Label* Label4;
    Label* Label1_1;
    QPushButton* Command1;
};
