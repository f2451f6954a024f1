#include "platform/win32/named_mutex_instance.h"

#include <windows.h>

namespace platform::win32 {

NamedMutexInstance::NamedMutexInstance(QString name) : name_(std::move(name)) {}

NamedMutexInstance::~NamedMutexInstance()
{
    if (mutex_)
        CloseHandle(mutex_);
}

QString NamedMutexInstance::nameFor(const QString& userSid)
{
    return userSid.isEmpty() ? QString() : QStringLiteral("Local\\Vorlin-") + userSid;
}

bool NamedMutexInstance::anotherInstanceRunning()
{
    if (mutex_ || name_.isEmpty())
        return false; // we hold it already, or there is no name for it: better to run than to refuse
    HANDLE mutex = CreateMutexW(nullptr, FALSE, reinterpret_cast<const wchar_t*>(name_.utf16()));
    // An instance started as administrator keeps ours from opening its mutex:
    // it runs all the same.
    if (!mutex)
        return GetLastError() == ERROR_ACCESS_DENIED;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return true;
    }
    mutex_ = mutex;
    return false;
}

} // namespace platform::win32
