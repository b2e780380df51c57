#include "menu/ohje.h"

Ohje::Ohje(Forms& forms)
    : Form(forms, QStringLiteral("ohje"), QStringLiteral("Norppala"), QSize(426, 358)) {}
