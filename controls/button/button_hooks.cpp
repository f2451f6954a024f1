// The notifications the button watches on its own window and its top-level window.
#include "controls/button/glintbutton.h"

namespace glint {

void Glintbutton::TrackLeave() {}

} // namespace glint
