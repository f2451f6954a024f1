#pragma once
#include <QString>

#include "platform/single_instance.h"

namespace platform::posix {

// An advisory lock on a file in the user's private folder; held through an open
// descriptor for the life of the process, so the kernel drops it when the
// process ends however it ends. Without a private folder there is no lock and
// every start runs.
class SingleInstanceLock : public SingleInstance {
public:
    explicit SingleInstanceLock(QString privateFolder);
    ~SingleInstanceLock() override;
    bool anotherInstanceRunning() override;

private:
    QString folder_;
    int fd_ = -1;
};

} // namespace platform::posix
