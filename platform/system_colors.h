#pragma once
#include <array>
#include <cstdint>
#include <optional>

namespace platform {

// Indexes into the system colour table (a colour value 0x800000nn names entry nn).
enum SystemColorIndex : int {
    ColorScrollBar = 0,
    ColorBackground = 1,
    ColorActiveCaption = 2,
    ColorInactiveCaption = 3,
    ColorMenu = 4,
    ColorWindow = 5,
    ColorWindowFrame = 6,
    ColorMenuText = 7,
    ColorWindowText = 8,
    ColorCaptionText = 9,
    ColorActiveBorder = 10,
    ColorInactiveBorder = 11,
    ColorAppWorkspace = 12,
    ColorHighlight = 13,
    ColorHighlightText = 14,
    ColorBtnFace = 15,
    ColorBtnShadow = 16,
    ColorGrayText = 17,
    ColorBtnText = 18,
    ColorInactiveCaptionText = 19,
    ColorBtnHighlight = 20,
    Color3DDarkShadow = 21,
    Color3DLight = 22,
    ColorInfoText = 23,
    ColorInfoBk = 24,
    // 25 is an unused slot
    ColorHotLight = 26,
    ColorGradientActiveCaption = 27,
    ColorGradientInactiveCaption = 28,
    ColorMenuHilight = 29,
    ColorMenuBar = 30,
};

// The system colour table: colours as 0x00BBGGRR values.
class SystemColors {
public:
    virtual ~SystemColors() = default;
    // Empty for an index that names no system colour.
    virtual std::optional<uint32_t> color(int index) const = 0;
};

namespace detail {
constexpr uint32_t Unused = 0xFFFFFFFFu;
constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }
constexpr std::array<uint32_t, 31> classicTable{
    rgb(212, 208, 200), // scroll bar
    rgb(58, 110, 165),  // desktop
    rgb(10, 36, 106),   // active caption
    rgb(128, 128, 128), // inactive caption
    rgb(212, 208, 200), // menu
    rgb(255, 255, 255), // window
    rgb(0, 0, 0),       // window frame
    rgb(0, 0, 0),       // menu text
    rgb(0, 0, 0),       // window text
    rgb(255, 255, 255), // caption text
    rgb(212, 208, 200), // active border
    rgb(212, 208, 200), // inactive border
    rgb(128, 128, 128), // application workspace
    rgb(10, 36, 106),   // highlight
    rgb(255, 255, 255), // highlight text
    rgb(212, 208, 200), // button face
    rgb(128, 128, 128), // button shadow
    rgb(128, 128, 128), // grey text
    rgb(0, 0, 0),       // button text
    rgb(212, 208, 200), // inactive caption text
    rgb(255, 255, 255), // button highlight
    rgb(64, 64, 64),    // 3-D dark shadow
    rgb(212, 208, 200), // 3-D light
    rgb(0, 0, 0),       // tooltip text
    rgb(255, 255, 225), // tooltip background
    Unused,
    rgb(0, 0, 128),     // hot-tracked item
    rgb(166, 202, 240), // active caption gradient
    rgb(192, 192, 192), // inactive caption gradient
    rgb(10, 36, 106),   // menu highlight
    rgb(212, 208, 200), // menu bar
};
} // namespace detail

// The classic default colour table. It is fixed, so every backend (and every
// test) sees the same colours and the designed colours look as designed.
class ClassicSystemColors final : public SystemColors {
public:
    std::optional<uint32_t> color(int index) const override
    {
        const auto& table = detail::classicTable;
        if (index < 0 || index >= int(table.size()) || table[size_t(index)] == detail::Unused)
            return std::nullopt;
        return table[size_t(index)];
    }
};

} // namespace platform
