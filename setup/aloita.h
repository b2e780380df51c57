#pragma once

#include "platform/form.h"

struct Module1;

class Aloita : public Form {
    Q_OBJECT
public:
    Aloita(Forms& forms, Module1& state);
};
