#pragma once

#include "platform/form.h"

struct Module1;

class Menu : public Form {
    Q_OBJECT
public:
    Menu(Forms& forms, Module1& state);
};
