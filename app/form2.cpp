#include "app/form2.h"

#include "app/control_kinds.h"

Form2::Form2(rt::Services& services) : rt::Form(services, QStringLiteral(":/forms/form2.frm"), makeControlFactory()) {}
