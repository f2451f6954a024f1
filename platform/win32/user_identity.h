#pragma once
// Who runs this process, as Windows names a user: the security identifier
// (SID) of the process token's user.
#include <QString>

namespace platform::win32 {

// This process's user as a SID string ("S-1-5-21-…"); empty when it cannot be read.
QString currentUserSid();

// Whether the process with this id runs as this process's user. False when
// the process, its token or its user cannot be read.
bool processRunsAsThisUser(unsigned long processId);

// The Remote Desktop session this process belongs to (0 when it cannot be read).
unsigned long currentSessionId();

} // namespace platform::win32
