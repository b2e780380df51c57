#include "results/loppu.h"

Loppu::Loppu(Forms& forms, Module1& /*state*/)
    : Form(forms, QStringLiteral("loppu"), QStringLiteral("Norppala - Lopputulos"), QSize(329, 315)) {}
