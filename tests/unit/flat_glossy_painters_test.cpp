// The face painters of styles 4 to 10, run straight on a pixel surface with an
// empty caption, so every pixel checked is the face's own.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <vector>

#include "controls/button/painters.h"
#include "platform/system_colors.h"

using namespace glint;

namespace {

const platform::ClassicSystemColors classic;
constexpr uint32_t BtnFace = 0x00C8D0D4;  // the classic button face
constexpr uint32_t Blue = 0x00FFD1AD;     // styles 8 to 10, scheme 0
constexpr uint32_t Orange = 0x00FCE1CA;   // style 5, scheme 0
constexpr uint32_t White = 0x00FFFFFF;
constexpr uint32_t SystemButtonText = 0x80000012;

enum Flag : int { Checked = 1, MouseOver = 2, Disabled = 4, LeftDown = 8, Focused = 16 };

struct Painted {
    rt::PixelSurface surface;
    std::vector<uint32_t> storedForeColors;
    int regionCalls = 0;
};

void paint(Painted& out, int style, int scheme, uint32_t back, int state, int flags, int w, int h)
{
    using Painter = void (*)(ButtonCanvas&, const ButtonLook&, int);
    static const Painter painters[] = {PaintFlatStyle,  PaintOrangeStyle,   PaintLightStyle, PaintHoverFrameStyle,
                                       PaintGlossyStyle, PaintWhiteTopStyle, PaintBandStyle};
    ASSERT_TRUE(style >= 4 && style <= 10);
    ButtonLook look;
    look.buttonStyle = style;
    look.colorScheme = scheme;
    look.backColor = back;
    look.foreColor = SystemButtonText;
    look.mode = (flags & Checked) ? 1 : 0;
    look.value = (flags & Checked) != 0;
    look.mouseOver = (flags & MouseOver) != 0;
    look.enabled = (flags & Disabled) == 0;
    look.leftDown = (flags & LeftDown) != 0;
    look.hasFocus = look.parentActive = look.showFocusRect = (flags & Focused) != 0;

    out.surface.setBackColor(0x00123456);
    out.surface.resize(w, h);
    ButtonCanvas canvas{out.surface, classic, {}, [&] { ++out.regionCalls; }, {},
                        [&](uint32_t c) { out.storedForeColors.push_back(c); }};
    painters[style - 4](canvas, look, state);
}

struct Pixel {
    const char* what;
    int style, scheme;
    uint32_t back;
    int state, flags;
    int w, h, x, y;
    uint32_t expected;
};

// Colours worked out by hand from the tables: Shift adds round(amount × 255)
// per channel, gradients step by integer division of the difference.
const Pixel pixels[] = {
    // D: scheme face f and frame c
    {"D normal is the face", 4, 0, BtnFace, StateNormal, 0, 40, 20, 5, 5, BtnFace},
    {"D hot fill f + 8", 4, 0, BtnFace, StateHot, 0, 40, 20, 5, 5, 0xF6DAC9},
    {"D hot frame over the fill", 4, 0, BtnFace, StateHot, 0, 40, 20, 0, 0, 0xC56A31},
    {"D down fill f - 20", 4, 1, BtnFace, StateDown, 0, 40, 20, 5, 5, 0xA6C2C0},
    {"D down frame", 4, 1, BtnFace, StateDown, 0, 40, 20, 39, 19, 0x70A093},
    {"D checked fill f - 13", 4, 2, BtnFace, StateDown, Checked, 40, 20, 5, 5, 0xD6D2D3},
    {"D checked under the mouse refilled f - 3", 4, 2, BtnFace, StateDown, Checked | MouseOver, 40, 20, 5, 5, 0xE0DCDD},
    {"D checked under the mouse framed again", 4, 2, BtnFace, StateDown, Checked | MouseOver, 40, 20, 0, 7, 0xBFB4B2},
    {"D custom scheme lights the face", 4, 3, 0x808080, StateHot, 0, 40, 20, 5, 5, 0x888888},
    {"D custom scheme frame S(-0.12)", 4, 3, 0x808080, StateHot, 0, 40, 20, 0, 0, 0x616161},
    {"D unknown scheme frames black", 4, 7, BtnFace, StateHot, 0, 40, 20, 0, 0, 0},
    {"D disabled is drawn by its state", 4, 0, BtnFace, StateHot, Disabled, 40, 20, 5, 5, 0xF6DAC9},
    // E
    {"E normal top row Mix(white, S(0.08))", 5, 0, Orange, StateNormal, 0, 40, 20, 5, 0, 0xFFFAEE},
    {"E normal row h2 - 1 is the face", 5, 0, Orange, StateNormal, 0, 40, 20, 5, 9, Orange},
    {"E normal lower half spread over h2 + 1 rows", 5, 0, Orange, StateNormal, 0, 40, 20, 5, 19, 0xDABFA8},
    // At an odd height the lower gradient runs over round(H / 2 + 1) rows, not h2 + 1.
    {"E normal lower half at H = 41, row 30", 5, 0, Orange, StateNormal, 0, 65, 41, 5, 30, 0xEACFB8},
    {"E normal lower half at H = 41, last row", 5, 0, Orange, StateNormal, 0, 65, 41, 5, 40, 0xD8BDA6},
    {"E normal lower half at H = 27, last row", 5, 0, Orange, StateNormal, 0, 80, 27, 5, 26, 0xD9BEA7},
    {"E hot gradient", 5, 0, Orange, StateHot, 0, 40, 20, 5, 1, 0xC9F3FF},
    {"E hot frame", 5, 0, Orange, StateHot, 0, 40, 20, 0, 5, 0x800000},
    {"E checked", 5, 0, Orange, StateDown, Checked, 40, 20, 5, 1, 0x8AD3FF},
    {"E checked under the mouse", 5, 0, Orange, StateDown, Checked | MouseOver, 40, 20, 5, 1, 0x5194FE},
    {"E down", 5, 0, Orange, StateDown, 0, 40, 20, 5, 1, 0x5194FE},
    // F
    {"F normal is the face", 6, 0, BtnFace, StateNormal, 0, 40, 20, 5, 5, BtnFace},
    {"F down fill", 6, 0, BtnFace, StateDown, 0, 40, 20, 5, 5, 0xDDE4E5},
    {"F down second row", 6, 0, BtnFace, StateDown, 0, 40, 20, 5, 1, 0xCCD5D7},
    {"F down frame", 6, 0, BtnFace, StateDown, 0, 40, 20, 0, 5, 0x929D9D},
    {"F down corners last", 6, 0, BtnFace, StateDown, 0, 40, 20, 1, 1, 0x788182},
    {"F hot row H - 2", 6, 0, BtnFace, StateHot, 0, 40, 20, 5, 18, 0xC6D2D7},
    {"F hot column W - 3", 6, 0, BtnFace, StateHot, 0, 40, 20, 37, 5, 0xEAF0F0},
    {"F hot corners over the lines", 6, 0, BtnFace, StateHot, 0, 40, 20, 38, 18, 0xBCC7C7},
    {"F checked fill", 6, 0, BtnFace, StateHot, Checked, 40, 20, 5, 5, 0xFEFEFE},
    {"F checked hot column W - 2", 6, 0, BtnFace, StateHot, Checked, 40, 20, 38, 5, 0xEDF0F2},
    {"F checked hot row H - 4", 6, 0, BtnFace, StateHot, Checked, 40, 20, 5, 16, 0xF8F9FA},
    {"F checked normal has no hot lines", 6, 0, BtnFace, StateNormal, Checked, 40, 20, 5, 16, 0xFEFEFE},
    {"F checked corners", 6, 0, BtnFace, StateNormal, Checked, 40, 20, 1, 18, 0x8E806D},
    {"F checked under a left press is down", 6, 0, BtnFace, StateNormal, Checked | LeftDown, 40, 20, 5, 5, 0xDDE4E5},
    // G: the hot split at round(H / 1.7) = 12 for H = 20
    {"G normal is the face", 7, 0, BtnFace, StateNormal, 0, 40, 20, 5, 5, BtnFace},
    {"G hot row 11 on the first gradient", 7, 0, BtnFace, StateHot, 0, 40, 20, 5, 11, 0xFBF2DE},
    {"G hot row 12 flat", 7, 0, BtnFace, StateHot, 0, 40, 20, 5, 12, 0xF8ECD0},
    {"G hot outer frame", 7, 0, BtnFace, StateHot, 0, 40, 20, 0, 5, 0xCA9E61},
    {"G hot inner white frame", 7, 0, BtnFace, StateHot, 0, 40, 20, 1, 5, White},
    {"G hot corners", 7, 0, BtnFace, StateHot, 0, 40, 20, 1, 1, 0xFFEBAE},
    {"G down gradient", 7, 0, BtnFace, StateDown, 0, 40, 20, 5, 2, 0xF1DFB2},
    {"G disabled flat with face corners", 7, 0, BtnFace, StateHot, Disabled, 40, 20, 1, 1, BtnFace},
    // H at H = 27: t = 10, u = 17
    {"H normal row 9 ends the gloss", 8, 0, Blue, StateNormal, 0, 40, 27, 5, 9, 0xFFDAB6},
    {"H normal row 10 starts the lower half", 8, 0, Blue, StateNormal, 0, 40, 27, 5, 10, Blue},
    {"H normal lower half", 8, 0, Blue, StateNormal, 0, 40, 27, 5, 25, 0xFFD8B4},
    {"H frame S(-0.34)", 8, 0, Blue, StateNormal, 0, 40, 27, 0, 5, 0xA87A56},
    {"H hot row 9", 8, 0, Blue, StateHot, 0, 40, 27, 5, 9, 0xACEAFF},
    {"H hot row 10", 8, 0, Blue, StateHot, 0, 40, 27, 5, 10, 0x67D7FF},
    {"H down row 10", 8, 0, Blue, StateDown, 0, 40, 27, 5, 10, 0x468FFF},
    {"H checked row 9", 8, 0, Blue, StateDown, Checked, 40, 27, 5, 9, 0x6FC0FF},
    {"H checked row 10", 8, 0, Blue, StateDown, Checked, 40, 27, 5, 10, 0x3FABFF},
    {"H checked under the mouse", 8, 0, Blue, StateDown, Checked | MouseOver, 40, 27, 5, 10, 0x468FFF},
    {"H checked frame", 8, 0, Blue, StateDown, Checked | MouseOver, 40, 27, 39, 5, 0xA87A56},
    // I
    {"I normal top frame S(-0.2)", 9, 0, Blue, StateNormal, 0, 40, 20, 5, 0, 0xCC9E7A},
    {"I normal white inner frame", 9, 0, Blue, StateNormal, 0, 40, 20, 5, 1, White},
    {"I normal upper gradient", 9, 0, Blue, StateNormal, 0, 40, 20, 5, 5, 0xFFE6D2},
    {"I normal lower half", 9, 0, Blue, StateNormal, 0, 40, 20, 5, 15, Blue},
    {"I normal bottom line", 9, 0, Blue, StateNormal, 0, 40, 20, 5, 19, 0xBF916D},
    {"I corners S(0.05)", 9, 0, Blue, StateHot, 0, 40, 20, 1, 1, 0xFFDEBA},
    {"I down frame S(-0.23)", 9, 0, Blue, StateDown, 0, 40, 20, 0, 5, 0xC49672},
    {"I down bottom line", 9, 0, Blue, StateDown, 0, 40, 20, 5, 19, 0x996B47},
    {"I down lower gradient", 9, 0, Blue, StateDown, 0, 40, 20, 5, 15, 0xE8BA96},
    {"I disabled drawn as normal", 9, 0, Blue, StateDown, Disabled, 40, 20, 5, 15, Blue},
    {"I focus inverts even pixels", 9, 0, Blue, StateNormal, Focused, 40, 20, 3, 3, 0x000F1B},
    {"I focus leaves odd pixels", 9, 0, Blue, StateNormal, Focused, 40, 20, 4, 3, 0xFFF0E4},
    // J: row 5 keeps the fill
    {"J normal row 5 is S(-0.03)", 10, 0, Blue, StateNormal, 0, 40, 20, 5, 5, 0xF7C9A5},
    {"J normal band", 10, 0, Blue, StateNormal, 0, 40, 20, 5, 1, 0xFFF4E0},
    {"J normal band ends on the face", 10, 0, Blue, StateNormal, 0, 40, 20, 5, 4, Blue},
    {"J normal row 6", 10, 0, Blue, StateNormal, 0, 40, 20, 5, 6, 0xF2C4A0},
    {"J normal frame S(-0.33)", 10, 0, Blue, StateNormal, 0, 40, 20, 5, 0, 0xAB7D59},
    {"J corners S(-0.36)", 10, 0, Blue, StateNormal, 0, 40, 20, 1, 1, 0xA37551},
    {"J hot row 5", 10, 0, Blue, StateHot, 0, 40, 20, 5, 5, 0xF7C9A5},
    {"J hot frame S(-0.28)", 10, 0, Blue, StateHot, 0, 40, 20, 0, 5, 0xB88A66},
    {"J down row 6", 10, 0, Blue, StateDown, 0, 40, 20, 5, 6, 0xEBBD99},
    {"J down frame S(-0.36)", 10, 0, Blue, StateDown, 0, 40, 20, 0, 5, 0xA37551},
    {"J disabled row 5 is the face", 10, 0, Blue, StateNormal, Disabled, 40, 20, 5, 5, Blue},
    {"J disabled frame S(-0.2)", 10, 0, Blue, StateNormal, Disabled, 40, 20, 0, 5, 0xCC9E7A},
    {"J disabled corners S(-0.23)", 10, 0, Blue, StateNormal, Disabled, 40, 20, 1, 1, 0xC49672},
};

class FacePainters : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "flat_glossy_painters_test";
        static char* argv[] = {name, nullptr};
        static QGuiApplication app(argc, argv);
    }
};

} // namespace

