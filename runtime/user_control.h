#pragma once
#include <QFont>
#include <QString>
#include <QWidget>

#include "runtime/property_bag.h"
#include "runtime/services.h"

namespace rt {

// The host's side of a user control: the ambient properties of the window it
// sits on, its extender (name and host tooltip), the property-bag events and
// the change signal. A window built from design data creates the control,
// hands it the ambient values and then either calls initProperties (a control
// placed new, in a designer) or readProperties with its design block; then it
// places and shows it. Saving calls writeProperties.
class UserControl : public QWidget {
    Q_OBJECT
public:
    struct Ambient {
        bool userMode = true;           // false while the host is being designed
        QString displayName;            // the name the host gives the instance
        QFont font;                     // the host window's font
        bool displayAsDefault = false;
    };

    UserControl(Services& services, QWidget* parent);

    const Ambient& ambient() const { return ambient_; }
    bool userMode() const { return ambient_.userMode; }
    void setAmbient(const Ambient& ambient) { ambient_ = ambient; }
    // The host reports a change of one ambient property.
    void changeAmbient(const Ambient& ambient, const QString& name);

    // The extender: the control's name on its host and the host's tooltip text.
    QString extenderName() const { return objectName(); }
    QString extenderToolTipText() const { return toolTip(); }
    void setExtenderToolTipText(const QString& text) { setToolTip(text); }

    virtual void initProperties() {}
    virtual void readProperties(const PropertyBag& bag) { Q_UNUSED(bag); }
    virtual void writeProperties(PropertyBag& bag) const { Q_UNUSED(bag); }

signals:
    // A persisted property changed (its name), so the host marks its bag dirty.
    void PropertyChanged(const QString& name);

protected:
    virtual void ambientChanged(const QString& name) { Q_UNUSED(name); }
    void propertyChanged(const QString& name) { emit PropertyChanged(name); }
    // For setters that only a designer may use: raises error 382 at run time.
    void requireDesignMode() const;
    Services& services() const { return services_; }

private:
    Services& services_;
    Ambient ambient_;
};

} // namespace rt
