#pragma once
#include "runtime/form.h"

// The control kinds the program's windows are built from: the standard ones
// and the program's own user controls.
rt::ControlFactory makeControlFactory();
