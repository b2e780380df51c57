#pragma once

#include "platform/form.h"

struct Module1;

class Peli : public Form {
    Q_OBJECT
public:
    Peli(Forms& forms, Module1& state);
};
