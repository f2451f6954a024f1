#include "controls/button/painters.h"

namespace glint {

void DrawContent(ButtonCanvas&, const ButtonLook&, int) {}

} // namespace glint
