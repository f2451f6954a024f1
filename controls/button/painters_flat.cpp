// Painters D (flat, lit under the mouse), E (orange), F (light grey) and G
// (flat with a blue hover frame).
#include "controls/button/painter_ops.h"
#include "controls/button/painters.h"

namespace glint {

void PaintFlatStyle(ButtonCanvas& c, const ButtonLook& look, int state) { DrawContent(c, look, state); }
void PaintOrangeStyle(ButtonCanvas& c, const ButtonLook& look, int state) { DrawContent(c, look, state); }
void PaintLightStyle(ButtonCanvas& c, const ButtonLook& look, int state) { DrawContent(c, look, state); }
void PaintHoverFrameStyle(ButtonCanvas& c, const ButtonLook& look, int state) { DrawContent(c, look, state); }

} // namespace glint
