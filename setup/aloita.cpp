#include "setup/aloita.h"

Aloita::Aloita(Forms& forms, Module1& /*state*/)
    : Form(forms, QStringLiteral("aloita"), QStringLiteral("Norppala"), QSize(337, 201)) {}
