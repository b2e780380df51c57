#include "app/windows.h"

#include "game/peli.h"
#include "menu/credits.h"
#include "menu/menu.h"
#include "menu/ohje.h"
#include "platform/look.h"
#include "platform/windownames.h"
#include "results/ennatykset.h"
#include "results/loppu.h"
#include "setup/aloita.h"

void registerWindows(Forms& forms, Module1& state) {
    // Windows are made and destroyed all evening: the cache would only grow.
    disablePixmapCache();
    forms.registerForm(windowName::menu, [](Forms& f) { return new Menu(f); });
    forms.registerForm(windowName::credits, [](Forms& f) { return new Credits(f); });
    forms.registerForm(windowName::ohje, [](Forms& f) { return new Ohje(f); });
    forms.registerForm(windowName::aloita, [&state](Forms& f) { return new Aloita(f, state); });
    forms.registerForm(windowName::peli, [&state](Forms& f) { return new Peli(f, state); });
    forms.registerForm(windowName::loppu, [&state](Forms& f) { return new Loppu(f, state); });
    forms.registerForm(windowName::ennatykset, [](Forms& f) { return new Ennatykset(f); });
}
