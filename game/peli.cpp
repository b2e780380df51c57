#include "game/peli.h"

Peli::Peli(Forms& forms, Module1& /*state*/)
    : Form(forms, QStringLiteral("peli"), QStringLiteral("Norppala"), QSize(362, 401)) {}
