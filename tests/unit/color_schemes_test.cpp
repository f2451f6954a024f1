#include <gtest/gtest.h>

#include "controls/button/color_math.h"
#include "controls/button/color_schemes.h"
#include "platform/system_colors.h"

using namespace glint;

namespace {

const platform::ClassicSystemColors colours;
const uint32_t btnFace = *colours.color(platform::ColorBtnFace);

uint32_t faceFor(int style, int scheme, uint32_t before = 0x00ABCDEF)
{
    SchemeProperties p;
    p.backColor = before;
    p.colorScheme = scheme;
    applySchemeColors(style, p, colours);
    return p.backColor;
}

} // namespace

TEST(ChooseDefaultScheme, ByStyle)
{
    for (int style : {3, 9})
        EXPECT_EQ(defaultSchemeFor(style, SchemeOlive), SchemeSilver) << style;
    for (int style : {0, 1, 2, 4, 6, 7, 8, 10})
        EXPECT_EQ(defaultSchemeFor(style, SchemeSilver), SchemeBlue) << style;
    for (int style : {5, 11, 12, 13, 14, -1})
        EXPECT_EQ(defaultSchemeFor(style, SchemeOlive), SchemeOlive) << style;
}

TEST(ApplySchemeColors, FaceOfEveryStyleAndScheme)
{
    struct Row {
        int style;
        uint32_t faces[3];
    };
    const Row rows[] = {
        {2, {0x00E7EBEC, 0x00DBEEF3, 0x00FCF1F0}},  {3, {0x00FDECE0, 0x00DEEDE8, 0x00E3E3E3}},
        {5, {0x00FCE1CA, 0x00BAD6D4, 0x00E0C4C6}},  {8, {0x00FFD1AD, 0x00BAD6D4, 0x00E3DFE0}},
        {10, {0x00FFD1AD, 0x00BAD6D4, 0x00E3DFE0}}, {9, {0x00FFD1AD, 0x00BAD6D4, 0x00E1D6D5}},
    };
    for (const Row& row : rows) {
        for (int scheme = 0; scheme < 3; ++scheme)
            EXPECT_EQ(faceFor(row.style, scheme), row.faces[scheme]) << row.style << "/" << scheme;
        EXPECT_EQ(faceFor(row.style, SchemeCustom), 0x00ABCDEFu) << row.style;
        EXPECT_EQ(faceFor(row.style, 7), 0x00ABCDEFu) << row.style;
    }
    for (int style : {0, 1, 4, 6, 7, 11, 12})
        for (int scheme : {0, 1, 2, 3})
            EXPECT_EQ(faceFor(style, scheme), btnFace) << style << "/" << scheme;
    EXPECT_EQ(faceFor(13, 0), 0x00ABCDEFu);
}

TEST(ApplySchemeColors, ResetsCaptionColourFocusRectAndPush)
{
    for (int style = 0; style <= 13; ++style) {
        SchemeProperties p;
        p.foreColor = 0x00112233;
        p.showFocusRect = true;
        p.picturePushOnHover = false;
        applySchemeColors(style, p, colours);
        EXPECT_EQ(p.foreColor, 0u) << style; // the button-text colour
        EXPECT_EQ(p.showFocusRect, style == 0 || style == 1 || style == 9) << style;
        EXPECT_EQ(p.picturePushOnHover, style == 4) << style;
    }
    SchemeProperties keep;
    keep.picturePushOnHover = true;
    applySchemeColors(2, keep, colours);
    EXPECT_TRUE(keep.picturePushOnHover);
}
