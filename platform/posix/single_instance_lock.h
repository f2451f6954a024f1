#pragma once
#include <QString>

#include "platform/single_instance.h"

namespace platform::posix {

// An advisory lock on a file in the user's private folder; held through an open
// descriptor for the life of the process, so the kernel drops it when the
// process ends however it ends. Without a lock file's path there is no lock and
// every start runs.
class SingleInstanceLock : public SingleInstance {
public:
    explicit SingleInstanceLock(QString lockPath);
    ~SingleInstanceLock() override;
    bool anotherInstanceRunning() override;

private:
    QString path_;
    int fd_ = -1;
};

} // namespace platform::posix
