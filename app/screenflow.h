#pragma once

#include <QObject>

class Forms;
struct Module1;
enum class GameEnd;

// Which window follows which. Every window of the game is registered here, and
// each says only what the player wants; the flow opens and closes windows in
// answer:
//   menu → aloita ("Pelaa") → peli ("Aloita") → loppu (time up) → menu ("OK")
//   peli → menu ("Lopeta"); credits and ohje open beside the menu; the menu's E
//   and the results' "Ennätykset" open the records; "Poistu" closes the lot.
// The next window always opens before the one it replaces closes, so the
// program runs on until the player quits.
class ScreenFlow : public QObject {
    Q_OBJECT
public:
    ScreenFlow(Forms& forms, Module1& state);

    // Opens the main menu, the program's first window.
    void start();

signals:
    // Every window is closed: the program should end.
    void finished();

private:
    void menuActivated();
    void openSetup();
    void openRecords();
    void startGame();
    void gameEnded(GameEnd end);
    void backToMenu(const QString& from);
    void quit();

    Forms& forms_;
};
