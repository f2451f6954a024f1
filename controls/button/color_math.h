#pragma once
// Colour arithmetic of the styled button. Colours are 0x00BBGGRR values; a
// value with the top bit set (0x800000nn) names system colour nn.
#include <array>
#include <cstdint>

namespace platform {
class SystemColors;
}

namespace glint {

// What TranslateColor gives for a value that names no colour (-1).
constexpr uint32_t InvalidColor = 0xFFFFFFFFu;

constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }
constexpr uint32_t redOf(uint32_t c) { return c & 0xFFu; }
constexpr uint32_t greenOf(uint32_t c) { return (c >> 8) & 0xFFu; }
constexpr uint32_t blueOf(uint32_t c) { return (c >> 16) & 0xFFu; }
// A colour the primitives can draw: a plain RGB value (top byte 0).
constexpr bool isDrawable(uint32_t c) { return (c >> 24) == 0; }

// Plain RGB passes unchanged; 0x800000nn becomes system colour nn; anything
// else, and a system colour the table does not have, gives InvalidColor.
uint32_t TranslateColor(uint32_t colour, const platform::SystemColors& table);

// Adds amount × 255 to every channel, computed exactly from the single-
// precision amount and rounded half to even; a positive amount is limited to
// 255, a negative or zero amount to 0. ShiftColor(c, 0.1f) adds 26.
uint32_t ShiftColor(uint32_t colour, float amount);

// The channel-wise average, rounded half to even (191.5 gives 192).
uint32_t MixColors(uint32_t a, uint32_t b);

// The picture effects' byte tables, built once per control.
struct PictureTables {
    std::array<uint8_t, 256> brighten{}; // v × 293 div 255, at most 255
    std::array<uint8_t, 256> darken{};   // v × 217 div 255
};
PictureTables buildPictureTables();

} // namespace glint
