#include "menu/menu.h"

Menu::Menu(Forms& forms, Module1& /*state*/)
    : Form(forms, QStringLiteral("menu"), QStringLiteral("Norppala"), QSize(299, 261)) {}
