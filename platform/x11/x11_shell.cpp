#include "platform/x11/x11_shell.h"

#include <QProcess>
#include <utility>

namespace platform::x11 {

X11Shell::X11Shell(QString opener) : opener_(std::move(opener)) {}

void X11Shell::openUrl(const QString& url)
{
    const QString address = openableAddress(url);
    if (address.isEmpty())
        return;
    QProcess opener;
    opener.setProgram(opener_);
    opener.setArguments({address});
    // Detached from our terminal: a text-mode fallback browser must not take
    // it over, and the opener's complaints are not the user's business.
    opener.setStandardInputFile(QProcess::nullDevice());
    opener.setStandardOutputFile(QProcess::nullDevice());
    opener.setStandardErrorFile(QProcess::nullDevice());
    opener.startDetached(); // false when no opener is installed: nothing to show
}

} // namespace platform::x11
