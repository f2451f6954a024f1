// The face painters A to C and the content layout, run on a bare surface
// without a widget.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <functional>

#include "controls/button/glintbutton.h"
#include "controls/button/painters.h"
#include "platform/system_colors.h"

using namespace glint;

namespace {

constexpr uint32_t Bg = 0x00102030; // the cleared surface
const platform::ClassicSystemColors classic;
const uint32_t BtnFace = *classic.color(platform::ColorBtnFace);

struct Painted {
    rt::PixelSurface surface;
    ButtonRects rects;
};

// Runs one step of the paint path: the face of look.buttonStyle, or only the content.
Painted run(const ButtonLook& look, int state, int w, int h, bool contentOnly = false, uint32_t background = Bg)
{
    static int argc = 1;
    static char name[] = "button_faces_test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    Painted p;
    p.surface.setBackColor(background);
    p.surface.setFont(QFont(QStringLiteral("DejaVu Sans"), 14, QFont::Bold)); // strokes wider than a pixel
    p.surface.resize(w, h);
    ButtonCanvas c{p.surface, classic, {}, {}, {}, {}};
    if (contentOnly)
        DrawContent(c, look, state);
    else
        PaintButtonFace(c, look, state);
    p.rects = c.rects;
    return p;
}

ButtonLook lookOf(int style, int scheme, uint32_t back)
{
    ButtonLook look;
    look.buttonStyle = style;
    look.colorScheme = scheme;
    look.backColor = back;
    look.foreColor = 0;
    return look;
}

int count(const rt::PixelSurface& s, uint32_t colour)
{
    int n = 0;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            n += s.pixel(x, y) == colour;
    return n;
}

ButtonPicture solidPicture(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(10, 200, 30));
    return ButtonPicture::bitmap(img);
}

enum Flag : unsigned { Disabled = 1, Checked = 2, Focused = 4, Active = 8, RunTime = 16, FocusRect = 32 };

struct FacePixel {
    const char* what;
    int style, scheme;
    uint32_t back;
    int state;
    unsigned flags;
    int w, h, x, y;
    uint32_t expected;
};

} // namespace

