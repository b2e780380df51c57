#pragma once

#include "platform/form.h"

struct Module1;

class Ohje : public Form {
    Q_OBJECT
public:
    Ohje(Forms& forms);
};
