#include "platform/shell.h"

#include <QUrl>

namespace platform {

QString openableAddress(const QString& url)
{
    const QUrl address(url, QUrl::StrictMode);
    if (!address.isValid())
        return {};
    const QString scheme = address.scheme().toLower();
    const bool web = (scheme == u"http" || scheme == u"https") && !address.host().isEmpty();
    const bool mail = scheme == u"mailto" && !address.path().isEmpty();
    return web || mail ? address.toString(QUrl::FullyEncoded) : QString();
}

} // namespace platform
