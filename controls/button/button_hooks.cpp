// The notifications the button watches on its own window and its top-level
// window: the pointer leaving the control, the window's activation, and
// changes of the style, the theme and the palette.
#include <QApplication>
#include <QEvent>
#include <algorithm>

#include "controls/button/glintbutton.h"
#include "controls/button/themed_face.h"
#include "runtime/form.h"

namespace glint {

namespace {

struct Notice {
    uint32_t message;
    intptr_t wParam;
};

// The messages a Qt event stands for. An activation reads as both kinds, so a
// window hooked for its frame's activation hears the same news.
std::vector<Notice> noticesFor(QEvent::Type type)
{
    switch (type) {
    case QEvent::Leave: return {{MsgMouseLeave, 0}};
    case QEvent::WindowActivate: return {{MsgActivate, WaActive}, {MsgNcActivate, 1}};
    case QEvent::WindowDeactivate: return {{MsgActivate, WaInactive}, {MsgNcActivate, 0}};
    case QEvent::StyleChange:
    case QEvent::ThemeChange: return {{MsgThemeChanged, 0}};
    case QEvent::PaletteChange:
    case QEvent::ApplicationPaletteChange: return {{MsgSysColorChange, 0}};
    default: return {};
    }
}

// Whether the window that hosts the control is an MDI child. A host that
// cannot say counts as one: its frame's activation is then watched.
bool hostIsMdiChild(const QWidget& control)
{
    for (const QWidget* w = control.parentWidget(); w; w = w->parentWidget())
        if (const auto* form = qobject_cast<const rt::Form*>(w))
            return form->MDIChild();
    return true;
}

} // namespace

// ---------------------------------------------------------------- set-up

void Glintbutton::SetUpHooks()
{
    LeaveTrackingAvailable();
    QWidget* parentWindow = window();
    HookWindow(this);
    HookWindow(parentWindow);
    AddHookMessage(this, MsgMouseLeave);
    AddHookMessage(this, MsgThemeChanged);
    if (IsThemed())
        AddHookMessage(this, MsgSysColorChange);
    AddHookMessage(parentWindow, hostIsMdiChild(*this) ? MsgNcActivate : MsgActivate);
}

// ---------------------------------------------------------------- the hook list

HookEntry* Glintbutton::FindHook(QObject* window)
{
    for (auto it = hooks_.rbegin(); it != hooks_.rend(); ++it)
        if (it->window && it->window == window)
            return &*it;
    return nullptr;
}

int Glintbutton::HookWindow(QObject* window)
{
    // A window watched already (a control without a parent is its own
    // top-level window) keeps its one entry.
    if (HookEntry* hooked = FindHook(window))
        return int(hooked - hooks_.data());
    int index = -1;
    for (int i = int(hooks_.size()) - 1; i >= 0 && index < 0; --i)
        if (!hooks_[size_t(i)].window)
            index = i;
    if (index < 0) {
        hooks_.emplace_back();
        index = int(hooks_.size()) - 1;
    }
    hooks_[size_t(index)] = HookEntry{window, {}};
    window->installEventFilter(&hookFilter_);
    return index;
}

void Glintbutton::AddHookMessage(QObject* window, uint32_t message)
{
    HookEntry* entry = FindHook(window);
    if (entry && std::find(entry->after.begin(), entry->after.end(), message) == entry->after.end())
        entry->after.push_back(message);
}

void Glintbutton::RemoveHookMessage(QObject* window, uint32_t message)
{
    if (HookEntry* entry = FindHook(window))
        std::erase(entry->after, message);
}

void Glintbutton::UnhookWindow(QObject* window)
{
    HookEntry* entry = FindHook(window);
    if (!entry)
        return;
    // Qt keeps each window's filters as a list, so one control leaving it
    // never disturbs the others, whatever the order.
    window->removeEventFilter(&hookFilter_);
    *entry = HookEntry{};
}

void Glintbutton::UnhookAll()
{
    for (auto it = hooks_.rbegin(); it != hooks_.rend(); ++it)
        if (it->window)
            UnhookWindow(it->window);
}

void Glintbutton::HookEvent(QObject* watched, QEvent* event)
{
    const HookEntry* entry = FindHook(watched);
    if (!entry)
        return;
    for (const Notice& n : noticesFor(event->type())) {
        if (std::find(entry->after.begin(), entry->after.end(), n.message) == entry->after.end())
            continue;
        if (n.message == MsgMouseLeave) {
            // Qt tells of every leave; the control hears only the one it asked for.
            if (!leaveRequested_)
                continue;
            leaveRequested_ = false;
        }
        bool handled = false;
        intptr_t result = 0;
        Subclass_WndProc(false, handled, result, quintptr(watched), n.message, n.wParam, 0);
    }
}

// ---------------------------------------------------------------- handling

void Glintbutton::Subclass_WndProc(bool bBefore, bool& bHandled, intptr_t& lReturn, quintptr lHwnd, uint32_t uMsg,
                                   intptr_t wParam, intptr_t lParam)
{
    Q_UNUSED(bBefore);
    Q_UNUSED(bHandled);
    Q_UNUSED(lReturn);
    Q_UNUSED(lHwnd);
    Q_UNUSED(lParam);
    switch (uMsg) {
    case MsgActivate: WindowActivated((wParam & 0xFFFF) != WaInactive); break;
    case MsgNcActivate: WindowActivated(wParam != 0); break;
    case MsgSysColorChange:
    case MsgThemeChanged: Redraw(); break;
    case MsgMouseLeave: MouseLeft(); break;
    default: break;
    }
}

void Glintbutton::WindowActivated(bool active)
{
    parentActive_ = active;
    buttonState_ = StateNormal;
    if (!active) {
        // Whatever was held down is let go with the window.
        leftDown_ = false;
        spaceDown_ = false;
        hasFocus_ = false;
    }
    Redraw();
    if (active)
        TakeRestingPointer();
}

void Glintbutton::TakeRestingPointer()
{
    // A window that comes back under a resting pointer (its message box closed,
    // the focus given back), or a control enabled again under it, hears no
    // move; the pointer over the control has arrived on it all the same. A
    // window of another program over the control keeps the pointer from the
    // window, and it stays normal.
    if (isEnabled() && window()->underMouse() && CursorOverControl())
        mouseMoveEvent(nullptr);
}

void Glintbutton::MouseLeft()
{
    mouseOver_ = false;
    if (popupAttached_) {
        // The open menu took the pointer: the button stays pressed, and the
        // press that closes the menu over it must not open it again.
        if (menuOpen_) {
            menuOpen_ = false;
            menuSuppress_ = true;
            return;
        }
        menuSuppress_ = false;
    }
    if (spaceDown_)
        return;
    if (buttonState_ != StateNormal) {
        buttonState_ = StateNormal;
        Redraw();
    }
    emit MouseLeave();
}

void Glintbutton::TrackLeave()
{
    if (LeaveTrackingAvailable())
        leaveRequested_ = true;
}

// ---------------------------------------------------------------- capabilities

bool Glintbutton::LeaveTrackingAvailable() const
{
    // Qt reports the pointer leaving a widget in every GUI application.
    if (!leaveTracking_)
        leaveTracking_ = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    return *leaveTracking_;
}

bool Glintbutton::HasThemeLibrary() const
{
    // Widget styles come with a widgets application only.
    if (!themeLibrary_)
        themeLibrary_ = qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
    return *themeLibrary_;
}

bool Glintbutton::IsThemed() const
{
    if (const std::optional<bool> forced = isThemedOverride())
        return *forced;
    if (!HasThemeLibrary())
        return false;
    if (!appThemed_)
        appThemed_ = QApplication::style() != nullptr;
    return *appThemed_;
}

} // namespace glint
