#include "controls/button/color_math.h"

#include <algorithm>
#include <cmath>

#include "platform/system_colors.h"

namespace glint {

uint32_t TranslateColor(uint32_t colour, const platform::SystemColors& table)
{
    if ((colour >> 24) == 0)
        return colour;
    if ((colour & 0xFFFFFF00u) != 0x80000000u)
        return InvalidColor;
    return table.color(int(colour & 0xFFu)).value_or(InvalidColor);
}

namespace {

int shiftChannel(uint32_t channel, float amount)
{
    // float × 255 is exact in double, so only the final rounding rounds.
    const double r = std::nearbyint(double(channel) + double(amount) * 255.0);
    return amount > 0 ? int(std::min(r, 255.0)) : int(std::max(r, 0.0));
}

uint32_t pack(int r, int g, int b) { return uint32_t(r) + 256u * uint32_t(g) + 65536u * uint32_t(b); }

} // namespace

uint32_t ShiftColor(uint32_t colour, float amount)
{
    return pack(shiftChannel(redOf(colour), amount), shiftChannel(greenOf(colour), amount),
                shiftChannel(blueOf(colour), amount));
}

uint32_t MixColors(uint32_t a, uint32_t b)
{
    auto mix = [](uint32_t x, uint32_t y) { return int(std::nearbyint((double(x) + double(y)) / 2.0)); };
    return pack(mix(redOf(a), redOf(b)), mix(greenOf(a), greenOf(b)), mix(blueOf(a), blueOf(b)));
}

PictureTables buildPictureTables()
{
    PictureTables t;
    for (int v = 0; v < 256; ++v) {
        t.brighten[size_t(v)] = uint8_t(std::min(v * 293 / 255, 255));
        t.darken[size_t(v)] = uint8_t(v * 217 / 255);
    }
    return t;
}

} // namespace glint