// Single pixels of the faces, with an empty caption so only the face shows.
TEST(ButtonFaces, PixelsOfEveryCase)
{
    const FacePixel cases[] = {
        // Style 2, schemes 0, 1, 3: the row H - 2 is S(-0.09), each channel lowered by 23, clamped at 0.
        {"2 blue row H-2 left", 2, 0, 0x00E7EBEC, StateNormal, 0, 80, 30, 2, 28, 0x00D0D4D5},
        {"2 blue row H-2 right", 2, 0, 0x00E7EBEC, StateNormal, 0, 80, 30, 77, 28, 0x00D0D4D5},
        {"2 olive row H-2", 2, 1, 0x00DBEEF3, StateNormal, 0, 80, 30, 40, 28, 0x00C4D7DC},
        {"2 custom row H-2 clamps", 2, 3, 0x00105020, StateNormal, 0, 80, 30, 40, 28, 0x00003909},
        {"2 corner", 2, 0, 0x00E7EBEC, StateNormal, 0, 80, 30, 1, 28, 0x00C1894D},
        {"2 hot bottom line", 2, 0, 0x00E7EBEC, StateHot, 0, 80, 30, 40, 28, 0x000097E5},
        {"2 disabled face", 2, 0, 0x00E7EBEC, StateNormal, Disabled, 80, 30, 40, 15, 0x00E4E8EA},
        {"2 disabled frame", 2, 0, 0x00E7EBEC, StateNormal, Disabled, 80, 30, 0, 15, 0x00CDD1D2},
        {"2 scheme above 3: no face", 2, 4, 0x00E7EBEC, StateNormal, 0, 80, 30, 40, 15, Bg},
        {"2 scheme above 3: frame", 2, 4, 0x00E7EBEC, StateNormal, 0, 80, 30, 0, 15, 0x00743C00},
        {"2 default highlight", 2, 0, 0x00E7EBEC, StateNormal, Focused | Active, 80, 30, 40, 28, 0x00EE8269},
        // Style 3 pressed: flat halves under the dark frame, split at h2 (ties to even at H = 25).
        {"3 down above h2", 3, 2, 0x00E3E3E3, StateDown, 0, 80, 30, 40, 14, 0x00F6E4C2},
        {"3 down from h2", 3, 2, 0x00E3E3E3, StateDown, 0, 80, 30, 40, 15, 0x00F0D29A},
        {"3 down odd height above", 3, 2, 0x00E3E3E3, StateDown, 0, 80, 25, 40, 11, 0x00F6E4C2},
        {"3 down odd height from", 3, 2, 0x00E3E3E3, StateDown, 0, 80, 25, 40, 12, 0x00F0D29A},
        {"3 down frame bottom", 3, 2, 0x00E3E3E3, StateDown, 0, 80, 30, 40, 29, 0x005C411D},
        // Style 3: the corner pixels in every enabled state.
        {"3 corner normal", 3, 2, 0x00E3E3E3, StateNormal, 0, 80, 30, 1, 1, 0x00BE965F},
        {"3 corner hot", 3, 2, 0x00E3E3E3, StateHot, 0, 80, 30, 78, 1, 0x00BE965F},
        {"3 corner down", 3, 2, 0x00E3E3E3, StateDown, 0, 80, 30, 1, 28, 0x00BE965F},
        {"3 corner default", 3, 2, 0x00E3E3E3, StateNormal, Focused | Active | FocusRect, 80, 30, 78, 28, 0x00BE965F},
        {"3 corner checked", 3, 2, 0x00E3E3E3, StateDown, Checked, 80, 30, 1, 1, 0x00BE965F},
        {"3 disabled corner", 3, 2, 0x00E3E3E3, StateNormal, Disabled, 80, 30, 1, 1, 0x00DBDBDB},
        {"3 default frame", 3, 2, 0x00E3E3E3, StateNormal, Focused | Active, 80, 30, 1, 15, 0x00FBD848},
        // Painter A.
        {"0 checked face", 0, 0, BtnFace, StateNormal, Checked, 80, 30, 40, 15, 0x00CDD5D9},
        {"0 down inner frame", 0, 0, BtnFace, StateDown, 0, 80, 30, 1, 1, 0x0099A8AC},
        {"0 down outer frame", 0, 0, BtnFace, StateDown, 0, 80, 30, 0, 0, 0},
        {"1 down grey top-left", 1, 0, BtnFace, StateDown, 0, 80, 30, 0, 5, 0x00808080},
        {"11 disabled: no fill", 11, 0, BtnFace, StateNormal, Disabled, 80, 30, 40, 15, Bg},
        {"0 default frame", 0, 0, BtnFace, StateNormal, Focused, 80, 30, 79, 29, 0},
        {"0 focus at run time", 0, 0, BtnFace, StateNormal, Focused | Active | RunTime | FocusRect, 80, 30, 4, 4,
         BtnFace ^ 0x00FFFFFFu},
        {"0 no focus in a designer", 0, 0, BtnFace, StateNormal, Focused | Active | FocusRect, 80, 30, 4, 4, BtnFace},
        {"1 focus inset 3", 1, 0, BtnFace, StateNormal, Focused | Active | RunTime | FocusRect, 80, 30, 3, 3,
         BtnFace ^ 0x00FFFFFFu},
    };
    for (const FacePixel& t : cases) {
        ButtonLook look = lookOf(t.style, t.scheme, t.back);
        look.enabled = !(t.flags & Disabled);
        look.mode = t.flags & Checked ? ModeCheck : ModePush;
        look.value = t.flags & Checked;
        look.hasFocus = t.flags & Focused;
        look.parentActive = t.flags & Active;
        look.userMode = t.flags & RunTime;
        look.showFocusRect = t.flags & FocusRect;
        const Painted p = run(look, t.state, t.w, t.h);
        EXPECT_EQ(p.surface.pixel(t.x, t.y), t.expected) << t.what;
    }
}

