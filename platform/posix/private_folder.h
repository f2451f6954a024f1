#pragma once
#include <QString>

namespace platform::posix {

// A folder only this user can enter, holding the single-instance lock and the
// command socket. $XDG_RUNTIME_DIR when it is such a folder; otherwise
// <temp>/vorlin-<uid> (temp: $TMPDIR or /tmp), then <cache>/vorlin-run-<host>
// (cache: $XDG_CACHE_HOME or ~/.cache), each made with mode 0700 when missing.
// A candidate that is a link, another user's, or open to others is passed
// over, never repaired or followed. Empty when no candidate qualifies.
QString privateRuntimeFolder();

} // namespace platform::posix
