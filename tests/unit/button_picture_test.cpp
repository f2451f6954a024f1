#include <gtest/gtest.h>

#include <QImage>

#include "controls/button/picture_compositor.h"

using namespace glint;

namespace {

constexpr uint32_t Bg = rgb(100, 150, 200);
constexpr uint32_t Mask = 0x00E0E0E0;

rt::PixelSurface surface(int w = 4, int h = 1)
{
    rt::PixelSurface s;
    s.setBackColor(Bg);
    s.resize(w, h);
    return s;
}

// A 24-bit picture: one row of the given colours.
QImage row24(std::initializer_list<uint32_t> colours)
{
    QImage img(int(colours.size()), 1, QImage::Format_RGB32);
    int x = 0;
    for (uint32_t c : colours)
        img.setPixel(x++, 0, rt::bgrToPixel(c));
    return img;
}

// A 32-bit picture: one row of (colour, alpha) pairs.
QImage row32(std::initializer_list<std::pair<uint32_t, int>> pixels)
{
    QImage img(int(pixels.size()), 1, QImage::Format_ARGB32);
    int x = 0;
    for (auto [c, a] : pixels)
        img.setPixel(x++, 0, (rt::bgrToPixel(c) & 0x00FFFFFFu) | (uint32_t(a) << 24));
    return img;
}

const PictureTables tables = buildPictureTables();

Blend blend(int opacity, int effect = EffectNone, bool greyscale = false)
{
    Blend b;
    b.opacity = opacity;
    b.effect = effect;
    b.greyscale = greyscale;
    b.maskColor = Mask;
    b.tables = &tables;
    return b;
}

uint32_t mix(uint32_t t, uint32_t d, int f)
{
    auto ch = [&](uint32_t tc, uint32_t dc) { return (uint32_t(f) * tc + uint32_t(255 - f) * dc) / 256; };
    return rgb(ch(redOf(t), redOf(d)), ch(greenOf(t), greenOf(d)), ch(blueOf(t), blueOf(d)));
}

} // namespace

TEST(BlendPicture24, OpacityReplacesBlendsOrLeavesTheBackground)
{
    const QImage pic = row24({rgb(10, 20, 30), rgb(250, 0, 90)});
    auto s = surface();
    BlendPicture24(s, 1, 0, pic, NoSolid, blend(255));
    EXPECT_EQ(s.pixel(0, 0), Bg);
    EXPECT_EQ(s.pixel(1, 0), rgb(10, 20, 30));
    EXPECT_EQ(s.pixel(2, 0), rgb(250, 0, 90));
    EXPECT_EQ(s.pixel(3, 0), Bg);

    s.clear();
    BlendPicture24(s, 0, 0, pic, NoSolid, blend(0));
    EXPECT_EQ(s.pixel(0, 0), Bg);
    EXPECT_EQ(s.pixel(1, 0), Bg);

    s.clear();
    BlendPicture24(s, 0, 0, pic, NoSolid, blend(100));
    EXPECT_EQ(s.pixel(0, 0), mix(rgb(10, 20, 30), Bg, 100));
    EXPECT_EQ(s.pixel(1, 0), mix(rgb(250, 0, 90), Bg, 100));
}

TEST(BlendPicture24, EffectsUseTheByteTables)
{
    const QImage pic = row24({rgb(200, 223, 255)});
    auto s = surface(1, 1);
    BlendPicture24(s, 0, 0, pic, NoSolid, blend(255, EffectBrighten));
    EXPECT_EQ(s.pixel(0, 0), rgb(229, 255, 255));
    BlendPicture24(s, 0, 0, pic, NoSolid, blend(255, EffectDarken));
    EXPECT_EQ(s.pixel(0, 0), rgb(170, 189, 217));
    s.clear();
    BlendPicture24(s, 0, 0, pic, NoSolid, blend(128, EffectDarken));
    EXPECT_EQ(s.pixel(0, 0), mix(rgb(170, 189, 217), Bg, 128));
}

TEST(BlendPicture24, GreyscaleRoundsTwice)
{
    // round(round(0.3 × 101) + 0.59 × 50 + 0.11 × 201) = round(30 + 29.5 + 22.11) = 82.
    const QImage pic = row24({rgb(101, 50, 201)});
    auto s = surface(1, 1);
    BlendPicture24(s, 0, 0, pic, NoSolid, blend(255, EffectNone, true));
    EXPECT_EQ(s.pixel(0, 0), rgb(82, 82, 82));
    s.clear();
    BlendPicture24(s, 0, 0, pic, NoSolid, blend(191, EffectNone, true));
    EXPECT_EQ(s.pixel(0, 0), mix(rgb(82, 82, 82), Bg, 191));
}

