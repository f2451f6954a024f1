#include "runtime/user_control.h"

#include "runtime/runtime_error.h"

namespace rt {

UserControl::UserControl(Services& services, QWidget* parent) : QWidget(parent), services_(services) {}

void UserControl::changeAmbient(const Ambient& ambient, const QString& name)
{
    ambient_ = ambient;
    ambientChanged(name);
}

void UserControl::requireDesignMode() const
{
    if (ambient_.userMode)
        throw RuntimeError(ErrSetNotAllowedAtRunTime, QStringLiteral("Property cannot be set at run time"));
}

} // namespace rt
