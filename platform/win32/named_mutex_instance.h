#pragma once
#include <QString>

#include "platform/single_instance.h"

namespace platform::win32 {

// The previous-instance check as a named mutex, held through its handle for
// the life of the process, so the system drops it when the process ends
// however it ends. The name lives in the session's "Local\" namespace and
// carries the user's SID, so another user's Vorlin never blocks this one.
// Without a name there is no check and every start runs.
class NamedMutexInstance : public SingleInstance {
public:
    explicit NamedMutexInstance(QString name);
    ~NamedMutexInstance() override;
    bool anotherInstanceRunning() override;

    // "Local\Vorlin-<sid>", or empty without a SID.
    static QString nameFor(const QString& userSid);

private:
    QString name_;
    void* mutex_ = nullptr;
};

} // namespace platform::win32
