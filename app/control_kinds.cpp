#include "app/control_kinds.h"

#include "controls/hotkey/rk_hotkey.h"

rt::ControlFactory makeControlFactory()
{
    rt::ControlFactory factory;
    factory.add(QStringLiteral("RKHotKey"), [](const rt::ControlDesign&, QWidget* parent, rt::Services& services) -> QObject* {
        return new RKHotKey(services, parent);
    });
    return factory;
}
