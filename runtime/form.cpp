#include "runtime/form.h"

#include <QCloseEvent>
#include <QIcon>
#include <QMdiSubWindow>
#include <QPixmap>
#include <algorithm>

#include "runtime/controls.h"
#include "runtime/runtime_error.h"
#include "runtime/user_control.h"

namespace rt {

QPixmap loadDesignPicture(const QString& path)
{
    return path.isEmpty() ? QPixmap() : QPixmap(path);
}

void applyExtenderDesign(QWidget& w, const PropertyBag& bag)
{
    w.setGeometry(twipsToPixels(bag.readInt(QStringLiteral("Left"), 0)), twipsToPixels(bag.readInt(QStringLiteral("Top"), 0)),
                  twipsToPixels(bag.readInt(QStringLiteral("Width"), 0)), twipsToPixels(bag.readInt(QStringLiteral("Height"), 0)));
    if (bag.contains(QStringLiteral("Visible")))
        w.setVisible(bag.readBool(QStringLiteral("Visible"), true));
    if (bag.contains(QStringLiteral("ToolTipText")))
        w.setToolTip(bag.readString(QStringLiteral("ToolTipText"), {}));
}

void applyCommonDesign(QWidget& w, const PropertyBag& bag)
{
    applyExtenderDesign(w, bag);
    if (bag.contains(QStringLiteral("Enabled")))
        w.setEnabled(bag.readBool(QStringLiteral("Enabled"), true));
    if (bag.contains(QStringLiteral("Font")))
        w.setFont(bag.readFont(QStringLiteral("Font"), w.font()));
    if (bag.contains(QStringLiteral("ForeColor"))) {
        QPalette p = w.palette();
        const QColor c = colorFromBgr(bag.readColor(QStringLiteral("ForeColor"), 0));
        p.setColor(QPalette::WindowText, c);
        p.setColor(QPalette::Text, c);
        p.setColor(QPalette::ButtonText, c);
        w.setPalette(p);
    }
    if (bag.contains(QStringLiteral("MouseIcon"))) {
        const QPixmap icon = loadDesignPicture(bag.readString(QStringLiteral("MouseIcon"), {}));
        const QStringList hot = bag.readString(QStringLiteral("MouseIconHotSpot"), QStringLiteral("0,0")).split(u',');
        if (icon.isNull())
            w.setCursor(Qt::PointingHandCursor);
        else
            w.setCursor(QCursor(icon, hot.value(0).toInt(), hot.value(1).toInt()));
    }
}

namespace {

template <class T>
T* makeWidget(const ControlDesign& d, QWidget* parent)
{
    auto* w = new T(parent);
    applyCommonDesign(*w, d.bag);
    return w;
}

} // namespace

ControlFactory::ControlFactory()
{
    add(QStringLiteral("Label"), [](const ControlDesign& d, QWidget* parent, Services&) -> QObject* {
        auto* w = makeWidget<Label>(d, parent);
        w->setCaption(d.bag.readString(QStringLiteral("Caption"), {}));
        w->setWordWrap(d.bag.readBool(QStringLiteral("WordWrap"), false));
        return w;
    });
    add(QStringLiteral("CheckBox"), [](const ControlDesign& d, QWidget* parent, Services&) -> QObject* {
        auto* w = makeWidget<CheckBox>(d, parent);
        w->setText(d.bag.readString(QStringLiteral("Caption"), {}));
        w->setValue(d.bag.readInt(QStringLiteral("Value"), 0));
        return w;
    });
    add(QStringLiteral("Picture"), [](const ControlDesign& d, QWidget* parent, Services&) -> QObject* {
        auto* w = makeWidget<Picture>(d, parent);
        w->setPixmap(loadDesignPicture(d.bag.readString(QStringLiteral("Picture"), {})));
        return w;
    });
    add(QStringLiteral("Frame"), [](const ControlDesign& d, QWidget* parent, Services&) -> QObject* {
        auto* w = makeWidget<Frame>(d, parent);
        w->setTitle(d.bag.readString(QStringLiteral("Caption"), {}));
        return w;
    });
    add(QStringLiteral("TextBox"), [](const ControlDesign& d, QWidget* parent, Services&) -> QObject* {
        auto* w = makeWidget<TextBox>(d, parent);
        w->setText(d.bag.readString(QStringLiteral("Text"), {}));
        return w;
    });
    add(QStringLiteral("CommandButton"), [](const ControlDesign& d, QWidget* parent, Services&) -> QObject* {
        auto* w = makeWidget<CommandButton>(d, parent);
        w->setCaption(d.bag.readString(QStringLiteral("Caption"), {}));
        return w;
    });
    add(QStringLiteral("Timer"), [](const ControlDesign& d, QWidget* parent, Services&) -> QObject* {
        auto* t = new Timer(parent);
        t->setInterval(d.bag.readInt(QStringLiteral("Interval"), 0));
        t->setEnabled(d.bag.readBool(QStringLiteral("Enabled"), true));
        return t;
    });
}

void ControlFactory::add(const QString& kind, Creator creator) { creators_.insert(kind.toLower(), std::move(creator)); }

QObject* ControlFactory::create(const ControlDesign& design, QWidget* parent, Services& services) const
{
    auto it = creators_.find(design.kind.toLower());
    if (it == creators_.end())
        throw RuntimeError(ErrTypeMismatch, QStringLiteral("unknown control kind %1").arg(design.kind));
    return (*it)(design, parent, services);
}

Form::Form(Services& services, QString designPath, ControlFactory factory, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(services), designPath_(std::move(designPath)), factory_(std::move(factory))
{
}

Form::~Form() = default;

void Form::applyWindowDesign()
{
    const PropertyBag& bag = design_.window.bag;
    setWindowTitle(bag.readString(QStringLiteral("Caption"), {}));
    if (bag.contains(QStringLiteral("Font")))
        setFont(bag.readFont(QStringLiteral("Font"), font()));
    const QSize client(twipsToPixels(bag.readInt(QStringLiteral("ClientWidth"), 4800)),
                       twipsToPixels(bag.readInt(QStringLiteral("ClientHeight"), 3600)));
    setFixedSize(client);
    move(twipsToPixels(bag.readInt(QStringLiteral("Left"), 0)), twipsToPixels(bag.readInt(QStringLiteral("Top"), 0)));
    const QString icon = bag.readString(QStringLiteral("Icon"), {});
    if (!icon.isEmpty())
        setWindowIcon(QIcon(icon));
    Qt::WindowFlags flags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (bag.readBool(QStringLiteral("MinButton"), true))
        flags |= Qt::WindowMinimizeButtonHint;
    setWindowFlags(flags);
}

void Form::build(bool userMode)
{
    if (built_)
        return;
    built_ = true;
    design_ = loadFormDesign(designPath_);
    setObjectName(design_.window.name);
    applyWindowDesign();
    for (const ControlDesign& d : design_.controls) {
        QWidget* parent = this;
        const QString container = d.bag.readString(QStringLiteral("Container"), {});
        if (!container.isEmpty())
            if (auto* c = qobject_cast<QWidget*>(controlObject(container)))
                parent = c;
        QObject* obj = factory_.create(d, parent, services_);
        obj->setObjectName(d.name);
        controls_.insert(d.name.toLower(), obj);
        if (auto* uc = qobject_cast<UserControl*>(obj)) {
            uc->setAmbient({userMode, d.name, font(), false});
            uc->readProperties(d.bag);
            applyExtenderDesign(*uc, d.bag); // the rest of its block is its own business
        }
    }
    applyTabOrder();
}

void Form::applyTabOrder()
{
    std::vector<std::pair<int, QWidget*>> order;
    for (const ControlDesign& d : design_.controls) {
        auto* w = qobject_cast<QWidget*>(controlObject(d.name));
        // Labels and pictures have a tab index but take no focus; Qt ignores a
        // pair that holds one, which would break the chain.
        if (w && (w->focusPolicy() & Qt::TabFocus) && d.bag.contains(QStringLiteral("TabIndex")))
            order.emplace_back(d.bag.readInt(QStringLiteral("TabIndex"), 0), w);
    }
    std::stable_sort(order.begin(), order.end(), [](auto& a, auto& b) { return a.first < b.first; });
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1].second, order[i].second);
    tabStops_.clear();
    for (const auto& [index, w] : order)
        tabStops_.push_back(w);
}

void Form::focusFirstTabStop()
{
    for (QWidget* w : tabStops_)
        if (w->isEnabled() && w->isVisibleTo(this)) {
            // The window is not active yet: this makes w the control that gets
            // the focus when it becomes active.
            w->setFocus();
            return;
        }
}

void Form::Load()
{
    if (loaded_)
        return;
    build(true);
    loaded_ = true;
    Form_Load();
}

void Form::loadForDesigner() { build(false); }

bool Form::MDIChild() const { return qobject_cast<const QMdiSubWindow*>(parentWidget()) != nullptr; }

void Form::Show()
{
    Load();
    if (!loaded_)
        return;
    // A window opens with the focus on its first control in tab order (Qt would
    // take the first in creation order); shown again, it keeps the focus where
    // the user left it.
    if (!focusWidget())
        focusFirstTabStop();
    show();
    raise();
    activateWindow();
}

void Form::Unload()
{
    if (!loaded_ || unloading_)
        return;
    unloading_ = true;
    Form_Unload();
    loaded_ = false;
    hide();
    emit Unloaded();
    deleteLater();
}

void Form::closeEvent(QCloseEvent* event)
{
    event->accept();
    Unload();
}

} // namespace rt