TEST_F(FacePainters, EveryPixelOfTheTable)
{
    for (const Pixel& p : pixels) {
        Painted out;
        paint(out, p.style, p.scheme, p.back, p.state, p.flags, p.w, p.h);
        EXPECT_EQ(out.surface.pixel(p.x, p.y), p.expected)
            << p.what << std::hex << ": got 0x" << out.surface.pixel(p.x, p.y) << ", expected 0x" << p.expected;
    }
}

TEST_F(FacePainters, LightStyleStoresTheCaptionColour)
{
    struct Case {
        const char* what;
        int state, flags;
        uint32_t last;
    } cases[] = {
        {"pressed", StateDown, 0, White},
        {"normal", StateNormal, 0, SystemButtonText},
        {"hot", StateHot, 0, SystemButtonText},
        {"checked", StateHot, Checked, SystemButtonText},
        {"checked under a left press", StateNormal, Checked | LeftDown, White},
    };
    for (const Case& c : cases) {
        Painted out;
        paint(out, 6, 0, BtnFace, c.state, c.flags, 40, 20);
        ASSERT_FALSE(out.storedForeColors.empty()) << c.what;
        EXPECT_EQ(out.storedForeColors.back(), c.last) << c.what;
    }
}

// The window shape is given again only in the states that call for it.
TEST_F(FacePainters, RegionOnlyWhereTheTableAsksForIt)
{
    struct Case {
        int style, state, flags, calls;
    } cases[] = {
        {4, StateNormal, 0, 0}, {5, StateNormal, 0, 1}, {5, StateHot, 0, 0},   {6, StateNormal, 0, 1},
        {6, StateDown, 0, 0},   {7, StateNormal, 0, 1}, {7, StateNormal, Disabled, 0}, {8, StateNormal, 0, 0},
        {9, StateNormal, 0, 1}, {9, StateHot, 0, 0},    {9, StateDown, Disabled, 1}, {10, StateNormal, 0, 1},
        {10, StateDown, 0, 0},
    };
    for (const Case& c : cases) {
        Painted out;
        paint(out, c.style, 0, Blue, c.state, c.flags, 40, 20);
        EXPECT_EQ(out.regionCalls, c.calls) << "style " << c.style << " state " << c.state << " flags " << c.flags;
    }
}