TEST(ButtonContent, DropDownRectRoundsHalfToEven)
{
    const struct {
        int h, top, bottom;
    } cases[] = {{25, 6, 20}, {24, 5, 20}, {27, 6, 22}, {30, 8, 23}};
    for (const auto& t : cases)
        EXPECT_EQ(DropDownRect(80, t.h), (Rect{65, t.top, 80, t.bottom})) << t.h;

    ButtonLook look = lookOf(2, 0, 0x00E7EBEC);
    look.dropDownSymbol = SymbolDown;
    EXPECT_EQ(run(look, StateNormal, 80, 25, true).rects.dropDown, (Rect{65, 6, 80, 20}));
}

// Caption, picture and glyph move by (1, 1) when pressed in the styles that
// press in; the glyph moves a further pixel in some of them.
TEST(ButtonContent, PressedOffsetsByStyle)
{
    const ButtonPicture picture = solidPicture(8, 8);
    for (int style = 0; style <= 13; ++style) {
        ButtonLook look = lookOf(style, 0, 0x00E7EBEC);
        look.caption = QStringLiteral("Go");
        look.hasPictureNormal = true;
        look.picture = &picture;
        look.dropDownSymbol = SymbolDown;
        const ButtonRects up = run(look, StateNormal, 100, 30, true).rects;
        const ButtonRects down = run(look, StateDown, 100, 30, true).rects;
        const bool pressesIn = style == 0 || style == 1 || style == 5 || style == 6 || style == 7 || style == 10 ||
                               style == 11 || style == 12;
        const bool glyphFurther =
            style == 0 || style == 1 || style == 6 || style == 7 || style == 11 || style == 12;
        const int content = pressesIn ? 1 : 0, glyph = content + (glyphFurther ? 1 : 0);
        EXPECT_EQ(down.caption, up.caption.offset(content, content)) << style;
        EXPECT_EQ(down.picture, up.picture.offset(content, content)) << style;
        EXPECT_EQ(down.dropDown, up.dropDown.offset(glyph, glyph)) << style;
    }
}

TEST(ButtonContent, CaptionPlacement)
{
    ButtonLook look = lookOf(1, 0, BtnFace);
    look.caption = QStringLiteral("Go");
    look.captionAlign = CapAlignRight;
    EXPECT_EQ(run(look, StateNormal, 100, 30, true).rects.caption.right, 96);
    look.dropDownSymbol = SymbolDown;
    EXPECT_EQ(run(look, StateNormal, 100, 30, true).rects.caption.right, 80); // W - 20
    look.captionAlign = CapAlignLeft;
    EXPECT_EQ(run(look, StateNormal, 100, 30, true).rects.caption.left, 2);
}

