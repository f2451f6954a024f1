#include "platform/x11/x11_shell.h"

#include <QProcess>
#include <QUrl>
#include <utility>

namespace platform::x11 {

X11Shell::X11Shell(QString opener) : opener_(std::move(opener)) {}

bool X11Shell::isOpenableAddress(const QUrl& url)
{
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == u"http" || scheme == u"https")
        return !url.host().isEmpty();
    if (scheme == u"mailto")
        return !url.path().isEmpty();
    return false;
}

void X11Shell::openUrl(const QString& url)
{
    // A strict parse refuses blanks and control characters, and a valid
    // scheme starts with a letter, so the argument can never pass for an option.
    const QUrl address(url, QUrl::StrictMode);
    if (!isOpenableAddress(address))
        return;
    QProcess opener;
    opener.setProgram(opener_);
    opener.setArguments({address.toString(QUrl::FullyEncoded)});
    // Detached from our terminal: a text-mode fallback browser must not take
    // it over, and the opener's complaints are not the user's business.
    opener.setStandardInputFile(QProcess::nullDevice());
    opener.setStandardOutputFile(QProcess::nullDevice());
    opener.setStandardErrorFile(QProcess::nullDevice());
    opener.startDetached(); // false when no opener is installed: nothing to show
}

} // namespace platform::x11
