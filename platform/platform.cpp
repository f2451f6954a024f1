#include "platform/platform.h"

#include "platform/hotkeys.h"
#include "platform/ini_profile.h"
#include "platform/input.h"
#include "platform/key_names.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/single_instance.h"
#include "platform/system_colors.h"
#include "platform/ticker.h"
#include "platform/window_order.h"

namespace platform {

Platform::Platform() = default;
Platform::Platform(Platform&&) noexcept = default;
Platform& Platform::operator=(Platform&&) noexcept = default;
Platform::~Platform() = default;

} // namespace platform
