// Painters H (glossy, split at H / 2.7), I (white-topped) and J (5-row band).
#include "controls/button/painter_ops.h"
#include "controls/button/painters.h"

namespace glint {

using ops::White;

void PaintGlossyStyle(ButtonCanvas& c, const ButtonLook& look, int state)
{
    const ops::Pen p{c, look};
    const int W = p.W(), H = p.H();
    // The gloss ends a little above the middle.
    const int t = ops::roundEven(H / 2.7);
    const int u = ops::roundEven(H - H / 2.7);
    const auto frame = [&] { p.frame(0, 0, W, H, p.S(-0.34f)); };

    if (look.checked()) {
        p.grad(0, 0, W, t, 0xA9D9FF, 0x6FC0FF);
        p.grad(0, t, W, u, 0x3FABFF, 0x75E1FF);
        frame();
        if (look.mouseOver) {
            p.grad(0, 0, W, t, 0x58C1FF, 0x51AFFF);
            p.grad(0, t, W, u, 0x468FFF, 0x5FD3FF);
            frame();
        }
        DrawContent(c, look, state);
        return;
    }
    if (state == StateHot) {
        p.grad(0, 0, W, t, 0xE1FFFF, 0xACEAFF);
        p.grad(0, t, W, u, 0x67D7FF, 0x99E4FF);
    } else if (state == StateDown) {
        p.grad(0, 0, W, t, 0x58C1FF, 0x51AFFF);
        p.grad(0, t, W, u, 0x468FFF, 0x5FD3FF);
    } else {
        // The face fill, Fill(b), is left out: t + u is always H, so the two
        // gradients cover every pixel of it.
        p.grad(0, 0, W, t, p.mix(p.S(0.09f), White), p.mix(p.S(0.07f), p.b()));
        p.grad(0, t, W, u, p.b(), p.S(0.03f));
    }
    DrawContent(c, look, state);
    frame();
}

void PaintWhiteTopStyle(ButtonCanvas& c, const ButtonLook& look, int state)
{
    const ops::Pen p{c, look};
    const int W = p.W(), H = p.H();
    const int h2 = ops::roundEven(H / 2.0);
    if (!look.enabled)
        state = StateNormal;

    if (state == StateDown) {
        p.grad(0, 0, W, h2, White, p.S(-0.1f));
        p.grad(0, h2, W, H, p.S(-0.1f), p.S(-0.05f));
        DrawContent(c, look, state);
        p.frame(1, 1, W - 2, H, White);
        p.frame(0, 0, W, H, p.S(-0.23f));
        p.line(2, H - 1, W - 2, H - 1, p.S(-0.4f));
    } else {
        if (state != StateHot)
            p.region();
        p.grad(0, 0, W, h2, White, p.b());
        p.grad(0, h2, W, H, p.b(), p.b());
        DrawContent(c, look, state);
        p.frame(1, 1, W - 2, H, White);
        p.frame(0, 0, W, H, p.S(-0.2f));
        p.line(2, H - 1, W - 2, H - 1, p.S(-0.25f));
    }
    p.corners(p.S(0.05f));
    if (look.parentActive && look.showFocusRect && (look.hasFocus || look.showAsDefault))
        p.focus(3, 3, W - 3, H - 3);
}

void PaintBandStyle(ButtonCanvas& c, const ButtonLook& look, int state)
{
    const ops::Pen p{c, look};
    const int W = p.W(), H = p.H();
    // The light band's colours: the face mixed with white, shifted.
    const auto M = [&](float x) { return p.shift(p.mix(p.b(), White), x); };
    // Row 5 is left to the fill: the band covers rows 0 to 4 and the lower
    // gradient starts at row 6 and runs past the bottom, so the fill is only
    // drawn where it shows.
    const auto fill = [&](uint32_t colour) { FillBox(c.surface, p.tr(colour), Rect{0, 5, W, 6}); };

    if (!look.enabled) {
        fill(p.b());
        p.grad(0, 0, W, 5, M(0.05f), p.b());
        p.grad(0, 6, W, H - 1, p.S(-0.02f), p.mix(White, p.S(0.08f)));
        DrawContent(c, look, state);
        p.frame(0, 0, W, H, p.S(-0.2f));
        p.corners(p.S(-0.23f));
        return;
    }
    if (state == StateHot) {
        fill(p.S(-0.03f));
        p.grad(0, 0, W, 5, M(0.15f), p.b());
        p.grad(0, 6, W, H - 1, p.S(-0.05f), p.mix(White, p.S(0.2f)));
        DrawContent(c, look, state);
        p.frame(0, 0, W, H, p.S(-0.28f));
    } else if (state == StateDown) {
        fill(p.S(-0.03f));
        p.grad(0, 0, W, 5, M(0.1f), p.b());
        p.grad(0, 6, W, H - 1, p.S(-0.08f), p.mix(White, p.S(0.05f)));
        DrawContent(c, look, state);
        p.frame(0, 0, W, H, p.S(-0.36f));
    } else {
        p.region();
        fill(p.S(-0.03f));
        p.grad(0, 0, W, 5, M(0.1f), p.b());
        p.grad(0, 6, W, H - 1, p.S(-0.05f), p.mix(White, p.S(0.1f)));
        DrawContent(c, look, state);
        p.frame(0, 0, W, H, p.S(-0.33f));
    }
    p.corners(p.S(-0.36f));
}

} // namespace glint
