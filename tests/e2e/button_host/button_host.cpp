// A window with two styled buttons on the real X11 platform, for the end-to-end
// tests of what the main window does not use: "Menu" at (20, 20) opens a popup
// menu below itself, "Keys" at (20, 100) has the focus. Every event the tests
// look at is written to the file named by the first argument, one line each:
// "Menu shown", "Menu closed", "MouseLeave", "KeyDown 219".
#include <QApplication>
#include <QMenu>
#include <QWidget>
#include <cstdio>

#include "controls/button/glintbutton.h"
#include "platform/single_instance.h"
#include "platform/x11/x11_platform.h"
#include "runtime/message_box.h"
#include "runtime/services.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: e2e_button_host LOGFILE\n", stderr);
        return 2;
    }
    std::FILE* log = std::fopen(argv[1], "w");
    if (!log)
        return 1;
    const auto note = [log](const QString& line) {
        std::fprintf(log, "%s\n", line.toUtf8().constData());
        std::fflush(log);
    };

    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    platform::Platform platform = platform::x11::makeX11Platform(nullptr);
    rt::QtMessageBoxService messageBox;
    rt::Services services{platform, messageBox};

    QWidget window;
    window.setWindowTitle(QStringLiteral("Button host"));
    window.setFixedSize(300, 200);

    QMenu menu;
    menu.addAction(QStringLiteral("One"));
    menu.addAction(QStringLiteral("Two"));
    QObject::connect(&menu, &QMenu::aboutToShow, [&] { note(QStringLiteral("Menu shown")); });
    QObject::connect(&menu, &QMenu::aboutToHide, [&] { note(QStringLiteral("Menu closed")); });

    const auto make = [&](const QString& caption, int y) {
        auto* b = new glint::Glintbutton(services, &window);
        b->initProperties();
        b->setGeometry(20, y, 100, 30);
        b->setButtonStyle(3); // the start button's silver face
        b->setCaption(caption);
        QObject::connect(b, &glint::Glintbutton::MouseLeave, [&] { note(QStringLiteral("MouseLeave")); });
        QObject::connect(b, &glint::Glintbutton::KeyDown,
                         [&](int16_t& key, int16_t&) { note(QStringLiteral("KeyDown %1").arg(key)); });
        return b;
    };
    glint::Glintbutton* menuButton = make(QStringLiteral("Menu"), 20);
    menuButton->SetPopupMenu(&menu, 0);
    glint::Glintbutton* keysButton = make(QStringLiteral("Keys"), 100);

    window.show();
    keysButton->setFocus();
    return app.exec();
}
