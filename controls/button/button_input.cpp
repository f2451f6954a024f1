// The button's input: mouse, keys, access keys, focus and the popup menu.
#include "controls/button/glintbutton.h"

namespace glint {} // namespace glint
