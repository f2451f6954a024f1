#pragma once
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

#include "runtime/form_design.h"
#include "runtime/services.h"

namespace rt {

class UserControl;

// Makes the control of one design block. The standard kinds (Label, CheckBox,
// Picture, Frame, TextBox, CommandButton, Timer) are always there; a window
// adds the kinds of its user controls. A creator returns a QWidget (placed by
// the window) or a plain QObject (a timer).
class ControlFactory {
public:
    using Creator = std::function<QObject*(const ControlDesign& design, QWidget* parent, Services& services)>;

    ControlFactory(); // with the standard kinds
    void add(const QString& kind, Creator creator);
    QObject* create(const ControlDesign& design, QWidget* parent, Services& services) const;

private:
    QHash<QString, Creator> creators_;
};

// A window built from its design data. Load creates the controls (user
// controls get their ambient values and read their design block as their
// property bag) and then runs Form_Load; Show loads if needed and shows it
// modeless; Hide keeps it loaded; Unload runs Form_Unload, hides the window and
// destroys it (the object deletes itself; hold it in a QPointer). The
// title-bar close box unloads. A window whose Form_Load ends the program is
// never shown.
class Form : public QWidget {
    Q_OBJECT
public:
    Form(Services& services, QString designPath, ControlFactory factory = {}, QWidget* parent = nullptr);
    ~Form() override;

    void Load();
    void Show();
    void Hide() { hide(); }
    void Unload();
    bool isLoaded() const { return loaded_; }
    // Whether the window is a child window of a multiple-document area.
    bool MDIChild() const;

    const FormDesign& design() const { return design_; }
    QObject* controlObject(const QString& name) const { return controls_.value(name.toLower()); }
    template <class T> T* control(const QString& name) const { return qobject_cast<T*>(controlObject(name)); }

    // Builds the window in designer mode (no load handler, user controls see
    // userMode false): for tests of design-time behaviour.
    void loadForDesigner();

signals:
    void Unloaded();

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    Services& services() const { return services_; }
    // After the load handler ended the program: the window counts as never loaded.
    void abandonLoad() { loaded_ = false; }
    void closeEvent(QCloseEvent* event) override;

private:
    void build(bool userMode);
    void applyWindowDesign();
    void applyTabOrder();
    void focusFirstTabStop();

    Services& services_;
    QString designPath_;
    ControlFactory factory_;
    FormDesign design_;
    QHash<QString, QObject*> controls_;
    std::vector<QWidget*> tabStops_; // the controls that take the focus, in tab order
    bool built_ = false;
    bool loaded_ = false;
    bool unloading_ = false;
};

// The entries the host keeps for any control it places: position and size in
// twips, Visible and the host's ToolTipText. A user control reads the rest of
// its block itself, as its property bag.
void applyExtenderDesign(QWidget& widget, const PropertyBag& bag);
// A standard control's entries: the extender's, then Enabled, Font, ForeColor,
// and MouseIcon with MouseIconHotSpot.
void applyCommonDesign(QWidget& widget, const PropertyBag& bag);
// A picture of the program's resources by its design-data path; a missing file gives a null pixmap.
QPixmap loadDesignPicture(const QString& path);

} // namespace rt
