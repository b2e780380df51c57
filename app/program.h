#pragma once

#include "core/module1.h"
#include "platform/context.h"

#include <QString>
#include <memory>

class Forms;
class ScreenFlow;
class ShortcutFilter;

// What the program takes from the world outside. A part left out is the real
// one: the wall clock, random numbers seeded from it, Qt's dialogs, SDL sound,
// the player's settings store, the screen reader and the program's own folder.
// Tests, the screenshot tool and the benchmarks pass their own.
struct Outside {
    Clock* clock = nullptr;
    Random* random = nullptr;
    Dialogs* dialogs = nullptr;
    Sound* sound = nullptr;
    Settings* settings = nullptr;
    Announcer* announcer = nullptr;
    QString appPath = {};
};

// The whole program, built in one place: the windows' context with the
// player's sound choices and the decoded pictures, the game state shared
// between windows, the registry of windows, the keys that work in all of them,
// and the screen flow that decides which window follows which. The game
// itself, the screenshot tool, the benchmarks and the test world all start
// from here.
class Program {
public:
    explicit Program(Outside outside = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Context& context() { return *context_; }
    Module1& state() { return state_; }
    Forms& forms() { return *forms_; }
    ScreenFlow& flow() { return *flow_; }

    // Opens the main menu, the program's first window. Without its data folder
    // the game cannot run: the player is told and nothing opens (false).
    bool start();

private:
    // In the order they are built, so the windows go first as the program ends.
    std::unique_ptr<Clock> ownClock_;
    std::unique_ptr<Random> ownRandom_;
    std::unique_ptr<Dialogs> ownDialogs_;
    std::unique_ptr<Sound> ownSound_;
    std::unique_ptr<Settings> ownSettings_;
    std::unique_ptr<Announcer> ownAnnouncer_;
    std::unique_ptr<Preferences> preferences_;
    std::unique_ptr<Pictures> pictures_;
    std::unique_ptr<Context> context_;
    Module1 state_;
    std::unique_ptr<Forms> forms_;
    std::unique_ptr<ShortcutFilter> shortcuts_;
    std::unique_ptr<ScreenFlow> flow_;
};