TEST(BlendPicture24, MaskedPixelsStayUntouchedAlsoForSilhouettes)
{
    const QImage pic = row24({Mask, rgb(1, 2, 3), Mask});
    auto s = surface(3, 1);
    BlendPicture24(s, 0, 0, pic, NoSolid, blend(255));
    EXPECT_EQ(s.pixel(0, 0), Bg);
    EXPECT_EQ(s.pixel(1, 0), rgb(1, 2, 3));
    EXPECT_EQ(s.pixel(2, 0), Bg);

    s.clear();
    BlendPicture24(s, 0, 0, pic, int32_t(rgb(9, 9, 9)), blend(255));
    EXPECT_EQ(s.pixel(0, 0), Bg);
    EXPECT_EQ(s.pixel(1, 0), rgb(9, 9, 9));
    s.clear();
    BlendPicture24(s, 0, 0, pic, int32_t(rgb(9, 9, 9)), blend(64));
    EXPECT_EQ(s.pixel(0, 0), Bg);
    EXPECT_EQ(s.pixel(1, 0), mix(rgb(9, 9, 9), Bg, 64));

    Blend noMask = blend(255);
    noMask.useMaskColor = false;
    s.clear();
    BlendPicture24(s, 0, 0, pic, NoSolid, noMask);
    EXPECT_EQ(s.pixel(0, 0), Mask);
}

TEST(BlendPicture32, AlphaScalesTheOpacity)
{
    const QImage pic = row32({{rgb(10, 20, 30), 0}, {rgb(10, 20, 30), 255}, {rgb(200, 100, 0), 128}, {Mask, 255}});
    auto s = surface(4, 1);
    BlendPicture32(s, 0, 0, pic, NoSolid, blend(255));
    EXPECT_EQ(s.pixel(0, 0), Bg);             // alpha 0: never touched
    EXPECT_EQ(s.pixel(1, 0), rgb(10, 20, 30)); // replaced
    EXPECT_EQ(s.pixel(2, 0), mix(rgb(200, 100, 0), Bg, 128));
    EXPECT_EQ(s.pixel(3, 0), Mask); // no mask test on this path

    s.clear();
    BlendPicture32(s, 0, 0, pic, NoSolid, blend(100));
    EXPECT_EQ(s.pixel(0, 0), Bg);
    EXPECT_EQ(s.pixel(1, 0), mix(rgb(10, 20, 30), Bg, 100));
    EXPECT_EQ(s.pixel(2, 0), mix(rgb(200, 100, 0), Bg, 128 * 100 / 255));

    s.clear();
    BlendPicture32(s, 0, 0, pic, int32_t(rgb(5, 6, 7)), blend(255));
    EXPECT_EQ(s.pixel(0, 0), Bg);
    EXPECT_EQ(s.pixel(1, 0), rgb(5, 6, 7));
    // A pixel so faint that alpha × opacity div 255 is 0 stays too.
    const QImage faint = row32({{rgb(0, 0, 0), 1}});
    BlendPicture32(s, 0, 0, faint, NoSolid, blend(200));
    EXPECT_EQ(s.pixel(0, 0), Bg);
}

TEST(Compositor, ClipsAtTheSurfaceEdges)
{
    const QImage pic = row24({rgb(1, 1, 1), rgb(2, 2, 2), rgb(3, 3, 3)});
    auto s = surface(2, 1);
    BlendPicture24(s, -1, 0, pic, NoSolid, blend(255));
    EXPECT_EQ(s.pixel(0, 0), rgb(2, 2, 2));
    EXPECT_EQ(s.pixel(1, 0), rgb(3, 3, 3));
    BlendPicture24(s, 1, 5, pic, NoSolid, blend(255));
    BlendPicture32(s, 2, 0, row32({{0, 255}}), NoSolid, blend(255));
    EXPECT_EQ(s.pixel(1, 0), rgb(3, 3, 3));
}

TEST(Compositor, ReadsPicturesOfOtherFormatsByTheirColours)
{
    // Three bytes a pixel: read as words, the row would run past its end.
    QImage packed(3, 1, QImage::Format_RGB888);
    packed.setPixel(0, 0, qRgb(1, 2, 3));
    packed.setPixel(1, 0, qRgb(4, 5, 6));
    packed.setPixel(2, 0, qRgb(7, 8, 9));
    auto s = surface(3, 1);
    BlendPicture24(s, 0, 0, packed, NoSolid, blend(255));
    EXPECT_EQ(s.pixel(0, 0), rgb(1, 2, 3));
    EXPECT_EQ(s.pixel(2, 0), rgb(7, 8, 9));
    s.clear();
    BlendPicture32(s, 0, 0, packed, NoSolid, blend(255)); // no alpha: every pixel opaque
    EXPECT_EQ(s.pixel(1, 0), rgb(4, 5, 6));
}

