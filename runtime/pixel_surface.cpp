#include "runtime/pixel_surface.h"

#include <algorithm>
#include <atomic>

namespace rt {

namespace {

uint64_t nextFontSerial()
{
    static std::atomic<uint64_t> serial{0};
    return ++serial;
}

} // namespace

PixelSurface::PixelSurface() : image_(0, 0, QImage::Format_RGB32), fontSerial_(nextFontSerial()) {}

void PixelSurface::setFont(const QFont& font)
{
    font_ = font;
    fontSerial_ = nextFontSerial();
}

void PixelSurface::resize(int width, int height)
{
    if (width == image_.width() && height == image_.height())
        return;
    image_ = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    clear();
}

void PixelSurface::clear() { image_.fill(bgrToPixel(backColor_)); }

uint32_t PixelSurface::pixel(int x, int y) const
{
    if (!image_.rect().contains(x, y))
        return 0xFFFFFFFFu;
    return pixelToBgr(row(y)[x]);
}

void PixelSurface::setPixel(int x, int y, uint32_t bgr)
{
    if (image_.rect().contains(x, y))
        row(y)[x] = bgrToPixel(bgr);
}

void PixelSurface::fill(const QRect& r, uint32_t bgr)
{
    const QRect clipped = r.intersected(image_.rect());
    if (clipped.isEmpty())
        return;
    // One detach for the whole rectangle, not one per row.
    const uint32_t word = bgrToPixel(bgr);
    uint32_t* line = row(clipped.top()) + clipped.left();
    const qsizetype stride = image_.bytesPerLine() / qsizetype(sizeof(uint32_t));
    for (int y = clipped.top(); y <= clipped.bottom(); ++y, line += stride)
        std::fill(line, line + clipped.width(), word);
}

void PixelSurface::frame(const QRect& r, uint32_t bgr)
{
    if (r.isEmpty())
        return;
    fill(QRect(r.topLeft(), r.topRight()), bgr);
    fill(QRect(r.bottomLeft(), r.bottomRight()), bgr);
    fill(QRect(r.topLeft(), r.bottomLeft()), bgr);
    fill(QRect(r.topRight(), r.bottomRight()), bgr);
}

} // namespace rt
