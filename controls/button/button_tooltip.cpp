// The button's own tooltip window.
#include "controls/button/glintbutton.h"

namespace glint {

void Glintbutton::ShowTooltip() {}

} // namespace glint
