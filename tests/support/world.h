#pragma once

#include "app/program.h"
#include "core/clock.h"
#include "core/fishinggame.h"
#include "core/module1.h"
#include "platform/context.h"
#include "platform/form.h"
#include "support/fakes.h"

#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

// The source tree's data folder.
QString sourceDataFolder();
// Copies a folder recursively; false if anything could not be copied.
bool copyFolder(const QString& from, const QString& to);

// A known world for a test: the game's windows on a virtual clock, scripted
// random numbers and dialogs, recording players, and a program folder of its
// own holding a fresh copy of the data folder. Nothing is left behind.
class World : public ::testing::Test {
protected:
    World();
    ~World() override;

    // The full path of a game path such as "\data\mies.gif" in this world.
    QString path(const QString& gamePath) const;

    // The game on the open game screen. Without one the test fails and gets a
    // game that never started.
    FishingGame& game();

    // The open window of that name, or null.
    Form* window(const QString& name) const { return forms.find(name); }
    // A control of an open window by name; fails the test if there is none.
    template <class T = QWidget> T* control(const QString& windowName, const QString& name) const {
        Form* form = window(windowName);
        if (!form) {
            ADD_FAILURE() << "window " << windowName.toStdString() << " is not open";
            return nullptr;
        }
        T* found = form->findChild<T*>(name);
        if (!found) {
            ADD_FAILURE() << "no control " << name.toStdString() << " in "
                          << windowName.toStdString();
        }
        return found;
    }
    // Clicks a control the way a player would: only an enabled, visible control
    // reacts. Returns false (and fails the test) if it could not be clicked.
    bool click(const QString& windowName, const QString& name);
    // Clicks the entry of a list that reads `text`; false (and a failure) if there is none.
    bool clickItem(const QString& windowName, const QString& list, const QString& text);
    // Moves the mouse over a control (or over the window itself when name is empty).
    void hover(const QString& windowName, const QString& name, QPoint at = QPoint(2, 2));
    // The book player (AutoAngler) fishes through the game screen's buttons for
    // up to `ms` of game time, looking every `stepMs`, until the game screen closes.
    void fishByTheBook(qint64 ms, qint64 stepMs = 100);
    // Lets virtual time pass, firing every tick due.
    void advance(qint64 ms);
    // Delivers pending events and deletes windows closed meanwhile.
    void settle();

    QTemporaryDir dir;
    QString appPath;
    VirtualClock clock;
    ScriptedRandom random;
    ScriptedDialogs dialogs;
    PlayerLog players;
    RecordingSound sound{players};
    MemorySettings settings;
    RecordingAnnouncer announcer;
    std::unique_ptr<Program> program;
    Context& context;
    Module1& state;
    Forms& forms;
    std::unique_ptr<FishingGame> noGame;
};
