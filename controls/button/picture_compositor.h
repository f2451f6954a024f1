#pragma once
// The picture compositor: a bitmap or icon blended onto the button's surface
// pixel by pixel (one read of the background, one of the picture, one write),
// with opacity, the brighten and darken effects, greyscale, the mask colour
// and single-colour silhouettes.
#include <QImage>
#include <QString>
#include <cstdint>

#include "controls/button/color_math.h"
#include "controls/button/primitives.h"

namespace glint {

// A picture property's value: empty, a bitmap (24-bit, or 32-bit with an
// alpha value per pixel) or an icon. An icon is kept already drawn onto the
// icon key colour, which the compositor then treats as its mask colour.
class ButtonPicture {
public:
    enum class Kind { None, Bitmap, Icon };

    ButtonPicture() = default;
    // A bitmap; one with an alpha channel takes the 32-bit path.
    static ButtonPicture bitmap(const QImage& image, QString source = {});
    static ButtonPicture icon(const QImage& image, QString source = {});
    // From a file of the program's resources: ".ico" and ".cur" are icons,
    // everything else a bitmap; a missing or unreadable file gives an empty picture.
    static ButtonPicture load(const QString& path);

    bool isEmpty() const { return kind_ == Kind::None; }
    Kind kind() const { return kind_; }
    int bitsPerPixel() const { return bits_; }
    int width() const { return pixels_.width(); }
    int height() const { return pixels_.height(); }
    // Format_RGB32 for the 24-bit path and icons, Format_ARGB32 for 32-bit bitmaps.
    const QImage& pixels() const { return pixels_; }
    // Where the picture came from, kept so the property bag can store it.
    const QString& source() const { return source_; }

    friend bool operator==(const ButtonPicture& a, const ButtonPicture& b)
    {
        return a.kind_ == b.kind_ && a.source_ == b.source_ && a.pixels_ == b.pixels_;
    }

private:
    Kind kind_ = Kind::None;
    int bits_ = 0;
    QImage pixels_;
    QString source_;
};

// The colour icons are drawn onto before compositing: TranslateColor(0xC0C0C0).
constexpr uint32_t IconKeyColor = 0x00C0C0C0;

enum PictureEffect : int { EffectNone = 0, EffectBrighten = 1, EffectDarken = 2 };
enum DisabledPictureMode : int { DisabledFaded = 0, DisabledGreyed = 1 };
enum ButtonStateValue : int { StateNormal = 0, StateHot = 1, StateDown = 2 };

// What one call of the compositor blends with.
struct Blend {
    int opacity = 255;     // 0..255 for the whole call
    bool greyscale = false;
    int effect = EffectNone;
    bool useMaskColor = true;
    uint32_t maskColor = 0x00E0E0E0;
    const PictureTables* tables = nullptr; // needed for the effects
};

// The button properties that decide the blend of one redraw.
struct PictureLook {
    bool enabled = true;
    int disabledPictureMode = DisabledFaded;
    int pictureOpacity = 255;
    int pictureOpacityOnOver = 255;
    int effectOnOver = EffectNone;
    int effectOnDown = EffectNone;
    int buttonState = StateNormal;
    bool useMaskColor = true;
    uint32_t maskColor = 0x00E0E0E0;
};
Blend blendFor(const PictureLook& look, const PictureTables& tables);

// The picture shown in a state: the down picture while pressed or checked,
// the hot one while hot, each falling back to the next simpler one.
const ButtonPicture& currentPicture(const ButtonPicture& normal, const ButtonPicture& hot,
                                    const ButtonPicture& down, int buttonState, bool checked);

// solid < 0 draws the picture itself; otherwise its visible shape in that colour.
constexpr int32_t NoSolid = -1;

// The two compositors, on the rectangle of the picture's size at (left, top).
// They read src as Format_RGB32 and Format_ARGB32 words; a picture in another
// format is converted first.
void BlendPicture24(rt::PixelSurface& s, int left, int top, const QImage& src, int32_t solid, const Blend& blend);
void BlendPicture32(rt::PixelSurface& s, int left, int top, const QImage& src, int32_t solid, const Blend& blend);

// Chooses the path: 32-bit bitmaps blend by alpha; other bitmaps with the
// blend's mask colour; icons with the icon key colour as mask colour.
void DrawPicture(rt::PixelSurface& s, const Rect& r, const ButtonPicture& picture, int32_t solid, const Blend& blend);

// The two-step shadow below and right of the picture, then the picture again.
// backColor is the button's face colour as RGB.
void DrawPictureShadow(rt::PixelSurface& s, const Rect& pictureRect, const ButtonPicture& picture, const Blend& blend,
                       uint32_t backColor);

// The picture lifted while hot: its silhouette in the key grey at the
// rectangle, the picture itself 2 pixels up and left.
void DrawPushedPicture(rt::PixelSurface& s, const Rect& pictureRect, const ButtonPicture& picture, const Blend& blend);

} // namespace glint
