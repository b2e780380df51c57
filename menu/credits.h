#pragma once

#include "platform/form.h"

struct Module1;

class Credits : public Form {
    Q_OBJECT
public:
    Credits(Forms& forms);
};
