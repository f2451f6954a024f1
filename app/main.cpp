// Vorlin: clicks the left mouse button at the cursor every interval the user types.
#include <QApplication>
#include <QFont>
#include <csignal>
#include <cstdio>

#include "app/form1.h"
#include "platform/x11/x11_platform.h"
#include "runtime/message_box.h"
#include "runtime/property_bag.h"

int main(int argc, char** argv)
{
    // The platform services need an X display (under Wayland: XWayland).
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fputs("vorlin: no X display (DISPLAY is not set); Vorlin needs X11 or XWayland.\n", stderr);
        return 1;
    }
    if (!platform::x11::canOpenDisplay()) {
        std::fprintf(stderr, "vorlin: cannot open the X display %s.\n", qgetenv("DISPLAY").constData());
        return 1;
    }
    // Under a file-size limit a write then fails with a reason the program
    // reports, instead of the signal ending the program with the user's work.
    std::signal(SIGXFSZ, SIG_IGN);
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QFont font = app.font();
    rt::addFontFallbacks(font);
    app.setFont(font);

    platform::Platform platform = platform::x11::makeX11Platform();
    rt::QtMessageBoxService messageBox;
    rt::Services services{platform, messageBox};

    auto* form1 = new Form1(services);
    form1->Show();
    const int rc = app.exec();
    return rc;
}
