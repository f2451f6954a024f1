// The content layer every face painter ends with: the caption, the picture
// and the drop-down glyph laid out over the face, in a fixed order of steps
// (later steps draw over earlier ones).
#include <algorithm>
#include <array>
#include <utility>

#include "controls/button/glintbutton.h"
#include "controls/button/painter_ops.h"
#include "controls/button/painters.h"

namespace glint {

namespace {

bool isOneOf(int value, std::initializer_list<int> values)
{
    for (int v : values)
        if (v == value)
            return true;
    return false;
}

// The caption is blank when nothing but spaces remains.
bool blankCaption(const QString& caption)
{
    for (QChar ch : caption)
        if (ch != u' ')
            return false;
    return true;
}

// Caption placed by CaptionAlign, then nudged for the picture and the drop-down.
Rect layoutCaption(ButtonCanvas& c, const ButtonLook& look, int pw, int ph)
{
    const int W = c.surface.width(), H = c.surface.height();
    const bool dropDown = look.dropDownPresent();
    const bool pictureBeside = look.pictureAlign == PicRightEdge || look.pictureAlign == PicRightOfCaption;
    const int margin = !dropDown ? -8 : pictureBeside ? -24 : -16;
    const Rect box = MeasureCaptionText(c.surface, Rect{0, 0, W + margin, H}, look.caption, look.rightToLeft);
    const int tw = box.right, th = box.bottom;

    Rect r = box;
    switch (look.captionAlign) {
    case CapAlignLeft:
        r = r.offset(2, (H - th) / 2);
        break;
    case CapAlignCenter:
        r = r.offset((W - tw + pw) / 2, (H - th) / 2);
        if (dropDown)
            r = r.offset(-8, 0);
        if (look.pictureAlign >= PicTopEdge && look.pictureAlign <= PicBottomOfCaption)
            r = r.offset(-(pw / 2), 0);
        break;
    case CapAlignRight:
        r = r.offset(W - tw - 4, (H - th) / 2);
        break;
    default:
        break;
    }

    const bool centred = look.captionAlign == CapAlignCenter;
    if (look.hasPictureNormal) {
        switch (look.pictureAlign) {
        case PicRightEdge:
        case PicRightOfCaption:
            if (W - pw - 4 < r.right) {
                r.right = W - pw - 4;
                r.left -= pw + 4;
            }
            if (centred)
                r = r.offset(-12, 0);
            break;
        case PicBackground:
            if (centred)
                r = r.offset(-16, 0);
            break;
        case PicTopEdge:
        case PicTopOfCaption:
            r = r.offset(0, ph / 2);
            break;
        case PicBottomEdge:
        case PicBottomOfCaption:
            r = r.offset(0, -(ph / 2));
            break;
        case PicLeftEdge:
        case PicLeftOfCaption:
            if (!centred && r.left < pw + 4) {
                r.left = pw + 4;
                r.right += pw + 4;
            }
            break;
        default:
            break;
        }
    }

    if (look.captionAlign == CapAlignRight && dropDown)
        r = r.offset(-16, 0);

    if (look.buttonStyle == StyleThemed) {
        r.left = std::max(r.left, 4);
        r.top = std::max(r.top, 4);
        r.right = std::min(r.right, W - 4);
        r.bottom = std::min(r.bottom, H - 4);
    }
    return r;
}

Rect layoutPicture(const ButtonCanvas& c, const ButtonLook& look, const Rect& caption, int pw, int ph)
{
    const int W = c.surface.width(), H = c.surface.height();
    const bool dropDown = look.dropDownPresent();
    int left = 0, top = 0;
    if (blankCaption(look.caption) || look.pictureAlign == PicBackground) {
        left = (W - pw) / 2 - (dropDown ? 8 : 0);
        top = (H - ph) / 2;
    } else {
        switch (look.pictureAlign) {
        case PicLeftEdge:
            left = 3;
            top = (H - ph) / 2;
            break;
        case PicLeftOfCaption:
            left = caption.left - pw - 4;
            top = (H - ph) / 2;
            break;
        case PicRightEdge:
        case PicRightOfCaption:
            left = look.pictureAlign == PicRightEdge ? W - pw - 3 : caption.right + 4;
            top = (H - ph) / 2;
            if (dropDown)
                left -= 16;
            left = std::max(left, caption.right + 2);
            break;
        case PicTopEdge:
            top = 4;
            break;
        case PicTopOfCaption:
            top = caption.top - ph - 2;
            break;
        case PicBottomEdge:
            top = H - ph - 4;
            break;
        case PicBottomOfCaption:
            top = caption.bottom + 2;
            break;
        default:
            break;
        }
        if (look.pictureAlign >= PicTopEdge && look.pictureAlign <= PicBottomOfCaption)
            left = (W - pw) / 2 - (dropDown ? 8 : 0);
    }
    return Rect{left, top, left + pw, top + ph};
}

// The copies of the caption under the caption itself, by CaptionEffects.
void drawCaptionEffects(ButtonCanvas& c, const ButtonLook& look, const Rect& r)
{
    const ops::Pen pen{c, look};
    using Offsets = std::array<std::pair<int, int>, 4>;
    const Offsets around{{{1, 1}, {1, -1}, {-1, 1}, {-1, -1}}};
    uint32_t colour = InvalidColor;
    int copies = 0;
    Offsets offsets{};
    switch (look.captionEffects) {
    case CapEffectRaised: colour = pen.S(0.14f), copies = 1, offsets[0] = {-1, -1}; break;
    case CapEffectSunken: colour = pen.S(0.14f), copies = 1, offsets[0] = {1, 1}; break;
    case CapEffectShadow: colour = pen.tr(0x00C0C0C0), copies = 1, offsets[0] = {1, 1}; break;
    case CapEffectGlow: colour = pen.S(0.1f), copies = 4, offsets = around; break;
    case CapEffectOutline: colour = pen.S(-0.1f), copies = 4, offsets = around; break;
    default: break;
    }
    for (int i = 0; i < copies; ++i)
        DrawCaptionText(c.surface, r, look.caption, colour, offsets[size_t(i)].first, offsets[size_t(i)].second,
                        look.rightToLeft);
    const uint32_t own = look.enabled ? pen.tr(look.foreColor) : pen.tr(ops::GrayText);
    DrawCaptionText(c.surface, r, look.caption, own, 0, 0, look.rightToLeft);
}

} // namespace

Rect DropDownRect(int width, int height)
{
    return Rect{width - 15, ops::roundEven(height / 2.0 - 7), width, ops::roundEven(height / 2.0 + 8)};
}

void DrawContent(ButtonCanvas& c, const ButtonLook& look, int state)
{
    const ops::Pen pen{c, look};
    const int W = c.surface.width(), H = c.surface.height();
    // Without a normal picture there is no picture to lay out, whatever the state's picture.
    const ButtonPicture* picture =
        look.hasPictureNormal && look.picture && !look.picture->isEmpty() ? look.picture : nullptr;
    const int pw = picture ? picture->width() : 0, ph = picture ? picture->height() : 0;

    ButtonRects& rects = c.rects;
    rects.button = Rect{0, 0, W, H};
    rects.caption = layoutCaption(c, look, pw, ph);
    rects.picture = look.hasPictureNormal ? layoutPicture(c, look, rects.caption, pw, ph) : Rect{};
    rects.dropDown = look.dropDownSymbol != 0 ? DropDownRect(W, H) : Rect{};

    if (look.dropDownSeparator && W - 8 > rects.caption.right) {
        const uint32_t p = c.surface.pixel(7, 7);
        pen.line(W - 16, 3, W - 16, H - 3, ShiftColor(p, -0.1f));
        pen.line(W - 15, 3, W - 15, H - 3, ShiftColor(p, 0.1f));
    }

    const bool down = state == StateDown;
    if (down && isOneOf(look.buttonStyle, {0, 1, 5, 6, 7, 10, 11, 12})) {
        rects.caption = rects.caption.offset(1, 1);
        rects.picture = rects.picture.offset(1, 1);
        rects.dropDown = rects.dropDown.offset(1, 1);
    }

    if (picture) {
        const bool pushed = look.picturePushOnHover && state == StateHot;
        if (pushed)
            DrawPushedPicture(c.surface, rects.picture, *picture, look.blend);
        else
            DrawPicture(c.surface, rects.picture, *picture, NoSolid, look.blend);
        if (look.pictureShadow && !pushed)
            DrawPictureShadow(c.surface, rects.picture, *picture, look.blend, pen.b());
    }

    if (look.captionEffects != CapEffectNone)
        drawCaptionEffects(c, look, rects.caption);

    const uint32_t captionColour = !look.enabled        ? pen.tr(ops::GrayText)
                                   : state == StateHot ? pen.tr(look.foreColorHover)
                                                       : pen.tr(look.foreColor);
    DrawCaptionText(c.surface, rects.caption, look.caption, captionColour, 0, 0, look.rightToLeft);

    if (look.dropDownSymbol != 0) {
        if (down && isOneOf(look.buttonStyle, {0, 1, 6, 7, 11, 12}))
            rects.dropDown = rects.dropDown.offset(1, 1);
        c.surface.setTextColor(look.enabled ? pen.tr(look.foreColor) : pen.tr(ops::GrayText));
        DrawDropDownGlyph(c.surface, rects.dropDown, look.dropDownSymbol);
    }
}

} // namespace glint
