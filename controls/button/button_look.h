#pragma once
// What one repaint of the styled button reads, and the canvas it draws on.
// The face painters and the content layout are plain functions of these two,
// so they run and are tested without a widget; Glintbutton fills them in.
#include <QString>
#include <cstdint>
#include <functional>

#include "controls/button/picture_compositor.h"
#include "controls/button/primitives.h"
#include "runtime/pixel_surface.h"

namespace platform {
class SystemColors;
}

namespace glint {

// A read-only view of the button's look at the moment of the repaint.
// Colours are as stored (they may name system colours).
struct ButtonLook {
    int32_t buttonStyle = 0;
    int32_t colorScheme = 0;
    int32_t mode = 0;
    bool value = false;
    bool enabled = true;
    uint32_t backColor = 0;
    uint32_t foreColor = 0;
    uint32_t foreColorHover = 0;

    QString caption;
    int32_t captionAlign = 1;
    int32_t captionEffects = 0;
    bool rightToLeft = false;

    bool hasPictureNormal = false;          // PictureNormal is set
    const ButtonPicture* picture = nullptr; // the current picture of the state, may be empty
    Blend blend;                            // its blend for this state
    int32_t pictureAlign = 0;
    bool pictureShadow = false;
    bool picturePushOnHover = false;

    int32_t dropDownSymbol = 0;
    bool dropDownSeparator = false;
    bool showFocusRect = false;

    // The flags the painters read.
    bool hasFocus = false;
    bool showAsDefault = false;
    bool parentActive = false;
    bool mouseOver = false;
    bool leftDown = false;
    bool userMode = true; // the host's ambient user mode: false in a designer

    bool checked() const { return mode != 0 && value; }
    bool dropDownPresent() const { return dropDownSymbol != 0 || dropDownSeparator; }
};

// The rectangles a repaint lays out; rewritten on every redraw.
struct ButtonRects {
    Rect button;
    Rect caption;
    Rect picture;
    Rect dropDown;
};

// Where a painter draws, and the few things it may change on the button.
struct ButtonCanvas {
    rt::PixelSurface& surface;
    const platform::SystemColors& colours;
    ButtonRects rects;
    // Gives the widget the window shape of its style (Region).
    std::function<void()> applyRegion;
    // Draws the themed face of the push button in a theme state; false when it cannot.
    std::function<bool(int themeState)> drawThemedFace;
    // Painter F stores the caption colour into the button's ForeColor.
    std::function<void(uint32_t)> storeForeColor;
};

} // namespace glint
