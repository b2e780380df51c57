#pragma once

#include "platform/form.h"

class Label;
class Line;
class PixelPicture;
class SoundPlayer;

// The main menu: greets the player, states the task and offers four items that
// light up red under the mouse or the arrow keys (Enter chooses the lit one;
// E asks for the records). The arrow keys move the focus with the light.
// It plays the menu music while it is the active program window.
class Menu : public Form {
    Q_OBJECT
public:
    explicit Menu(Forms& forms);

public slots:
    void on_Label2_clicked();
    void on_Label3_clicked();
    void on_Label6_clicked();
    void on_Label5_clicked();

signals:
    // The menu is the active window again (and its music starts over).
    void activated();
    void playRequested();
    void creditsRequested();
    void helpRequested();
    void recordsRequested();
    void quitRequested();

protected:
    void activate() override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void highlight(Label* item);
    QList<Label*> items() const { return {Label2, Label3, Label6, Label5}; }

    PixelPicture* Image1;
    Label* Label1;
    Line* Line1;
    Line* Line2;
    Label* Label2;
    Label* Label3;
    Label* Label6;
    Label* Label5;
    Label* Label4;
    SoundPlayer* Rumpa1;
    // The item the arrow keys have reached, or -1 before the first arrow press.
    int keyItem_ = -1;
};
