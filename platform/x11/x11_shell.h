#pragma once
#include <QString>

#include "platform/shell.h"

namespace platform::x11 {

// Opens web and mail addresses with the desktop's default handlers through the
// freedesktop opener (xdg-open). The address travels as the opener's single
// argument of a detached process, so no command shell ever parses it; the call
// returns as soon as the process is started, and when no opener is installed
// nothing happens at all. Only addresses openableAddress() accepts are handed on.
class X11Shell : public Shell {
public:
    // The opener is a program name looked up in PATH, or a full path.
    explicit X11Shell(QString opener = QStringLiteral("xdg-open"));
    void openUrl(const QString& url) override;

private:
    QString opener_;
};

} // namespace platform::x11
