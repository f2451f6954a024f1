#pragma once
#include <QString>

#include "platform/single_instance.h"

namespace platform::x11 {

// An advisory lock on a per-user file; held through an open descriptor for the
// life of the process, so the kernel drops it when the process ends however it ends.
class SingleInstanceLock : public SingleInstance {
public:
    SingleInstanceLock();
    ~SingleInstanceLock() override;
    bool anotherInstanceRunning() override;

    // $XDG_RUNTIME_DIR/vorlin.lock, or /tmp/vorlin-<uid>.lock without it.
    static QString lockPath();

private:
    int fd_ = -1;
};

} // namespace platform::x11
