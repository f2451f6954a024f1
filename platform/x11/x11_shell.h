#pragma once
#include <QElapsedTimer>
#include <QString>
#include <map>

#include "platform/shell.h"

namespace platform::x11 {

// Opens web and mail addresses with the desktop's default handlers through the
// freedesktop opener (xdg-open). The address travels as the opener's single
// argument of a detached process, so no command shell ever parses it; the call
// returns as soon as the process is started, and when no opener is installed
// nothing happens at all. Only addresses openableAddress() accepts are handed on.
// An address is opened at most once a second, and not again while the opener
// started for it still runs (for 30 s at most: after that it is the browser
// itself): a link under a fast click timer is clicked a hundred times a second.
class X11Shell : public Shell {
public:
    // The opener is a program name looked up in PATH, or a full path.
    explicit X11Shell(QString opener = QStringLiteral("xdg-open"));
    ~X11Shell() override;
    void openUrl(const QString& url) override;

private:
    struct Opening {
        QElapsedTimer started;
        int process = -1; // a pidfd of the opener, readable once it has ended; -1 when unknown
    };
    static bool underWay(const Opening& opening);

    QString opener_;
    std::map<QString, Opening> openings_; // by address
};

} // namespace platform::x11
