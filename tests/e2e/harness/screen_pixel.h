#pragma once
// Reading single pixels of the screen, for checks of what a control paints.
#include <cstdint>

typedef struct _XDisplay Display;

namespace e2e {

// The colour of one root-window pixel as 0xRRGGBB; 0xFFFFFFFF when it cannot be read.
uint32_t screenPixel(Display* display, int x, int y);

constexpr uint32_t rgbWord(uint32_t r, uint32_t g, uint32_t b) { return (r << 16) | (g << 8) | b; }

} // namespace e2e
