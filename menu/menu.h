#pragma once

#include "platform/form.h"

class Label;
class Line;
class QLabel;
class SoundPlayer;
struct Module1;

// The main menu: greets the player, states the task and offers four items that
// light up red under the mouse. It plays the menu music while it is the active
// program window.
class Menu : public Form {
    Q_OBJECT
public:
    Menu(Forms& forms, Module1& state);

public slots:
    void on_Label2_clicked();
    void on_Label3_clicked();
    void on_Label6_clicked();
    void on_Label5_clicked();

protected:
    void activate() override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void highlight(Label* item);

    QLabel* Image1;
    Label* Label1;
    Line* Line1;
    Line* Line2;
    Label* Label2;
    Label* Label3;
    Label* Label6;
    Label* Label5;
    Label* Label4;
    SoundPlayer* Rumpa1;
};
