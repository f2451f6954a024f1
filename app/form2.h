#pragma once
#include "runtime/form.h"

// The About window.
class Form2 : public rt::Form {
    Q_OBJECT
public:
    explicit Form2(rt::Services& services);
};
