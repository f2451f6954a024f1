// Painters A (system-style edges), B (gradient face) and C (silver face), and
// the themed face. Each draws its steps in a fixed order: later steps paint
// over earlier ones.
#include "controls/button/glintbutton.h"
#include "controls/button/painter_ops.h"
#include "controls/button/painters.h"
#include "controls/button/themed_face.h"
#include "platform/system_colors.h"

namespace glint {

namespace {

using ops::AppWorkspace;
using ops::Black;
using ops::GrayText;
using ops::SysButtonFace;
using ops::White;

// The focused or default look: the button has the focus or stands for Enter.
bool focusedOrDefault(const ButtonLook& look) { return look.hasFocus || look.showAsDefault; }

// The default highlight of the gradient and silver faces.
bool defaultHighlight(const ButtonLook& look, int state)
{
    return state == StateNormal && look.parentActive && focusedOrDefault(look);
}

// Painter B's eight highlight lines, from the outer top row to the bottom row.
void highlightLines(const ops::Pen& p, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4, uint32_t c5, uint32_t c6)
{
    const int W = p.W(), H = p.H();
    p.line(1, 2, W - 2, 2, c1);
    p.line(1, 1, W - 2, 1, c2);
    p.line(1, 1, 1, H - 2, c3);
    p.line(W - 2, 2, W - 2, H - 2, c3);
    p.line(2, 2, 2, H - 3, c4);
    p.line(W - 3, 3, W - 3, H - 3, c4);
    p.line(2, H - 3, W - 2, H - 3, c5);
    p.line(2, H - 2, W - 2, H - 2, c6);
}

} // namespace

// ------------------------------------------------------------ A: styles 0, 1, 11, 12

void PaintEdgeStyles(ButtonCanvas& c, const ButtonLook& look, int state)
{
    const ops::Pen p{c, look};
    const int W = p.W(), H = p.H(), style = look.buttonStyle;
    const Rect button{0, 0, W, H};

    if (!look.enabled) {
        if (style == 0)
            p.edge(button, EdgeRaised);
        else if (style == 1)
            p.edge(button, BdrRaisedInner);
        DrawContent(c, look, state);
        return;
    }

    if (look.checked()) {
        p.fill(p.S(0.02f));
        DrawContent(c, look, state);
        if (style == 12)
            return;
        p.edge(button, EdgeSunken);
        if (style == 0 && look.showFocusRect && look.hasFocus)
            p.frame(4, 4, W - 7, H - 7, AppWorkspace);
        return;
    }

    switch (state) {
    case StateHot:
        p.fill(p.b());
        DrawContent(c, look, state);
        if (style == 1 || style == 12)
            p.edge(button, BdrRaisedInner);
        else
            p.edge(button, EdgeRaised);
        break;
    case StateDown:
        p.fill(p.b());
        DrawContent(c, look, state);
        if (style == 0) {
            p.frame(1, 1, W - 2, H - 2, 0x0099A8AC);
            p.frame(0, 0, W, H, Black);
        } else if (style == 11) {
            p.edge(button, EdgeSunken);
        } else {
            p.frame(0, 0, W, H, White);
            p.frame(0, 0, W + 1, H + 1, GrayText); // only its top and left sides fall inside
        }
        break;
    default:
        p.region();
        p.fill(p.b());
        DrawContent(c, look, state);
        if (style == 0)
            p.edge(button, EdgeRaised);
        else if (style == 1)
            p.edge(button, BdrRaisedInner);
        break;
    }

    if (!focusedOrDefault(look))
        return;
    if (look.userMode && look.showFocusRect && look.parentActive) {
        const int inset = style == 0 || style == 11 ? 4 : 3;
        p.focus(inset, inset, W - inset, H - inset);
    }
    if (style == 0 && state != StateDown) {
        p.edge(Rect{0, 0, W - 1, H - 1}, EdgeRaised);
        p.frame(0, 0, W - 1, H - 1, AppWorkspace);
        p.frame(0, 0, W, H, Black);
    }
}

// ------------------------------------------------------------ B: style 2

namespace {

// The normal face of painter B, without its region and lines.
void gradientFace(const ops::Pen& p, int scheme)
{
    const int W = p.W(), H = p.H(), h2 = ops::roundEven(H / 2.0);
    if (scheme == SchemeSilver) {
        p.grad(0, 0, W, h2, p.S(0.22f), p.b());
        p.grad(0, h2, W, h2, p.S(-0.01f), p.S(-0.15f));
    } else {
        p.grad(0, 0, W, H, p.S(0.07f), p.b());
        p.grad(0, 0, W, 4, p.S(0.1f), p.S(0.08f));
    }
}

} // namespace

void PaintGradientStyle(ButtonCanvas& c, const ButtonLook& look, int state)
{
    const ops::Pen p{c, look};
    const int W = p.W(), H = p.H(), scheme = look.colorScheme;

    if (!look.enabled) {
        p.region();
        p.fill(p.mix(SysButtonFace, p.S(0.1f)));
        DrawContent(c, look, state);
        p.frame(0, 0, W, H, p.S(-0.1f));
        p.corners(p.S(-0.1f));
        return;
    }

    // A scheme the table does not know has no face; the frame and highlights still draw.
    const bool knownScheme = scheme >= SchemeBlue && scheme <= SchemeCustom;
    switch (state) {
    case StateHot:
        if (knownScheme) {
            gradientFace(p, scheme);
            DrawContent(c, look, state);
        }
        highlightLines(p, 0x0089D8FD, 0x00CFF0FF, 0x0049BDF9, 0x007AD2FC, 0x0030B3F8, 0x000097E5);
        break;
    case StateDown:
        if (scheme == SchemeSilver) {
            p.grad(0, 0, W, H - 6, p.S(-0.2f), p.S(0.05f));
            p.grad(0, H - 6, W, H - 1, p.S(0.08f), White);
            DrawContent(c, look, state);
            p.frame(1, 1, W - 2, H - 2, White);
        } else if (knownScheme) {
            p.fill(p.S(-0.05f));
            DrawContent(c, look, state);
            p.line(1, 1, W - 2, 1, p.S(-0.16f));
            p.line(1, 2, W - 2, 2, p.S(-0.1f));
            p.line(1, H - 2, W - 2, H - 2, p.S(0.01f));
            p.line(1, 1, 1, H - 2, p.S(-0.16f));
            p.line(2, 2, 2, H - 2, p.S(-0.1f));
            p.line(W - 2, 2, W - 2, H - 2, p.S(0.04f));
        }
        break;
    default:
        if (!knownScheme)
            break;
        p.region();
        gradientFace(p, scheme);
        DrawContent(c, look, state);
        if (scheme == SchemeSilver) {
            p.line(W - 2, 2, W - 2, H - 2, White);
            p.line(1, 1, 1, H - 2, White);
        } else {
            p.line(1, H - 2, W - 2, H - 2, p.S(-0.09f));
            p.line(1, H - 3, W - 2, H - 3, p.S(-0.05f));
            p.line(1, H - 4, W - 2, H - 4, p.S(-0.01f));
            p.line(W - 2, 2, W - 2, H - 2, p.S(-0.08f));
            p.line(1, 1, 1, H - 2, p.mix(White, p.b()));
        }
        break;
    }

    if (defaultHighlight(look, state)) {
        if (scheme == SchemeOlive)
            highlightLines(p, 0x008FD1C2, 0x0080CBB1, 0x0068C8A0, 0x0068C8A0, 0x0068C8A0, 0x0066A7A8);
        else
            highlightLines(p, 0x00F6D4BC, 0x00FFE7CE, 0x00E6AF8E, scheme == SchemeSilver ? White : 0x00F4D1B8,
                           0x00E4AD89, 0x00EE8269);
    }
    if (look.parentActive && look.showFocusRect && focusedOrDefault(look))
        p.focus(2, 2, W - 2, H - 2);
    const uint32_t frame = scheme == SchemeOlive ? 0x00066237 : 0x00743C00;
    p.frame(0, 0, W, H, frame);
    p.corners(p.shift(frame, 0.3f));
}

// ------------------------------------------------------------ C: style 3

void PaintSilverStyle(ButtonCanvas& c, const ButtonLook& look, int state)
{
    const ops::Pen p{c, look};
    const int W = p.W(), H = p.H();
    const int h2 = ops::roundEven(H / 2.0);
    // The side strips: the upper one from row 3 to the middle, the lower one below it.
    const int upper = ops::roundEven(H / 2.0 - 2), lower = ops::roundEven(H - H / 2.0 - 1);

    if (!look.enabled) {
        p.region();
        p.fill(p.S(0.03f));
        DrawContent(c, look, state);
        p.frame(0, 0, W, H, p.S(-0.25f));
        p.frame(1, 1, W - 2, H - 2, p.S(0.25f));
        p.corners(p.S(-0.03f));
        return;
    }

    switch (state) {
    case StateHot: {
        const uint32_t warm = p.shift(0x00FDE1AC, 0.01f);
        p.grad(1, 1, W - 2, h2, 0x00FFF7E4, 0x00FFF3DA);
        p.grad(1, h2, W - 2, H - 2, 0x00FFE9C1, 0x00FDE1AE);
        p.hgrad(1, 3, 5, upper, 0x00FFEECD, 0x00FFF7E4);
        p.hgrad(1, h2, 5, lower, 0x00FAD68F, warm);
        p.hgrad(W - 6, 3, 5, upper, 0x00FFF7E4, 0x00FFEECD);
        p.hgrad(W - 6, h2, 5, lower, warm, 0x00FAD68F);
        DrawContent(c, look, state);
        p.frame(0, 0, W, H, 0x00A77532);
        p.frame(1, 1, W - 2, H - 2, White);
        break;
    }
    case StateDown: {
        p.grad(1, 1, W - 1, H, 0x00F6E4C2, 0x00F6E4C2);
        p.grad(1, h2, W - 2, H - 2, 0x00F0D29A, 0x00F0D29A);
        p.frame(0, 0, W, H, 0x005C411D);
        p.line(1, 1, W - 1, 1, 0x00B39C71);
        p.line(1, 2, W - 1, 2, 0x00D6C6A9);
        p.line(1, 3, W - 1, 3, 0x00ECD9B9);
        p.line(1, 1, 1, ops::roundEven(H / 2.0 - 1), 0x00CFB073);
        p.line(1, h2, 1, H - 1, 0x00C5912B); // the lower left inner edge, down to the bottom inner row
        const uint32_t upperOuter = p.shift(0x00E6C891, 0.02f), upperInner = p.shift(0x00F6E4C2, -0.01f);
        const uint32_t lowerOuter = p.shift(0x00DCAB4E, 0.02f), lowerInner = p.shift(0x00F0D29A, -0.01f);
        p.hgrad(1, 3, 5, upper, upperOuter, upperInner);
        p.hgrad(1, h2, 5, lower, lowerOuter, lowerInner);
        p.hgrad(W - 6, 3, 5, upper, upperInner, upperOuter);
        p.hgrad(W - 6, h2, 5, lower, lowerInner, lowerOuter);
        DrawContent(c, look, state);
        break;
    }
    default: {
        const uint32_t e = p.S(0.05f);
        p.region();
        p.grad(1, 1, W - 1, H, e, p.b());
        p.grad(1, h2, W - 2, H - 2, p.S(-0.02f), p.S(-0.15f));
        DrawContent(c, look, state);
        p.frame(0, 0, W, H, 0x00707070);
        p.frame(1, 1, W - 2, H - 2, White);
        break;
    }
    }

    if (defaultHighlight(look, state)) {
        p.frame(0, 0, W, H, 0x00A77532);
        p.frame(1, 1, W - 2, H - 2, 0x00FBD848);
    }
    if (look.parentActive && look.showFocusRect && look.hasFocus)
        p.focus(2, 2, W - 2, H - 2);
    p.corners(0x00BE965F);
}

// ------------------------------------------------------------ themed

bool PaintThemedStyle(ButtonCanvas& c, const ButtonLook& look, int state)
{
    c.surface.setBackColor(TranslateColor(SysButtonFace, c.colours));
    c.surface.clear();
    int themeState = ThemeDisabled;
    if (look.enabled) {
        if (state == StateHot)
            themeState = ThemeHot;
        else if (state == StateDown)
            themeState = ThemePressed;
        else if (look.parentActive && focusedOrDefault(look))
            themeState = ThemeDefault;
        else
            themeState = ThemeNormal;
    }
    const bool drawn = c.drawThemedFace && c.drawThemedFace(themeState);
    DrawContent(c, look, state);
    return drawn;
}

} // namespace glint
