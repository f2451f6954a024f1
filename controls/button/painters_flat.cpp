// Painters D (flat, lit under the mouse), E (orange), F (light grey) and G
// (flat with a blue hover frame).
#include "controls/button/painter_ops.h"
#include "controls/button/painters.h"

namespace glint {

using ops::White;

void PaintFlatStyle(ButtonCanvas& c, const ButtonLook& look, int state)
{
    const ops::Pen p{c, look};
    // The face and frame colours of the scheme; the custom scheme derives them
    // from the face colour.
    uint32_t f = 0, frame = 0;
    switch (look.colorScheme) {
    case 0: f = 0xEED2C1, frame = 0xC56A31; break;
    case 1: f = 0xBAD6D4, frame = 0x70A093; break;
    case 2: f = 0xE3DFE0, frame = 0xBFB4B2; break;
    case 3: f = p.b(), frame = p.S(-0.12f); break;
    default: break;
    }
    const int W = p.W(), H = p.H();

    if (look.checked()) {
        p.fill(p.shift(f, -0.05f));
        p.frame(0, 0, W, H, frame);
        if (look.mouseOver) {
            p.fill(p.shift(f, -0.01f));
            p.frame(0, 0, W, H, frame);
        }
        DrawContent(c, look, state);
    } else if (state == StateHot) {
        p.fill(p.shift(f, 0.03f));
        DrawContent(c, look, state);
        p.frame(0, 0, W, H, frame);
    } else if (state == StateDown) {
        p.fill(p.shift(f, -0.08f));
        DrawContent(c, look, state);
        p.frame(0, 0, W, H, frame);
    } else {
        p.fill(p.b());
        DrawContent(c, look, state);
    }
}

void PaintOrangeStyle(ButtonCanvas& c, const ButtonLook& look, int state)
{
    const ops::Pen p{c, look};
    const int W = p.W(), H = p.H();
    constexpr uint32_t Frame = 0x800000;

    if (look.checked()) {
        if (look.mouseOver)
            p.grad(0, 0, W, H, 0x4E91FE, 0x8ED3FF);
        else
            p.grad(0, 0, W, H, 0x8CD5FF, 0x55ADFF);
        DrawContent(c, look, state);
        p.frame(0, 0, W, H, Frame);
    } else if (state == StateHot) {
        p.grad(0, 0, W, H, 0xCCF4FF, 0x91D0FF);
        DrawContent(c, look, state);
        p.frame(0, 0, W, H, Frame);
    } else if (state == StateDown) {
        p.grad(0, 0, W, H, 0x4E91FE, 0x8ED3FF);
        DrawContent(c, look, state);
        p.frame(0, 0, W, H, Frame);
    } else {
        const int h2 = ops::roundEven(H / 2.0);
        p.region();
        p.grad(0, 0, W, h2, p.mix(White, p.S(0.08f)), p.b());
        p.grad(0, h2, W, ops::roundEven(H / 2.0 + 1), p.b(), p.S(-0.15f));
        DrawContent(c, look, state);
    }
}

void PaintLightStyle(ButtonCanvas& c, const ButtonLook& look, int state)
{
    const ops::Pen p{c, look};
    const int W = p.W(), H = p.H();
    // A checked button held under the left button is drawn pressed.
    if (look.checked() && look.leftDown)
        state = StateDown;

    // The caption colour goes into the button's ForeColor, and the content is
    // drawn with what was stored.
    ButtonLook stored = look;
    const auto storeForeColor = [&](uint32_t colour) {
        stored.foreColor = colour;
        if (c.storeForeColor)
            c.storeForeColor(colour);
    };
    storeForeColor(state == StateDown ? White : ops::ButtonText);

    if (look.checked() && state != StateDown) {
        p.fill(0xFEFEFE);
        storeForeColor(ops::ButtonText);
        DrawContent(c, stored, state);
        p.frame(0, 0, W, H, 0xAF987A);
        p.corners(p.shift(0xC1B3A0, -0.2f));
        if (state == StateHot) {
            p.line(W - 2, 2, W - 2, H - 2, 0xEDF0F2);
            p.line(2, H - 2, W - 2, H - 2, 0xD8DEE4);
            p.line(1, H - 3, W - 1, H - 3, 0xE8ECEF);
            p.line(1, H - 4, W - 1, H - 4, 0xF8F9FA);
        }
    } else if (state == StateHot) {
        const int h2 = ops::roundEven(H / 2.0);
        p.grad(0, 0, W, h2, 0xFDFEFE, 0xEEF4F4);
        p.grad(0, h2, W, h2, 0xEEF4F4, 0xEAF1F1);
        DrawContent(c, stored, state);
        p.line(W - 2, 2, W - 2, H - 2, 0xE0E7EA);
        p.line(W - 3, 2, W - 3, H - 2, 0xEAF0F0);
        p.line(0, H - 4, W, H - 4, 0xE5EDEE);
        p.line(0, H - 3, W, H - 3, 0xD6E1E4);
        p.line(0, H - 2, W, H - 2, 0xC6D2D7);
        p.frame(0, 0, W, H, 0xC3CECE);
        p.corners(p.shift(0xC9D4D4, -0.05f));
    } else if (state == StateDown) {
        p.fill(0xDDE4E5);
        DrawContent(c, stored, state);
        p.line(1, 1, W - 2, 1, p.shift(0xD1DADC, -0.02f));
        p.line(1, 2, W - 2, 2, p.shift(0xDAE1E3, -0.02f));
        p.line(1, H - 3, W - 2, H - 3, p.shift(0xDEE5E6, 0.02f));
        p.line(1, H - 2, W - 2, H - 2, p.shift(0xE5EAEB, 0.02f));
        p.frame(0, 0, W, H, 0x929D9D);
        p.corners(p.shift(0xABB4B5, -0.2f));
    } else {
        p.region();
        p.fill(p.b());
        DrawContent(c, stored, state);
    }
}

void PaintHoverFrameStyle(ButtonCanvas& c, const ButtonLook& look, int state)
{
    const ops::Pen p{c, look};
    const int W = p.W(), H = p.H();
    constexpr uint32_t Frame = 0xCA9E61;

    if (!look.enabled) {
        p.fill(p.b());
        DrawContent(c, look, state);
        p.corners(p.b());
        return;
    }
    if (state == StateHot) {
        p.grad(1, 1, W - 2, H - 2, 0xFDF9F1, 0xF8ECD0);
        p.grad(1, ops::roundEven(H / 1.7), W - 2, H - 2, 0xF8ECD0, 0xF8ECD0);
    } else if (state == StateDown) {
        p.grad(1, 1, W - 2, H - 2, 0xF1DEB0, 0xF9F1DB);
    } else {
        p.region();
        p.fill(p.b());
        DrawContent(c, look, state);
        return;
    }
    DrawContent(c, look, state);
    p.frame(0, 0, W, H, Frame);
    p.frame(1, 1, W - 2, H - 2, White);
    p.corners(p.shift(Frame, 0.3f));
}

} // namespace glint
