#pragma once
#include "runtime/form.h"

class Form1;

// The hotkey settings window.
class Form3 : public rt::Form {
    Q_OBJECT
public:
    Form3(rt::Services& services, Form1& form1);

private:
    Form1& form1_;
};
