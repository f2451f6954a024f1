#include "platform/x11/x11_shell.h"

#include <QProcess>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <utility>

namespace platform::x11 {

namespace {
constexpr qint64 MinimumGapMs = 1000;
// Without a desktop of its own the opener runs the browser or mail program in
// the foreground: one still running after this long is that program, and the
// address may be opened again.
constexpr qint64 LongestOpeningMs = 30'000;
} // namespace

X11Shell::X11Shell(QString opener) : opener_(std::move(opener)) {}

X11Shell::~X11Shell()
{
    for (auto& [address, opening] : openings_)
        if (opening.process >= 0)
            ::close(opening.process);
}

bool X11Shell::underWay(const Opening& opening)
{
    if (!opening.started.isValid())
        return false;
    if (opening.started.elapsed() < MinimumGapMs)
        return true;
    if (opening.started.elapsed() >= LongestOpeningMs)
        return false;
    pollfd ended{opening.process, POLLIN, 0};
    return opening.process >= 0 && ::poll(&ended, 1, 0) == 0;
}

void X11Shell::openUrl(const QString& url)
{
    const QString address = openableAddress(url);
    if (address.isEmpty())
        return;
    Opening& opening = openings_[address];
    if (underWay(opening))
        return;
    if (opening.process >= 0)
        ::close(opening.process);
    opening.process = -1;
    // Counted from the attempt, so a missing opener is not tried a hundred times a second either.
    opening.started.start();

    QProcess opener;
    opener.setProgram(opener_);
    opener.setArguments({address});
    // Detached from our terminal: a text-mode fallback browser must not take
    // it over, and the opener's complaints are not the user's business.
    opener.setStandardInputFile(QProcess::nullDevice());
    opener.setStandardOutputFile(QProcess::nullDevice());
    opener.setStandardErrorFile(QProcess::nullDevice());
    qint64 pid = 0;
    if (!opener.startDetached(&pid)) // no opener installed: nothing to show
        return;
    // The detached opener is not our child; a pidfd still tells when it ends.
    // Without one (an old kernel, or it has ended already) the gap alone holds.
    opening.process = static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0u));
}

} // namespace platform::x11
