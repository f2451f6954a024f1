// Where this user's running instance is found on a POSIX system: the lock and
// the command socket in the user's private runtime folder.
#include <sys/socket.h>
#include <unistd.h>

#include "platform/native_platform.h"
#include "platform/posix/private_folder.h"
#include "platform/posix/single_instance_lock.h"

namespace platform {

InstanceRendezvous findInstanceRendezvous()
{
    const QString folder = posix::privateRuntimeFolder();
    InstanceRendezvous r;
    r.lock = std::make_unique<posix::SingleInstanceLock>(folder);
    if (!folder.isEmpty())
        r.commandAddress = folder + QStringLiteral("/vorlin.socket");
    return r;
}

// The kernel's word on who is at the other end, taken when it connected.
bool commandPeerIsThisUser(qintptr descriptor)
{
    struct ucred cred{};
    socklen_t size = sizeof cred;
    return descriptor >= 0 &&
           ::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &cred, &size) == 0 && size == sizeof cred &&
           cred.uid == ::geteuid();
}

} // namespace platform
