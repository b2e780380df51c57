#include "app/screenflow.h"

#include "game/peli.h"
#include "menu/credits.h"
#include "menu/menu.h"
#include "menu/ohje.h"
#include "platform/accessibility.h"
#include "platform/context.h"
#include "platform/windownames.h"
#include "results/ennatykset.h"
#include "results/loppu.h"
#include "setup/aloita.h"

ScreenFlow::ScreenFlow(Forms& forms, Module1& state) : forms_(forms) {
    forms.registerForm(windowName::menu, [this](Forms& f) {
        auto* menu = new Menu(f);
        connect(menu, &Menu::activated, this, &ScreenFlow::menuActivated);
        connect(menu, &Menu::playRequested, this, &ScreenFlow::openSetup);
        connect(menu, &Menu::creditsRequested, this, [this] { forms_.show(windowName::credits); });
        connect(menu, &Menu::helpRequested, this, [this] { forms_.show(windowName::ohje); });
        connect(menu, &Menu::recordsRequested, this, &ScreenFlow::openRecords);
        connect(menu, &Menu::quitRequested, this, &ScreenFlow::quit);
        return menu;
    });
    forms.registerForm(windowName::credits, [this](Forms& f) {
        auto* credits = new Credits(f);
        connect(credits, &Credits::closed, this, [this] { forms_.unload(windowName::credits); });
        return credits;
    });
    forms.registerForm(windowName::ohje, [this](Forms& f) {
        auto* help = new Ohje(f);
        connect(help, &Ohje::closed, this, [this] { forms_.unload(windowName::ohje); });
        return help;
    });
    forms.registerForm(windowName::aloita, [this, &state](Forms& f) {
        auto* setup = new Aloita(f, state);
        connect(setup, &Aloita::startRequested, this, &ScreenFlow::startGame);
        return setup;
    });
    forms.registerForm(windowName::peli, [this, &state](Forms& f) {
        auto* game = new Peli(f, state);
        connect(game, &Peli::ended, this, &ScreenFlow::gameEnded);
        return game;
    });
    forms.registerForm(windowName::loppu, [this, &state](Forms& f) {
        auto* results = new Loppu(f, state);
        connect(results, &Loppu::closed, this, [this] { backToMenu(windowName::loppu); });
        connect(results, &Loppu::recordsRequested, this, &ScreenFlow::openRecords);
        return results;
    });
    forms.registerForm(windowName::ennatykset, [this](Forms& f) {
        auto* records = new Ennatykset(f);
        connect(records, &Ennatykset::closed, this,
                [this] { forms_.unload(windowName::ennatykset); });
        return records;
    });
    connect(&forms, &Forms::lastWindowClosed, this, &ScreenFlow::finished);
}

void ScreenFlow::start() {
    forms_.show(windowName::menu);
}

void ScreenFlow::menuActivated() {
    // Whenever the menu is the active window again, no game goes on behind it.
    forms_.unload(windowName::peli);
}

void ScreenFlow::openSetup() {
    forms_.show(windowName::aloita);
    forms_.unload(windowName::credits);
    forms_.unload(windowName::ennatykset);
    forms_.unload(windowName::menu);
}

void ScreenFlow::openRecords() {
    // A fresh window, read afresh: a result saved meanwhile is in it.
    forms_.unload(windowName::ennatykset);
    forms_.show(windowName::ennatykset);
}

void ScreenFlow::startGame() {
    // The game window starts the game on the chosen map and spot as it opens.
    forms_.show(windowName::peli);
    forms_.unload(windowName::aloita);
}

void ScreenFlow::gameEnded(GameEnd end) {
    if (end == GameEnd::Quit) {
        // The menu's activation closes the game window.
        backToMenu(windowName::peli);
        return;
    }
    // The results take the game screen's place: made first, so a window is open throughout.
    forms_.get(windowName::loppu);
    forms_.unload(windowName::peli);
    forms_.show(windowName::loppu);
    forms_.context().announcer.say(forms_.find(windowName::loppu),
                                   [] { return tr("Aika loppui, peli päättyi."); });
}

void ScreenFlow::backToMenu(const QString& from) {
    forms_.show(windowName::menu);
    forms_.unload(from);
}

void ScreenFlow::quit() {
    // An open help window stays, and the program with it, until the player closes it.
    forms_.unload(windowName::credits);
    forms_.unload(windowName::ennatykset);
    forms_.unload(windowName::peli);
    forms_.unload(windowName::menu);
}
