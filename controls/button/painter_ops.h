#pragma once
// The painters' shorthand: every colour goes through TranslateColor of the
// canvas's system colour table before it reaches a primitive.
#include <cmath>

#include "controls/button/button_look.h"
#include "controls/button/color_math.h"

namespace glint::ops {

// The fixed colours the painters share; the system ones are translated on use.
constexpr uint32_t White = 0x00FFFFFF;
constexpr uint32_t Black = 0;
constexpr uint32_t AppWorkspace = 0x8000000C;
constexpr uint32_t SysButtonFace = 0x8000000F;
constexpr uint32_t GrayText = 0x80000011;
constexpr uint32_t ButtonText = 0x80000012;

// H / 2 and the other fractions of the height, rounded half to even.
inline int roundEven(double v) { return int(std::nearbyint(v)); }

struct Pen {
    ButtonCanvas& c;
    const ButtonLook& look;

    int W() const { return c.surface.width(); }
    int H() const { return c.surface.height(); }
    uint32_t tr(uint32_t colour) const { return TranslateColor(colour, c.colours); }
    uint32_t b() const { return tr(look.backColor); }
    uint32_t S(float x) const { return ShiftColor(b(), x); }
    uint32_t shift(uint32_t colour, float x) const { return ShiftColor(tr(colour), x); }
    uint32_t mix(uint32_t a, uint32_t bb) const { return MixColors(tr(a), tr(bb)); }

    void line(int x1, int y1, int x2, int y2, uint32_t colour) const { DrawLine(c.surface, x1, y1, x2, y2, tr(colour)); }
    void frame(int l, int t, int w, int h, uint32_t colour) const { FrameBox(c.surface, l, t, w, h, tr(colour)); }
    void fill(uint32_t colour) const { FillBox(c.surface, tr(colour), Rect{0, 0, W(), H()}); }
    void grad(int l, int t, int w, int h, uint32_t c1, uint32_t c2) const
    {
        DrawGradient(c.surface, l, t, w, h, tr(c1), tr(c2), GradientVertical);
    }
    void hgrad(int l, int t, int w, int h, uint32_t c1, uint32_t c2) const
    {
        DrawGradient(c.surface, l, t, w, h, tr(c1), tr(c2), GradientHorizontal);
    }
    void corners(uint32_t colour) const { SetCornerPixels(c.surface, tr(colour)); }
    void edge(const Rect& r, int flags) const { DrawEdge(c.surface, r, flags, c.colours); }
    void focus(int l, int t, int r, int bottom) const { DrawFocusRect(c.surface, Rect{l, t, r, bottom}); }
    void region() const
    {
        if (c.applyRegion)
            c.applyRegion();
    }
};

} // namespace glint::ops