TEST(BlendFor, OpacityGreyscaleAndEffectByState)
{
    PictureLook look;
    look.pictureOpacity = 200;
    look.pictureOpacityOnOver = 120;
    look.effectOnOver = EffectBrighten;
    look.effectOnDown = EffectDarken;
    EXPECT_EQ(blendFor(look, tables).opacity, 200);
    EXPECT_EQ(blendFor(look, tables).effect, EffectNone);
    look.buttonState = StateHot;
    EXPECT_EQ(blendFor(look, tables).opacity, 120);
    EXPECT_EQ(blendFor(look, tables).effect, EffectBrighten);
    look.buttonState = StateDown;
    EXPECT_EQ(blendFor(look, tables).opacity, 200);
    EXPECT_EQ(blendFor(look, tables).effect, EffectDarken);

    look.enabled = false;
    look.buttonState = StateNormal;
    EXPECT_EQ(blendFor(look, tables).opacity, 52);
    EXPECT_FALSE(blendFor(look, tables).greyscale);
    look.disabledPictureMode = DisabledGreyed;
    look.pictureOpacity = 255;
    EXPECT_EQ(blendFor(look, tables).opacity, 191); // 191.25
    EXPECT_TRUE(blendFor(look, tables).greyscale);
    look.pictureOpacity = 2;
    EXPECT_EQ(blendFor(look, tables).opacity, 2); // 1.5 rounds to even
    look.pictureOpacity = 14;
    EXPECT_EQ(blendFor(look, tables).opacity, 10); // 10.5 rounds to even
}

TEST(CurrentPicture, FallsBackToSimplerStates)
{
    const auto a = ButtonPicture::bitmap(row24({1}), "a"), b = ButtonPicture::bitmap(row24({2}), "b"),
               c = ButtonPicture::bitmap(row24({3}), "c");
    const ButtonPicture none;
    EXPECT_EQ(&currentPicture(a, b, c, StateNormal, false), &a);
    EXPECT_EQ(&currentPicture(a, b, c, StateHot, false), &b);
    EXPECT_EQ(&currentPicture(a, b, c, StateDown, false), &c);
    EXPECT_EQ(&currentPicture(a, b, c, StateNormal, true), &c);
    EXPECT_EQ(&currentPicture(a, none, c, StateHot, false), &a);
    EXPECT_EQ(&currentPicture(a, b, none, StateDown, false), &b);
    EXPECT_EQ(&currentPicture(a, none, none, StateDown, false), &a);
}

TEST(DrawPicture, IconsMaskTheirKeyColourAndShadowsFollowTheShape)
{
    QImage icon(3, 1, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    icon.setPixel(1, 0, 0xFF0000FFu); // one opaque blue pixel
    const ButtonPicture pic = ButtonPicture::icon(icon);
    auto s = surface(6, 4);
    DrawPicture(s, Rect{0, 0, 3, 1}, pic, NoSolid, blend(255));
    EXPECT_EQ(s.pixel(0, 0), Bg);
    EXPECT_EQ(s.pixel(1, 0), rgb(0, 0, 255));
    EXPECT_EQ(s.pixel(2, 0), Bg);

    s.clear();
    DrawPictureShadow(s, Rect{0, 0, 3, 1}, pic, blend(255), 0x00FFFFFF);
    const uint32_t m = MixColors(0x00808080, 0x00FFFFFF);
    EXPECT_EQ(s.pixel(1, 0), rgb(0, 0, 255));
    EXPECT_EQ(s.pixel(2, 1), ShiftColor(m, -0.1f));
    EXPECT_EQ(s.pixel(3, 2), ShiftColor(m, 0.05f));
    EXPECT_EQ(s.pixel(2, 2), Bg);
    EXPECT_EQ(s.pixel(4, 2), Bg);

    s.clear();
    DrawPushedPicture(s, Rect{2, 2, 5, 3}, pic, blend(255));
    EXPECT_EQ(s.pixel(3, 2), IconKeyColor);
    EXPECT_EQ(s.pixel(1, 0), rgb(0, 0, 255));

    s.clear();
    DrawPicture(s, Rect{0, 0, 3, 1}, ButtonPicture(), NoSolid, blend(255));
    EXPECT_EQ(s.pixel(1, 0), Bg);
}

TEST(ButtonPicture, PathKindAndDepth)
{
    EXPECT_TRUE(ButtonPicture::load(QString()).isEmpty());
    EXPECT_TRUE(ButtonPicture::load(QStringLiteral("/nonexistent/x.bmp")).isEmpty());
    const auto flat = ButtonPicture::bitmap(row24({1, 2}));
    EXPECT_EQ(flat.bitsPerPixel(), 24);
    EXPECT_EQ(flat.width(), 2);
    const auto alpha = ButtonPicture::bitmap(row32({{1, 255}}));
    EXPECT_EQ(alpha.bitsPerPixel(), 32);
    EXPECT_EQ(alpha.kind(), ButtonPicture::Kind::Bitmap);
    // An icon from an image with alpha is flattened onto the key colour.
    QImage clear(2, 1, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    const auto icon = ButtonPicture::icon(clear);
    EXPECT_EQ(icon.kind(), ButtonPicture::Kind::Icon);
    EXPECT_EQ(icon.bitsPerPixel(), 24);
    EXPECT_EQ(rt::pixelToBgr(icon.pixels().pixel(0, 0)), IconKeyColor);
}
