#pragma once
// The colour schemes: the face colour, caption colour and style defaults that
// choosing a style or a scheme writes into the button's properties.
#include <cstdint>

namespace platform {
class SystemColors;
}

namespace glint {

enum ColorScheme : int { SchemeBlue = 0, SchemeOlive = 1, SchemeSilver = 2, SchemeCustom = 3 };

// The properties the scheme steps write.
struct SchemeProperties {
    uint32_t backColor = 0;
    uint32_t foreColor = 0;
    bool showFocusRect = false;
    bool picturePushOnHover = false;
    int colorScheme = SchemeBlue;
};

// The scheme a style starts with: silver for styles 3 and 9, blue for 0, 1, 2,
// 4, 6, 7, 8 and 10; the others (5, 11, 12, 13 and unknown styles) keep the
// current one.
int defaultSchemeFor(int buttonStyle, int currentScheme);

// Sets the face colour by style and scheme (a scheme outside 0..2 keeps it),
// the caption colour, the focus-rectangle default and, for style 4, the
// picture push.
void applySchemeColors(int buttonStyle, SchemeProperties& p, const platform::SystemColors& colours);

} // namespace glint
