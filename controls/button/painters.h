#pragma once
// The face painters of the styled button, one per style group, and the content
// layer each of them ends with. Each painter draws the face for the state on
// the canvas, in the order of its table, and calls DrawContent once.
#include "controls/button/button_look.h"

namespace glint {

// Caption, picture, drop-down glyph, separator and caption effects over the face.
void DrawContent(ButtonCanvas& c, const ButtonLook& look, int state);
// Where the drop-down glyph goes on a button of this size (before any pressed offset).
Rect DropDownRect(int width, int height);

// The painter of look.buttonStyle; a style outside 0..13 draws nothing. The
// themed style draws the application's push button even when it cannot: the
// caller decides beforehand whether the themed style is used at all.
void PaintButtonFace(ButtonCanvas& c, const ButtonLook& look, int state);

void PaintEdgeStyles(ButtonCanvas& c, const ButtonLook& look, int state);   // A: styles 0, 1, 11, 12
void PaintGradientStyle(ButtonCanvas& c, const ButtonLook& look, int state); // B: style 2
void PaintSilverStyle(ButtonCanvas& c, const ButtonLook& look, int state);   // C: style 3
void PaintFlatStyle(ButtonCanvas& c, const ButtonLook& look, int state);     // D: style 4
void PaintOrangeStyle(ButtonCanvas& c, const ButtonLook& look, int state);   // E: style 5
void PaintLightStyle(ButtonCanvas& c, const ButtonLook& look, int state);    // F: style 6
void PaintHoverFrameStyle(ButtonCanvas& c, const ButtonLook& look, int state); // G: style 7
void PaintGlossyStyle(ButtonCanvas& c, const ButtonLook& look, int state);   // H: style 8
void PaintWhiteTopStyle(ButtonCanvas& c, const ButtonLook& look, int state); // I: style 9
void PaintBandStyle(ButtonCanvas& c, const ButtonLook& look, int state);     // J: style 10
// The push button of the application's style; false when it cannot be drawn.
bool PaintThemedStyle(ButtonCanvas& c, const ButtonLook& look, int state);

} // namespace glint
