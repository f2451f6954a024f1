#pragma once

namespace platform {

// A per-user "already running" check. The lock is held for the life of the
// process and released by the kernel when the process ends, even after a crash.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // True when another instance of the program holds the lock; otherwise takes it.
    virtual bool anotherInstanceRunning() = 0;
};

} // namespace platform