// Where the picture goes for each PictureAlign, relative to the laid-out caption.
TEST(ButtonContent, PictureForEveryAlignment)
{
    const int W = 100, H = 40, pw = 10, ph = 8;
    const ButtonPicture picture = solidPicture(pw, ph);
    using Where = std::function<QPoint(const Rect& caption)>;
    const QPoint centre((W - pw) / 2, (H - ph) / 2);
    const struct {
        int align;
        const char* caption;
        bool dropDown;
        Where where;
    } cases[] = {
        {PicLeftEdge, "Go", false, [](const Rect&) { return QPoint(3, (H - ph) / 2); }},
        {PicLeftOfCaption, "Go", false, [](const Rect& c) { return QPoint(c.left - pw - 4, (H - ph) / 2); }},
        {PicRightEdge, "Go", false, [](const Rect&) { return QPoint(W - pw - 3, (H - ph) / 2); }},
        {PicRightOfCaption, "Go", false, [](const Rect& c) { return QPoint(c.right + 4, (H - ph) / 2); }},
        {PicBackground, "Go", false, [&](const Rect&) { return centre; }},
        {PicTopEdge, "Go", false, [](const Rect&) { return QPoint((W - pw) / 2, 4); }},
        {PicTopOfCaption, "Go", false, [](const Rect& c) { return QPoint((W - pw) / 2, c.top - ph - 2); }},
        {PicBottomEdge, "Go", true, [](const Rect&) { return QPoint((W - pw) / 2 - 8, H - ph - 4); }},
        {PicBottomOfCaption, "Go", false, [](const Rect& c) { return QPoint((W - pw) / 2, c.bottom + 2); }},
        // A caption of spaces centres the picture whatever the alignment.
        {PicLeftOfCaption, "   ", false, [&](const Rect&) { return centre; }},
        {PicRightEdge, "   ", true, [&](const Rect&) { return centre - QPoint(8, 0); }},
    };
    for (const auto& t : cases) {
        ButtonLook look = lookOf(1, 0, BtnFace);
        look.caption = QString::fromLatin1(t.caption);
        look.hasPictureNormal = true;
        look.picture = &picture;
        look.pictureAlign = t.align;
        look.dropDownSymbol = t.dropDown ? SymbolDown : SymbolNone;
        const Painted p = run(look, StateNormal, W, H, true);
        const QPoint at = t.where(p.rects.caption);
        EXPECT_EQ(p.rects.picture, (Rect{at.x(), at.y(), at.x() + pw, at.y() + ph})) << t.align << t.caption;
    }
}

// The caption in the colour of the state, and the copies of the caption effects under it.
TEST(ButtonContent, CaptionColoursAndEffects)
{
    const uint32_t fore = 0x000000FF, hover = 0x0000FF00, back = 0x00404040;
    const struct {
        const char* what;
        int state;
        bool enabled;
        int effect;
        uint32_t present, absent;
    } cases[] = {
        {"normal", StateNormal, true, CapEffectNone, fore, hover},
        {"hot", StateHot, true, CapEffectNone, hover, fore},
        {"disabled", StateNormal, false, CapEffectNone, 0x00808080, fore},
        {"raised", StateNormal, true, CapEffectRaised, 0x00646464, 0x00262626},
        {"sunken", StateNormal, true, CapEffectSunken, 0x00646464, 0x00262626},
        {"shadow", StateNormal, true, CapEffectShadow, 0x00C0C0C0, 0x00262626},
        {"glow", StateNormal, true, CapEffectGlow, 0x005A5A5A, 0x00262626},
        {"outline", StateNormal, true, CapEffectOutline, 0x00262626, 0x005A5A5A},
    };
    for (const auto& t : cases) {
        ButtonLook look = lookOf(1, 0, back);
        look.caption = QStringLiteral("HIH");
        look.foreColor = fore;
        look.foreColorHover = hover;
        look.enabled = t.enabled;
        look.captionEffects = t.effect;
        const Painted p = run(look, t.state, 80, 30, true, back);
        EXPECT_GT(count(p.surface, t.present), 0) << t.what;
        EXPECT_EQ(count(p.surface, t.absent), 0) << t.what;
    }
}

TEST(ButtonContent, SeparatorShadesThePixelUnderIt)
{
    ButtonLook look = lookOf(1, 0, BtnFace);
    look.caption = QStringLiteral("Go");
    look.dropDownSeparator = true;
    const Painted p = run(look, StateNormal, 80, 30, true, 0x00808080);
    for (int y : {3, 15, 26})
        EXPECT_EQ(std::pair(p.surface.pixel(64, y), p.surface.pixel(65, y)), std::pair(0x00666666u, 0x009A9A9Au));
    EXPECT_EQ(p.surface.pixel(64, 27), 0x00808080u);
}
