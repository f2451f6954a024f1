#pragma once
#include <QFont>
#include <QImage>
#include <QRect>
#include <cstdint>

namespace rt {

// Colours of the program are 0x00BBGGRR (red in the low byte); the surface
// stores each pixel as a 0xFFRRGGBB word. These convert between the two.
constexpr uint32_t bgrToPixel(uint32_t bgr)
{
    return 0xFF000000u | ((bgr & 0xFFu) << 16) | (bgr & 0xFF00u) | ((bgr >> 16) & 0xFFu);
}
constexpr uint32_t pixelToBgr(uint32_t pixel)
{
    return ((pixel >> 16) & 0xFFu) | (pixel & 0xFF00u) | ((pixel & 0xFFu) << 16);
}

// The 32-bit pixel surface a custom control draws into: a persistent image
// that is cleared at the start of every redraw and shown as it is by the
// control's paintEvent. Like a device context it carries a background colour
// (what clear() paints), a text colour and a font. Writes outside the image
// are clipped; the fourth byte of every pixel stays opaque.
class PixelSurface {
public:
    PixelSurface();

    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    QRect rect() const { return image_.rect(); }
    // A new size keeps nothing: the image is cleared to the background colour.
    void resize(int width, int height);
    void clear();

    uint32_t backColor() const { return backColor_; }
    void setBackColor(uint32_t bgr) { backColor_ = bgr; }
    uint32_t textColor() const { return textColor_; }
    void setTextColor(uint32_t bgr) { textColor_ = bgr; }
    const QFont& font() const { return font_; }
    void setFont(const QFont& font);
    // A new number whenever a font is set, never the same for two settings, so
    // a cache of text measurements can tell fonts apart without keeping one.
    uint64_t fontSerial() const { return fontSerial_; }

    // A pixel as 0x00BBGGRR; 0xFFFFFFFF outside the image.
    uint32_t pixel(int x, int y) const;
    void setPixel(int x, int y, uint32_t bgr);
    // Fills the part of the rectangle that lies on the image.
    void fill(const QRect& r, uint32_t bgr);
    // A one-pixel outline along the rectangle's edges (clipped likewise).
    void frame(const QRect& r, uint32_t bgr);

    // Raw rows for the compositor: 0xFFRRGGBB words.
    uint32_t* row(int y) { return reinterpret_cast<uint32_t*>(image_.scanLine(y)); }
    const uint32_t* row(int y) const { return reinterpret_cast<const uint32_t*>(image_.constScanLine(y)); }

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }

private:
    QImage image_;
    uint32_t backColor_ = 0x00FFFFFF;
    uint32_t textColor_ = 0;
    QFont font_;
    uint64_t fontSerial_;
};

} // namespace rt
