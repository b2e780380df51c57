#include "menu/credits.h"

Credits::Credits(Forms& forms)
    : Form(forms, QStringLiteral("credits"), QStringLiteral("Norppala - Tekijät"), QSize(223, 241)) {}
