#include "controls/button/picture_compositor.h"

#include <QFileInfo>
#include <QPainter>
#include <cmath>

namespace glint {

ButtonPicture ButtonPicture::bitmap(const QImage& image, QString source)
{
    ButtonPicture p;
    if (image.isNull())
        return p;
    p.kind_ = Kind::Bitmap;
    p.bits_ = image.hasAlphaChannel() ? 32 : 24;
    p.pixels_ = image.convertToFormat(p.bits_ == 32 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    p.source_ = std::move(source);
    return p;
}

ButtonPicture ButtonPicture::icon(const QImage& image, QString source)
{
    ButtonPicture p;
    if (image.isNull())
        return p;
    p.kind_ = Kind::Icon;
    p.bits_ = 24; // drawn onto the key colour, it has no alpha left
    p.pixels_ = QImage(image.size(), QImage::Format_RGB32);
    p.pixels_.fill(bgrToPixel(IconKeyColor));
    QPainter painter(&p.pixels_);
    painter.drawImage(0, 0, image);
    painter.end();
    p.source_ = std::move(source);
    return p;
}

ButtonPicture ButtonPicture::load(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QImage image(path);
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"ico" || suffix == u"cur")
        return icon(image, path);
    return bitmap(image, path);
}

Blend blendFor(const PictureLook& look, const PictureTables& tables)
{
    Blend b;
    b.tables = &tables;
    b.useMaskColor = look.useMaskColor;
    b.maskColor = look.maskColor;
    if (!look.enabled) {
        if (look.disabledPictureMode == DisabledGreyed) {
            b.opacity = int(std::nearbyint(look.pictureOpacity * 0.75));
            b.greyscale = true;
        } else {
            b.opacity = 52;
        }
    } else {
        b.opacity = look.buttonState == StateHot ? look.pictureOpacityOnOver : look.pictureOpacity;
    }
    if (look.buttonState == StateHot)
        b.effect = look.effectOnOver;
    else if (look.buttonState == StateDown)
        b.effect = look.effectOnDown;
    return b;
}

const ButtonPicture& currentPicture(const ButtonPicture& normal, const ButtonPicture& hot, const ButtonPicture& down,
                                    int buttonState, bool checked)
{
    const ButtonPicture& hotOrNormal = hot.isEmpty() ? normal : hot;
    if (buttonState == StateDown || checked)
        return down.isEmpty() ? hotOrNormal : down;
    if (buttonState == StateHot)
        return hotOrNormal;
    return normal;
}

namespace {

// The value one channel moves towards, before the opacity is applied.
struct Target {
    const Blend& blend;
    int32_t solid;

