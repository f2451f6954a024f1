#pragma once
#include <cstdlib>
#include <functional>

namespace platform {
struct Platform;
}

namespace rt {

class MessageBoxService;

// What the runtime hands down to every window and control: the platform
// services and the message box. Built once in main (or by a test).
struct Services {
    platform::Platform& platform;
    MessageBoxService& messageBox;
    // Ends the program at once, without unload handlers (a test replaces it).
    std::function<void()> endProgram = [] { std::exit(0); };
};

} // namespace rt
