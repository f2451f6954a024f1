#pragma once
// The styled button's drawing primitives on its pixel surface. Coordinates are
// pixels of the control's client area; rectangles have exclusive right and
// bottom edges. Colours are plain 0x00BBGGRR values (translate system colours
// first); a colour with its top byte set is not a colour and draws nothing.
#include <QRegion>
#include <QString>
#include <cstdint>

#include "runtime/pixel_surface.h"

namespace platform {
class SystemColors;
}

namespace glint {

using rt::bgrToPixel;
using rt::pixelToBgr;

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    Rect offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    Rect inset(int d) const { return {left + d, top + d, right - d, bottom - d}; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

enum GradientDirection : int { GradientHorizontal = 0, GradientVertical = 1 };

// A one-pixel line from (x1, y1) towards (x2, y2); the end point is not painted.
void DrawLine(rt::PixelSurface& s, int x1, int y1, int x2, int y2, uint32_t colour);
// A one-pixel outline whose last column is left + width − 1 and last row top + height − 1.
void FrameBox(rt::PixelSurface& s, int left, int top, int width, int height, uint32_t colour);
void FillBox(rt::PixelSurface& s, uint32_t colour, const Rect& r);
// The pixels one in from each corner: (1, 1), (1, H − 2), (W − 2, 1), (W − 2, H − 2).
void SetCornerPixels(rt::PixelSurface& s, uint32_t colour);
// Colour 1 on the first column (horizontal) or row (vertical), colour 2 on the
// last, integer steps in between; clipped by the surface.
void DrawGradient(rt::PixelSurface& s, int left, int top, int width, int height, uint32_t colour1, uint32_t colour2,
                  int direction);

// Raised and sunken edges around a rectangle, in the system's 3-D colours: the
// outer border on the rectangle's own edge, the inner one a pixel inside it, or
// on the edge itself when there is no outer border.
enum EdgeFlags : int { BdrRaisedOuter = 1, BdrSunkenOuter = 2, BdrRaisedInner = 4, BdrSunkenInner = 8,
                       EdgeRaised = 5, EdgeSunken = 10 };
void DrawEdge(rt::PixelSurface& s, const Rect& r, int flags, const platform::SystemColors& colours);
// The dotted focus outline: every other pixel of the rectangle's border inverted.
void DrawFocusRect(rt::PixelSurface& s, const Rect& r);

// The window shape of a button style: corners cut for the rounded styles
// (corner 3: styles 2, 3, 7, 9; corner 4: styles 6, 10), the whole rectangle
// otherwise.
QRegion buttonRegion(int buttonStyle, int width, int height);

// The drop-down glyph: the digits 3 to 6 of the symbol face are the left,
// right, up and down triangles, which we draw ourselves in the text colour.
struct SymbolFont {
    int height = 0;
};
SymbolFont CreateSymbolFont(int height);
// Draws the first digit of the code's decimal text into the rectangle; codes
// whose first character is not 3 to 6 draw nothing.
void DrawDropDownGlyph(rt::PixelSurface& s, const Rect& dropDownRect, int code);

// The caption centred and word-wrapped in the rectangle moved by (dx, dy), in
// the surface font; "&" underlines the next character and "&&" shows one "&".
// The surface's own text colour is left as it was.
void DrawCaptionText(rt::PixelSurface& s, const Rect& r, const QString& caption, uint32_t colour, int dx, int dy,
                     bool rightToLeft);
// The box the caption takes when wrapped to the rectangle's width, with left
// and top 0: measured the way DrawCaptionText draws.
Rect MeasureCaptionText(const rt::PixelSurface& s, const Rect& r, const QString& caption, bool rightToLeft);

} // namespace glint
