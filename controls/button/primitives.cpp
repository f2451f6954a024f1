#include "controls/button/primitives.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "controls/button/color_math.h"
#include "platform/system_colors.h"

namespace glint {

void DrawLine(rt::PixelSurface& s, int x1, int y1, int x2, int y2, uint32_t colour)
{
    if (!isDrawable(colour))
        return;
    // Most lines of the faces are level or upright: one fill each.
    if (y1 == y2 && x1 != x2) {
        s.fill(x1 < x2 ? QRect(x1, y1, x2 - x1, 1) : QRect(x2 + 1, y1, x1 - x2, 1), colour);
        return;
    }
    if (x1 == x2 && y1 != y2) {
        s.fill(y1 < y2 ? QRect(x1, y1, 1, y2 - y1) : QRect(x1, y2 + 1, 1, y1 - y2), colour);
        return;
    }
    // Bresenham from the start point; the loop stops before the end point.
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    while (x != x2 || y != y2) {
        s.setPixel(x, y, colour);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void FrameBox(rt::PixelSurface& s, int left, int top, int width, int height, uint32_t colour)
{
    if (isDrawable(colour) && width > 0 && height > 0)
        s.frame(QRect(left, top, width, height), colour);
}

void FillBox(rt::PixelSurface& s, uint32_t colour, const Rect& r)
{
    if (isDrawable(colour) && r.right > r.left && r.bottom > r.top)
        s.fill(QRect(r.left, r.top, r.width(), r.height()), colour);
}

void SetCornerPixels(rt::PixelSurface& s, uint32_t colour)
{
    if (!isDrawable(colour))
        return;
    const int w = s.width(), h = s.height();
    s.setPixel(1, 1, colour);
    s.setPixel(1, h - 2, colour);
    s.setPixel(w - 2, 1, colour);
    s.setPixel(w - 2, h - 2, colour);
}

namespace {

// start + (i × d) div n for i = 0, 1, 2, …, the division truncating toward
// zero (also for a falling channel), one step at a time instead of one
// division per step: a gradient's table is a good part of its cost.
class ChannelRamp {
public:
    ChannelRamp(int start, int d, int n) : start_(start), sign_(d < 0 ? -1 : 1), whole_(std::abs(d) / n),
                                           part_(std::abs(d) % n), n_(n) {}
    int next()
    {
        const int v = start_ + sign_ * quotient_;
        quotient_ += whole_;
        remainder_ += part_;
        if (remainder_ >= n_) {
            ++quotient_;
            remainder_ -= n_;
        }
        return v;
    }

private:
    int start_, sign_, whole_, part_, n_;
    int quotient_ = 0, remainder_ = 0;
};

} // namespace

void DrawGradient(rt::PixelSurface& s, int left, int top, int width, int height, uint32_t colour1, uint32_t colour2,
                  int direction)
{
    if (width <= 0 || height <= 0)
        return;
    const int r1 = int(redOf(colour1)), g1 = int(greenOf(colour1)), b1 = int(blueOf(colour1));
    const int r2 = int(redOf(colour2)), g2 = int(greenOf(colour2)), b2 = int(blueOf(colour2));
    const int dr = r2 - r1, dg = g2 - g1, db = b2 - b1;
    const bool horizontal = direction == GradientHorizontal;
    const int n = horizontal ? width - 1 : height - 1;
    std::vector<uint32_t> steps(size_t(n) + 1);
    if (n > 0) {
        ChannelRamp red(r1, dr, n), green(g1, dg, n), blue(b1, db, n);
        for (int i = 0; i <= n; ++i)
            steps[size_t(i)] = bgrToPixel(rgb(uint32_t(red.next()), uint32_t(green.next()), uint32_t(blue.next())));
    } else {
        steps[0] = bgrToPixel(rgb(uint32_t(r1 / 2 + r2 / 2), uint32_t(g1 / 2 + g2 / 2), uint32_t(b1 / 2 + b2 / 2)));
    }
    const int x0 = std::max(left, 0), x1 = std::min(left + width, s.width());
    const int y0 = std::max(top, 0), y1 = std::min(top + height, s.height());
    if (x0 >= x1 || y0 >= y1)
        return;
    uint32_t* line = s.row(y0); // one detach for the whole block
    const qsizetype stride = s.image().bytesPerLine() / qsizetype(sizeof(uint32_t));
    for (int y = y0; y < y1; ++y, line += stride) {
        if (horizontal)
            std::copy(steps.begin() + (x0 - left), steps.begin() + (x1 - left), line + x0);
        else
            std::fill(line + x0, line + x1, steps[size_t(y - top)]);
    }
}

namespace {

// One ring of an edge: the top and left sides first, then the bottom and
// right sides, which own the two corners they share with the first pair.
void edgeRing(rt::PixelSurface& s, const Rect& r, uint32_t topLeft, uint32_t bottomRight)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    DrawLine(s, r.left, r.top, r.right - 1, r.top, topLeft);
    DrawLine(s, r.left, r.top, r.left, r.bottom - 1, topLeft);
    DrawLine(s, r.left, r.bottom - 1, r.right, r.bottom - 1, bottomRight);
    DrawLine(s, r.right - 1, r.top, r.right - 1, r.bottom, bottomRight);
}

} // namespace

void DrawEdge(rt::PixelSurface& s, const Rect& r, int flags, const platform::SystemColors& colours)
{
    auto sys = [&](int index) { return colours.color(index).value_or(InvalidColor); };
    const uint32_t light = sys(platform::Color3DLight), dark = sys(platform::Color3DDarkShadow);
    const uint32_t highlight = sys(platform::ColorBtnHighlight), shadow = sys(platform::ColorBtnShadow);
    if (flags & BdrRaisedOuter)
        edgeRing(s, r, light, dark);
    else if (flags & BdrSunkenOuter)
        edgeRing(s, r, shadow, highlight);
    // Without an outer border the inner one takes the outer ring (a thin one-pixel edge).
    const Rect inner = flags & (BdrRaisedOuter | BdrSunkenOuter) ? r.inset(1) : r;
    if (flags & BdrRaisedInner)
        edgeRing(s, inner, highlight, shadow);
    else if (flags & BdrSunkenInner)
        edgeRing(s, inner, dark, light);
}

void DrawFocusRect(rt::PixelSurface& s, const Rect& r)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    auto invert = [&](int x, int y) {
        if ((x + y) % 2 == 0 && s.rect().contains(x, y))
            s.setPixel(x, y, s.pixel(x, y) ^ 0x00FFFFFFu);
    };
    for (int x = r.left; x < r.right; ++x) {
        invert(x, r.top);
        if (r.bottom - 1 != r.top)
            invert(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        invert(r.left, y);
        if (r.right - 1 != r.left)
            invert(r.right - 1, y);
    }
}

QRegion buttonRegion(int buttonStyle, int width, int height)
{
    const int w = std::max(width, 0), h = std::max(height, 0);
    int corner = 0;
    switch (buttonStyle) {
    case 2: case 3: case 7: case 9: corner = 3; break;
    case 6: case 10: corner = 4; break;
    default: return QRegion(0, 0, w, h);
    }
    // Corner 3 cuts the corner pixel; corner 4 also the two pixels beside it.
    // So each row loses the same number of pixels at both ends, counted from
    // the nearer of the top and bottom edges. The region is built from its
    // bands directly: the normal repaint of a rounded style sets it every time.
    const auto cutAt = [&](int fromEdge) { return fromEdge == 0 ? corner - 2 : fromEdge == 1 && corner == 4 ? 1 : 0; };
    std::vector<QRect> bands;
    for (int y = 0; y < h; ++y) {
        const int cut = std::max(cutAt(y), cutAt(h - 1 - y));
        if (w - 2 * cut <= 0)
            continue;
        if (!bands.empty() && bands.back().left() == cut && bands.back().bottom() == y - 1)
            bands.back().setBottom(y);
        else
            bands.emplace_back(cut, y, w - 2 * cut, 1);
    }
    QRegion region;
    region.setRects(bands.data(), int(bands.size()));
    return region;
}

SymbolFont CreateSymbolFont(int height) { return SymbolFont{height}; }

void DrawDropDownGlyph(rt::PixelSurface& s, const Rect& dropDownRect, int code)
{
    const SymbolFont font = CreateSymbolFont(14);
    const QChar digit = QString::number(code).at(0);
    if (digit < u'3' || digit > u'6')
        return;
    // A triangle of base 7 and depth 4 for the 14-pixel cell, centred in the
    // cell that starts at the rectangle's top-left corner (where the glyph
    // would be drawn as text).
    const int base = (font.height + 1) / 2 | 1, depth = (base + 1) / 2;
    const int cx = dropDownRect.left + font.height / 2, cy = dropDownRect.top + font.height / 2;
    const uint32_t colour = s.textColor();
    for (int i = 0; i < depth; ++i) {
        const int half = depth - 1 - i; // widest row first
        switch (digit.unicode()) {
        case u'6': // down
            DrawLine(s, cx - half, cy - depth / 2 + i, cx + half + 1, cy - depth / 2 + i, colour);
            break;
        case u'5': // up
            DrawLine(s, cx - half, cy + depth / 2 - i, cx + half + 1, cy + depth / 2 - i, colour);
            break;
        case u'4': // right
            DrawLine(s, cx - depth / 2 + i, cy - half, cx - depth / 2 + i, cy + half + 1, colour);
            break;
        case u'3': // left
            DrawLine(s, cx + depth / 2 - i, cy - half, cx + depth / 2 - i, cy + half + 1, colour);
            break;
        }
    }
}

namespace {

constexpr int captionFlags = Qt::TextWordWrap | Qt::TextShowMnemonic;

} // namespace

void DrawCaptionText(rt::PixelSurface& s, const Rect& r, const QString& caption, uint32_t colour, int dx, int dy,
                     bool rightToLeft)
{
    const Rect box = r.offset(dx, dy);
    if (!isDrawable(colour) || box.width() <= 0 || box.height() <= 0 || caption.isEmpty())
        return;
    QPainter p(&s.image());
    p.setFont(s.font());
    p.setPen(QColor::fromRgb(bgrToPixel(colour)));
    p.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    p.drawText(QRect(box.left, box.top, box.width(), box.height()), Qt::AlignHCenter | Qt::AlignTop | captionFlags,
               caption);
}

Rect MeasureCaptionText(const rt::PixelSurface& s, const Rect& r, const QString& caption, bool rightToLeft)
{
    if (caption.isEmpty())
        return {};
    Q_UNUSED(rightToLeft); // the reading order does not change the box
    // Laying the text out is among the dearest steps of a repaint, and a button
    // measures the same caption in the same font and width every time.
    struct Measured {
        uint64_t fontSerial = 0;
        int width = -1;
        QString caption;
        Rect box;
    };
    thread_local Measured last;
    const int width = std::max(r.width(), 1);
    if (s.fontSerial() == last.fontSerial && width == last.width && caption == last.caption)
        return last.box;
    const QFontMetrics fm(s.font());
    const QRect box = fm.boundingRect(QRect(0, 0, width, 1 << 20), Qt::AlignLeft | captionFlags, caption);
    last = {s.fontSerial(), width, caption, Rect{0, 0, box.width(), box.height()}};
    return last.box;
}

} // namespace glint
