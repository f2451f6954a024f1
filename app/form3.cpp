#include "app/form3.h"

#include "app/control_kinds.h"

Form3::Form3(rt::Services& services, Form1& form1)
    : rt::Form(services, QStringLiteral(":/forms/form3.frm"), makeControlFactory()), form1_(form1)
{
}
