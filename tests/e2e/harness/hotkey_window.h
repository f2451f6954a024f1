#pragma once
// The hotkey window ("设置热键") as seen from outside: where its controls are
// (client pixels, from its design data).
#include "harness/vorlin_window.h"

namespace e2e::form3 {
inline constexpr Spot Box1{76, 44};    // RKHotKey1: start clicking
inline constexpr Spot Check1{140, 44};
inline constexpr Spot Box2{76, 100};   // RKHotKey2: stop
inline constexpr Spot Check2{140, 96};
inline constexpr Spot Box3{76, 156};   // RKHotKey3: pin the cursor
inline constexpr Spot Check3{140, 160};
inline constexpr Spot SaveButton{104, 200};
// The square of each check box's indicator, for comparing its look.
inline constexpr Rect Check1Mark{129, 37, 14, 14};
inline constexpr Rect Check2Mark{129, 89, 14, 14};
} // namespace e2e::form3
