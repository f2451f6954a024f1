#pragma once
// Reading and replacing a small settings file that the user (or anyone who
// can write the program's folder) may have turned into something else: a
// FIFO, a device, a folder, a huge file. Such a file is never read, waited on
// or written over. A symbolic link is followed, and a replace writes the
// file it points to, so the link stays. Nothing is read from or saved into a
// folder that is not this user's own or that others may write.
#include <QByteArray>
#include <QString>

#include "platform/save_result.h"

namespace platform::settings_file {

// Larger files are refused. The program's own settings are a few hundred
// bytes and values are cut to 254 bytes, so even a file shared with many
// other sections stays far below; the cap keeps a stray large file from
// holding the window for seconds and taking its size in memory.
inline constexpr qint64 MaxBytes = 1 << 20;

struct Contents {
    enum State { Missing, Read, Refused } state = Missing;
    QByteArray bytes; // when Read
    QString reason;   // when Refused: the file and why, for the user
};

Contents read(const QString& path);

// Replaces the file (the file a link points to) with the bytes through a
// temporary file in the same folder, so it is replaced whole or not at all.
// Every write, flush and close is checked before the rename; a file that
// cannot be written is left as it is, and its permissions pass to the new one.
// More than MaxBytes is refused before anything is written, since it could
// not be read back. Temporary files that a killed save left are removed.
SaveResult replace(const QString& path, const QByteArray& bytes);

} // namespace platform::settings_file
