// The redraw dispatcher of the styled button: the look view filled from the
// control's properties, the painter chosen by ButtonStyle, and the themed
// style's fall-back to the gradient face.
#include "controls/button/glintbutton.h"
#include "controls/button/painters.h"
#include "controls/button/themed_face.h"

namespace glint {

void PaintButtonFace(ButtonCanvas& c, const ButtonLook& look, int state)
{
    switch (look.buttonStyle) {
    case 0: case 1: case 11: case 12: PaintEdgeStyles(c, look, state); break;
    case 2: PaintGradientStyle(c, look, state); break;
    case 3: PaintSilverStyle(c, look, state); break;
    case 4: PaintFlatStyle(c, look, state); break;
    case 5: PaintOrangeStyle(c, look, state); break;
    case 6: PaintLightStyle(c, look, state); break;
    case 7: PaintHoverFrameStyle(c, look, state); break;
    case 8: PaintGlossyStyle(c, look, state); break;
    case 9: PaintWhiteTopStyle(c, look, state); break;
    case 10: PaintBandStyle(c, look, state); break;
    case StyleThemed: PaintThemedStyle(c, look, state); break;
    default: break; // an unknown style shows the cleared surface
    }
}

ButtonLook Glintbutton::look() const
{
    ButtonLook l;
    l.buttonStyle = buttonStyle_;
    l.colorScheme = colorScheme_;
    l.mode = mode_;
    l.value = value_;
    l.enabled = enabled_;
    l.backColor = backColor_;
    l.foreColor = foreColor_;
    l.foreColorHover = foreColorHover_;
    l.caption = caption_;
    l.captionAlign = captionAlign_;
    l.captionEffects = captionEffects_;
    l.rightToLeft = rightToLeft_;
    l.hasPictureNormal = !pictureNormal_.isEmpty();
    l.picture = &CurrentPicture();
    l.blend = CurrentBlend();
    l.pictureAlign = pictureAlign_;
    l.pictureShadow = pictureShadow_;
    l.picturePushOnHover = picturePushOnHover_;
    l.dropDownSymbol = dropDownSymbol_;
    l.dropDownSeparator = dropDownSeparator_;
    l.showFocusRect = showFocusRect_;
    l.hasFocus = hasFocus_;
    l.showAsDefault = showAsDefault_;
    l.parentActive = parentActive_;
    l.mouseOver = mouseOver_;
    l.leftDown = leftDown_;
    l.userMode = ambient().userMode;
    return l;
}

void Glintbutton::Redraw()
{
    surface_.resize(width(), height());
    surface_.clear();
    refreshSize();
    if (mode_ != ModePush && value_ && buttonStyle_ != 0 && buttonStyle_ != 6)
        buttonState_ = StateDown;
    if (buttonStyle_ == StyleThemed && !IsThemed()) {
        // Without a themed push button the style becomes the gradient face for good.
        buttonStyle_ = 2;
        colorScheme_ = SchemeBlue;
        ApplySchemeColors();
        ApplyButtonRegion();
    }

    ButtonCanvas canvas{
        surface_,
        systemColors(),
        ButtonRects{Rect{0, 0, widthPx_, heightPx_}, {}, {}, {}},
        [this] { ApplyButtonRegion(); },
        [this](int themeState) { return DrawThemedFace(QStringLiteral("Button"), 1, themeState); },
        [this](uint32_t colour) {
            foreColor_ = colour;
            surface_.setTextColor(TranslateColor(colour));
        },
    };
    PaintButtonFace(canvas, look(), buttonState_);
    rects_ = canvas.rects;
    update();
}

} // namespace glint
