#include "app/control_kinds.h"

#include "controls/hotkey/rk_hotkey.h"
#include "controls/button/glintbutton.h"
#include "controls/textbox/mtextbox.h"

rt::ControlFactory makeControlFactory()
{
    rt::ControlFactory factory;
    factory.add(QStringLiteral("Glintbutton"), [](const rt::ControlDesign&, QWidget* parent, rt::Services& services) -> QObject* {
        return new glint::Glintbutton(services, parent);
    });
    factory.add(QStringLiteral("mTextBox"), [](const rt::ControlDesign&, QWidget* parent, rt::Services& services) -> QObject* {
        return new textbox::mTextBox(services, parent);
    });
    factory.add(QStringLiteral("RKHotKey"), [](const rt::ControlDesign&, QWidget* parent, rt::Services& services) -> QObject* {
        return new RKHotKey(services, parent);
    });
    return factory;
}