    // r, g, b of the source pixel; returns the target as 0x00BBGGRR.
    uint32_t operator()(uint32_t r, uint32_t g, uint32_t b) const
    {
        if (solid >= 0)
            return uint32_t(solid);
        if (blend.greyscale) {
            const auto grey = uint32_t(std::nearbyint(std::nearbyint(0.3 * r) + 0.59 * g + 0.11 * b));
            return rgb(grey, grey, grey);
        }
        if (blend.effect == EffectBrighten && blend.tables)
            return rgb(blend.tables->brighten[r], blend.tables->brighten[g], blend.tables->brighten[b]);
        if (blend.effect == EffectDarken && blend.tables)
            return rgb(blend.tables->darken[r], blend.tables->darken[g], blend.tables->darken[b]);
        return rgb(r, g, b);
    }
};

// d ← (f × t + (255 − f) × d) div 256 per channel; f = 255 replaces.
uint32_t mixPixel(uint32_t target, uint32_t dstWord, int f)
{
    if (f >= 255)
        return bgrToPixel(target);
    const uint32_t w = uint32_t(255 - f), uf = uint32_t(f);
    const uint32_t d = pixelToBgr(dstWord);
    auto ch = [&](uint32_t t, uint32_t dv) { return (uf * t + w * dv) / 256; };
    return bgrToPixel(rgb(ch(redOf(target), redOf(d)), ch(greenOf(target), greenOf(d)), ch(blueOf(target), blueOf(d))));
}

// Walks the picture's pixels as 32-bit words of the given format (a picture
// in another format is converted first; one already in it is not copied).
template <class PerPixel>
void forEachPixel(rt::PixelSurface& s, int left, int top, const QImage& picture, QImage::Format format,
                  PerPixel perPixel)
{
    const QImage src = picture.convertToFormat(format);
    const int x0 = std::max(0, -left), x1 = std::min(src.width(), s.width() - left);
    const int y0 = std::max(0, -top), y1 = std::min(src.height(), s.height() - top);
    for (int y = y0; y < y1; ++y) {
        const auto* in = reinterpret_cast<const uint32_t*>(src.constScanLine(y));
        uint32_t* out = s.row(top + y); // indexed from the surface's own left edge
        for (int x = x0; x < x1; ++x)
            perPixel(in[x], out[left + x]);
    }
}

} // namespace

void BlendPicture24(rt::PixelSurface& s, int left, int top, const QImage& src, int32_t solid, const Blend& blend)
{
    const int f = blend.opacity;
    if (src.isNull() || f <= 0)
        return;
    const Target target{blend, solid};
    forEachPixel(s, left, top, src, QImage::Format_RGB32, [&](uint32_t srcWord, uint32_t& dst) {
        const uint32_t colour = pixelToBgr(srcWord); // a 32-bit surface's nearest colour is the colour itself
        if (blend.useMaskColor && colour == blend.maskColor)
            return;
        dst = mixPixel(target(redOf(colour), greenOf(colour), blueOf(colour)), dst, f);
    });
}

void BlendPicture32(rt::PixelSurface& s, int left, int top, const QImage& src, int32_t solid, const Blend& blend)
{
    const int f = blend.opacity;
    if (src.isNull() || f <= 0)
        return;
    const Target target{blend, solid};
    forEachPixel(s, left, top, src, QImage::Format_ARGB32, [&](uint32_t srcWord, uint32_t& dst) {
        const int g = int(srcWord >> 24) * f / 255;
        if (g == 0)
            return;
        const uint32_t colour = pixelToBgr(srcWord);
        dst = mixPixel(target(redOf(colour), greenOf(colour), blueOf(colour)), dst, g);
    });
}

void DrawPicture(rt::PixelSurface& s, const Rect& r, const ButtonPicture& picture, int32_t solid, const Blend& blend)
{
    if (picture.isEmpty() || picture.width() == 0 || picture.height() == 0)
        return;
    if (picture.kind() == ButtonPicture::Kind::Bitmap && picture.bitsPerPixel() == 32) {
        BlendPicture32(s, r.left, r.top, picture.pixels(), solid, blend);
        return;
    }
    Blend b = blend;
    if (picture.kind() == ButtonPicture::Kind::Icon)
        b.maskColor = IconKeyColor;
    BlendPicture24(s, r.left, r.top, picture.pixels(), solid, b);
}

void DrawPictureShadow(rt::PixelSurface& s, const Rect& pictureRect, const ButtonPicture& picture, const Blend& blend,
                       uint32_t backColor)
{
    const uint32_t m = MixColors(0x00808080, backColor);
    DrawPicture(s, pictureRect.offset(2, 2), picture, int32_t(ShiftColor(m, 0.05f)), blend);
    DrawPicture(s, pictureRect.offset(1, 1), picture, int32_t(ShiftColor(m, -0.1f)), blend);
    DrawPicture(s, pictureRect, picture, NoSolid, blend);
}

void DrawPushedPicture(rt::PixelSurface& s, const Rect& pictureRect, const ButtonPicture& picture, const Blend& blend)
{
    DrawPicture(s, pictureRect, picture, int32_t(IconKeyColor), blend);
    DrawPicture(s, pictureRect.offset(-2, -2), picture, NoSolid, blend);
}

} // namespace glint
