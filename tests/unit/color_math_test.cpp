#include <gtest/gtest.h>

#include <utility>

#include "controls/button/color_math.h"
#include "platform/system_colors.h"

using namespace glint;

namespace {

uint32_t grey(uint32_t v) { return rgb(v, v, v); }

// Every amount the painters use, with what it adds to each channel.
const std::pair<float, int> amountTable[] = {
    {0.01f, 3},  {0.02f, 5},  {0.03f, 8},  {0.04f, 10}, {0.05f, 13}, {0.06f, 15}, {0.07f, 18}, {0.08f, 20},
    {0.09f, 23}, {0.1f, 26},  {0.12f, 31}, {0.14f, 36}, {0.15f, 38}, {0.16f, 41}, {0.2f, 51},  {0.22f, 56},
    {0.23f, 59}, {0.25f, 64}, {0.28f, 71}, {0.3f, 77},  {0.33f, 84}, {0.34f, 87}, {0.36f, 92}, {0.4f, 102},
};

} // namespace

TEST(ShiftColor, EveryAmountOfThePaintersBothWays)
{
    for (auto [amount, change] : amountTable) {
        SCOPED_TRACE(amount);
        EXPECT_EQ(ShiftColor(grey(120), amount), grey(uint32_t(120 + change)));
        EXPECT_EQ(ShiftColor(grey(120), -amount), grey(uint32_t(120 - change)));
    }
}

TEST(ShiftColor, ChannelsMoveIndependentlyAndClamp)
{
    EXPECT_EQ(ShiftColor(0x00102030, 0.05f), 0x001D2D3Du);
    EXPECT_EQ(ShiftColor(0x00FFFFFF, 0.1f), 0x00FFFFFFu);
    EXPECT_EQ(ShiftColor(0, -0.1f), 0u);
    // Only the end the amount moves towards is limited.
    EXPECT_EQ(ShiftColor(rgb(250, 0, 100), 0.1f), rgb(255, 26, 126));
    EXPECT_EQ(ShiftColor(rgb(250, 10, 100), -0.1f), rgb(224, 0, 74));
    EXPECT_EQ(ShiftColor(rgb(7, 8, 9), 0.0f), rgb(7, 8, 9));
    // The top byte of the input does not leak into the result.
    EXPECT_EQ(ShiftColor(0xFFFFFFFFu, -0.1f), grey(229));
}

TEST(MixColors, RoundsHalvesToEven)
{
    EXPECT_EQ(MixColors(0x00808080, 0x00FFFFFF), 0x00C0C0C0u);
    EXPECT_EQ(MixColors(rgb(1, 2, 3), rgb(2, 3, 4)), rgb(2, 2, 4));
    EXPECT_EQ(MixColors(rgb(0, 255, 10), rgb(0, 255, 20)), rgb(0, 255, 15));
}

TEST(TranslateColor, PlainSystemAndInvalidValues)
{
    const platform::ClassicSystemColors table;
    EXPECT_EQ(TranslateColor(0x00123456, table), 0x00123456u);
    EXPECT_EQ(TranslateColor(0x8000000F, table), *table.color(platform::ColorBtnFace));
    EXPECT_EQ(TranslateColor(0x80000012, table), 0u);                // button text: black
    EXPECT_EQ(TranslateColor(0x80000005, table), 0x00FFFFFFu);       // window: white
    EXPECT_EQ(TranslateColor(0x80000019, table), InvalidColor);      // the unused slot
    EXPECT_EQ(TranslateColor(0x8000001F, table), InvalidColor);      // past the table
    EXPECT_EQ(TranslateColor(0x80000100, table), InvalidColor);
    EXPECT_EQ(TranslateColor(0x01000000, table), InvalidColor);
}

TEST(PictureTables, BrightenAndDarkenBytes)
{
    const PictureTables t = buildPictureTables();
    EXPECT_EQ(t.brighten[0], 0);
    EXPECT_EQ(t.brighten[200], 229);
    EXPECT_EQ(t.brighten[222], 255); // 255.1 truncates to 255
    EXPECT_EQ(t.brighten[223], 255); // 256 is limited
    EXPECT_EQ(t.brighten[255], 255);
    EXPECT_EQ(t.darken[0], 0);
    EXPECT_EQ(t.darken[100], 85);
    EXPECT_EQ(t.darken[255], 217);
    for (int v = 1; v < 256; ++v) {
        EXPECT_GE(t.brighten[size_t(v)], t.brighten[size_t(v - 1)]);
        EXPECT_GE(t.darken[size_t(v)], t.darken[size_t(v - 1)]);
    }
}
