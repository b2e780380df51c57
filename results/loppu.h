#pragma once

#include "platform/form.h"

struct Module1;

class Loppu : public Form {
    Q_OBJECT
public:
    Loppu(Forms& forms, Module1& state);
};
