#pragma once
#include <QString>

namespace platform::posix {

// Where the folder may be: the login manager's folder of the user's own, the
// temp folder, the home of the user's account.
struct RuntimeFolderRoots {
    QString perUser; // /run/user/<uid>, used only when it is there already
    QString temp;    // <temp>/vorlin-<uid> is made there
    QString home;    // <home>/.cache/vorlin-run-<host> is made there
};

// A folder only this user can enter, holding the single-instance lock and the
// command socket. It follows from the user alone, whatever the environment
// says, so every start of the same user meets the same lock: /run/user/<uid>
// when it is such a folder; otherwise /tmp/vorlin-<uid>, then
// ~/.cache/vorlin-run-<host> (the home of the user's account), each made with
// mode 0700 when missing. A candidate that is a link, another user's, or open
// to others is passed over, never repaired or followed. Empty when no
// candidate qualifies.
QString privateRuntimeFolder();
QString privateRuntimeFolder(const RuntimeFolderRoots& roots);

// The lock and the command socket of the Vorlin on one X display, in the
// private folder: one Vorlin per user and display. `display` is as DISPLAY
// names it; ":0", ":0.0" and "unix:0" are the same display.
struct InstanceFiles {
    QString lock;
    QString socket;
};
InstanceFiles instanceFiles(const QString& privateFolder, const QString& display);

} // namespace platform::posix
