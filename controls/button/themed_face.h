#pragma once
#include <QString>
#include <optional>

#include "controls/button/primitives.h"

class QWidget;

namespace glint {

// Theme states of the push-button part.
enum ThemeButtonState : int { ThemeNormal = 1, ThemeHot = 2, ThemePressed = 3, ThemeDisabled = 4, ThemeDefault = 5 };

// Tests may force every control's answer to whether the themed style can be
// drawn (Glintbutton::IsThemed); std::nullopt returns to each control's own.
std::optional<bool> isThemedOverride();
void setIsThemedOverride(std::optional<bool> answer);

// Draws the push-button face of the window's style into the surface, clipped
// to the button rectangle, and gives the window the style's own shape of the
// rectangle widened by one pixel (two at the bottom). Only the "Button" class
// with part 1 (the push button) is known; anything else draws nothing and
// returns false.
bool DrawThemedFace(QWidget& window, rt::PixelSurface& s, const Rect& buttonRect, const QString& className, int part,
                    int state);

} // namespace glint
