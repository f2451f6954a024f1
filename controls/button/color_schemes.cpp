#include "controls/button/color_schemes.h"

#include <array>
#include <optional>

#include "controls/button/color_math.h"
#include "platform/system_colors.h"

namespace glint {

int defaultSchemeFor(int buttonStyle, int currentScheme)
{
    switch (buttonStyle) {
    case 3: case 9:
        return SchemeSilver;
    case 0: case 1: case 2: case 4: case 6: case 7: case 8: case 10:
        return SchemeBlue;
    default:
        return currentScheme;
    }
}

namespace {

// The face colours of the scheme-driven styles for schemes 0, 1 and 2.
std::optional<std::array<uint32_t, 3>> schemeFaces(int buttonStyle)
{
    switch (buttonStyle) {
    case 2: return std::array<uint32_t, 3>{0x00E7EBEC, 0x00DBEEF3, 0x00FCF1F0};
    case 3: return std::array<uint32_t, 3>{0x00FDECE0, 0x00DEEDE8, ShiftColor(0x00D4D4D4, 0.06f)};
    case 5: return std::array<uint32_t, 3>{0x00FCE1CA, 0x00BAD6D4, ShiftColor(0x00BA9EA0, 0.15f)};
    case 8: case 10: return std::array<uint32_t, 3>{0x00FFD1AD, 0x00BAD6D4, 0x00E3DFE0};
    case 9: return std::array<uint32_t, 3>{0x00FFD1AD, 0x00BAD6D4, 0x00E1D6D5};
    default: return std::nullopt;
    }
}

} // namespace

void applySchemeColors(int buttonStyle, SchemeProperties& p, const platform::SystemColors& colours)
{
    const auto sys = [&](int index) { return TranslateColor(0x80000000u | uint32_t(index), colours); };
    if (const auto faces = schemeFaces(buttonStyle)) {
        if (p.colorScheme >= 0 && p.colorScheme <= 2)
            p.backColor = TranslateColor((*faces)[size_t(p.colorScheme)], colours);
    } else if (buttonStyle != 13 && buttonStyle >= 0 && buttonStyle <= 12) {
        p.backColor = sys(platform::ColorBtnFace);
    }
    p.foreColor = sys(platform::ColorBtnText);
    p.showFocusRect = buttonStyle == 0 || buttonStyle == 1 || buttonStyle == 9;
    if (buttonStyle == 4)
        p.picturePushOnHover = true;
}

} // namespace glint
