#include "app/control_kinds.h"

rt::ControlFactory makeControlFactory()
{
    rt::ControlFactory factory;
    return factory;
}
