// Painters A (system-style edges), B (gradient face) and C (silver face), and
// the themed face.
#include "controls/button/painter_ops.h"
#include "controls/button/painters.h"

namespace glint {

void PaintEdgeStyles(ButtonCanvas& c, const ButtonLook& look, int state) { DrawContent(c, look, state); }
void PaintGradientStyle(ButtonCanvas& c, const ButtonLook& look, int state) { DrawContent(c, look, state); }
void PaintSilverStyle(ButtonCanvas& c, const ButtonLook& look, int state) { DrawContent(c, look, state); }
bool PaintThemedStyle(ButtonCanvas&, const ButtonLook&, int) { return false; }

} // namespace glint
