// The button's input: mouse, keys, access keys and focus turned into
// ButtonState, Value and the button's events.
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QEnterEvent>
#include <QMouseEvent>

#include "controls/button/glintbutton.h"
#include "platform/input.h"
#include "platform/key_names.h"
#include "platform/platform.h"
#include "runtime/keystrokes.h"
#include "runtime/screen_pixels.h"
#include "runtime/virtual_keys.h"

namespace glint {

using rt::VkDown;
using rt::VkEscape;
using rt::VkLeft;
using rt::VkReturn;
using rt::VkRight;
using rt::VkSpace;
using rt::VkUp;

namespace {

// The access key of a caption: the character after the first single "&", in
// lower case; "&&" stands for a literal ampersand. Null for none.
QChar accessKeyOf(const QString& caption)
{
    const qsizetype last = caption.size() - 1;
    const qsizetype p = caption.indexOf(u'&');
    if (caption.size() <= 1 || p < 0 || p >= last)
        return {};
    if (caption[p + 1] != u'&')
        return caption[p + 1].toLower();
    const qsizetype q = caption.indexOf(u'&', p + 2);
    if (q < 0 || q >= last || caption[q + 1] == u'&')
        return {};
    return caption[q + 1].toLower();
}

// Whether a key press types characters the way the host reports them: Alt
// alone makes a menu key of it, Ctrl+Alt is the alternate graphic shift.
bool typesCharacters(const QKeyEvent& e)
{
    const Qt::KeyboardModifiers m = e.modifiers();
    if ((m & Qt::AltModifier) && !(m & Qt::ControlModifier))
        return false;
    return !e.text().isEmpty() && e.key() != Qt::Key_Delete;
}

} // namespace

// ---------------------------------------------------------------- mouse

bool Glintbutton::CursorOverControl() const
{
    if (!isVisible())
        return false;
    // The platform gives the cursor in screen pixels; the rectangle is taken
    // in screen pixels too, and the point brought back to the control's own
    // pixels for its window region.
    const platform::Point c = services().platform.input->cursorPos();
    const QPoint topLeft = rt::toScreenPixels(*this, mapToGlobal(QPoint(0, 0)));
    const QPoint bottomRight = rt::toScreenPixels(*this, mapToGlobal(QPoint(width(), height())));
    if (c.x < topLeft.x() || c.y < topLeft.y() || c.x >= bottomRight.x() || c.y >= bottomRight.y())
        return false;
    const QPoint local(int(qint64(c.x - topLeft.x()) * width() / (bottomRight.x() - topLeft.x())),
                       int(qint64(c.y - topLeft.y()) * height() / (bottomRight.y() - topLeft.y())));
    return mask().isEmpty() || mask().contains(local);
}

void Glintbutton::changeState(int32_t state)
{
    if (buttonState_ == state)
        return;
    buttonState_ = state;
    Redraw();
}

void Glintbutton::showHandPointer()
{
    if (handPointer_ && handCursorLoaded_)
        setCursor(Qt::PointingHandCursor);
}

Glintbutton::MousePress Glintbutton::pressOf(const QMouseEvent& e)
{
    return {rt::mouseButtonsOf(e.button()), rt::shiftStateOf(e.modifiers()), float(e.position().x()),
            float(e.position().y())};
}

void Glintbutton::mouseMoveEvent(QMouseEvent*)
{
    showHandPointer();
    // Every move, the button's own or one under a press, asks where the cursor
    // is now: a press keeps sending moves after the pointer left the control.
    mouseOver_ = CursorOverControl();
    if (mouseOver_) {
        TrackLeave();
        emit MouseEnter();
    }
    if (spaceDown_)
        return;
    if (mouseOver_ && !leftDown_) {
        if (buttonState_ != StateHot) {
            buttonState_ = StateHot;
            Redraw();
            ShowTooltip();
        }
    } else {
        changeState(mouseOver_ ? StateDown : StateNormal);
    }
}

// A pointer that jumps onto the control (a warp, or a window moved away from
// over it) arrives with an enter and no move; it turns the button hot all the same.
void Glintbutton::enterEvent(QEnterEvent* event)
{
    rt::UserControl::enterEvent(event);
    if (isEnabled()) // Qt tells a disabled control of the pointer too; it takes no mouse input
        mouseMoveEvent(nullptr);
}

void Glintbutton::mousePressEvent(QMouseEvent* event)
{
    showHandPointer();
    pressPending_ = true;
    mouseDown(pressOf(*event));
}

void Glintbutton::mouseDown(MousePress press)
{
    lastPress_ = press;
    if (press.button != 1 && !menuSuppress_)
        return;
    hasFocus_ = true;
    leftDown_ = true;
    if (!spaceDown_)
        changeState(StateDown);
    if (!popupAttached_)
        emit MouseDown(press.button, press.shift, press.x, press.y);
    else if (!menuSuppress_)
        ShowPopupMenu();
}

void Glintbutton::mouseReleaseEvent(QMouseEvent* event)
{
    showHandPointer();
    MousePress p = pressOf(*event);
    mouseCaptured_ = false;
    pressPending_ = false;
    if (popupAttached_) {
        endMenuPress();
        return;
    }
    if (p.button == 1) {
        leftDown_ = false;
        // Only a release strictly inside the client area clicks.
        if (p.x > 0 && p.x < width() && p.y > 0 && p.y < height()) {
            clickValue();
            buttonState_ = StateNormal;
            Redraw();
            const QPointer<Glintbutton> alive(this);
            emit Click();
            if (!alive)
                return; // the handler closed the window
        }
    }
    emit MouseUp(p.button, p.shift, p.x, p.y);
}

// A menu button shows its menu on the press; its release only ends the press.
void Glintbutton::endMenuPress()
{
    leftDown_ = false;
    menuSuppress_ = false;
    buttonState_ = StateNormal;
    Redraw();
}

void Glintbutton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The double click takes the place of the second press. Qt delivers that
    // press first, and it has been handled already; only a double click whose
    // press went to another window (one over the control that vanished) is
    // handled as the press here.
    showHandPointer();
    const bool pressHandled = pressPending_;
    if (!pressHandled)
        lastPress_ = pressOf(*event);
    if (lastPress_.button == 1) {
        mouseCaptured_ = true;
        buttonState_ = StateDown;
        Redraw();
    }
    const QPointer<Glintbutton> alive(this);
    if (!pressHandled)
        mouseDown(lastPress_);
    if (!alive)
        return;
    if (!popupAttached_) {
        if (event->button() == Qt::LeftButton)
            emit DblClick();
    } else if (!menuSuppress_) {
        ShowPopupMenu();
    }
}

// ---------------------------------------------------------------- keys

void Glintbutton::keyPressEvent(QKeyEvent* event)
{
    const QPointer<Glintbutton> alive(this);
    int16_t keyCode = rt::virtualKeyOf(*event);
    const auto& keys = services().platform.keyNames;
    if (keyCode == 0 && keys) // a character a US keyboard lacks (ü): its key's place gives the number
        keyCode = int16_t(keys->virtualKeyAtPlace(event->nativeScanCode()));
    keyDown(keyCode, rt::shiftStateOf(*event));
    if (alive && typesCharacters(*event))
        emitKeyPresses(event->text());
}

void Glintbutton::emitKeyPresses(const QString& text)
{
    const QPointer<Glintbutton> alive(this);
    for (QChar c : text) {
        int16_t keyAscii = int16_t(c.unicode());
        emit KeyPress(keyAscii);
        if (!alive)
            return;
    }
}

void Glintbutton::keyDown(int16_t keyCode, int16_t shift)
{
    const QPointer<Glintbutton> alive(this);
    switch (keyCode) {
    case VkReturn:
        emit Click(); // in every mode, without touching Value
        if (!alive)
            return;
        break;
    case VkSpace:
        if (shift == rt::AltMask)
            return; // the window's menu key, not the button's
        if (leftDown_) {
            changeState(mouseOver_ ? StateDown : StateNormal);
        } else {
            // Each automatic repeat of a held space bar arrives here again.
            spaceDown_ = true;
            clickValue();
            changeState(StateDown);
        }
        mouseCaptured_ = true;
        break;
    case VkLeft:
    case VkUp:
        rt::sendTab(true);
        break;
    case VkRight:
    case VkDown:
        rt::sendTab(false);
        break;
    default:
        if (spaceDown_) { // another key cancels a space press
            spaceDown_ = false;
            buttonState_ = StateNormal;
            Redraw();
        }
        break;
    }
    if (keyCode != 0)
        emit KeyDown(keyCode, shift);
}

void Glintbutton::keyReleaseEvent(QKeyEvent* event)
{
    // A held key repeats its press; the releases in between end nothing.
    if (event->isAutoRepeat())
        return;
    keyUp(rt::virtualKeyOf(*event), rt::shiftStateOf(*event));
}

void Glintbutton::keyUp(int16_t keyCode, int16_t shift)
{
    if (keyCode != VkSpace)
        return;
    mouseCaptured_ = false;
    if (mouseOver_ && leftDown_) {
        changeState(StateDown);
    } else {
        changeState(mouseOver_ ? StateHot : StateNormal);
        if (!leftDown_ && spaceDown_) {
            const QPointer<Glintbutton> alive(this);
            emit Click();
            if (!alive)
                return;
        }
    }
    emit KeyUp(keyCode, shift);
    spaceDown_ = false;
    leftDown_ = false;
}

void Glintbutton::inputMethodEvent(QInputMethodEvent* event)
{
    // Text an input method commits comes without key presses.
    emitKeyPresses(event->commitString());
}

// ---------------------------------------------------------------- access keys

void Glintbutton::UpdateAccessKey()
{
    delete accessShortcut_;
    accessShortcut_ = nullptr;
    accessKey_ = accessKeyOf(caption_);
    if (accessKey_.isNull())
        return;
    const auto key = Qt::Key(accessKey_.toUpper().unicode());
    accessShortcut_ = new QShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, key)), this);
    accessShortcut_->setAutoRepeat(false);
    const auto press = [this] { AccessKeyPress(int16_t(accessKey_.unicode())); };
    connect(accessShortcut_, &QShortcut::activated, this, press);
    connect(accessShortcut_, &QShortcut::activatedAmbiguously, this, press); // two buttons with one key
}

void Glintbutton::AccessKeyPress(int16_t KeyAscii)
{
    if (!enabled_)
        return;
    if (spaceDown_) {
        spaceDown_ = false;
        leftDown_ = false;
    }
    // Enter and Esc only ever click a push button.
    const bool enterOrEscape = KeyAscii == VkEscape || KeyAscii == VkReturn;
    if (enterOrEscape && (mode_ == ModeCheck || mode_ == ModeOption))
        return;
    clickValue(); // a cleared check shows normal again
    const QPointer<Glintbutton> alive(this);
    rt::doEvents();
    if (alive)
        emit Click();
}

void Glintbutton::clickValue()
{
    if (mode_ == ModeCheck) {
        setValue(!value_);
    } else if (mode_ == ModeOption) {
        ClearOtherOptions();
        setValue(true);
    }
}

void Glintbutton::ClearOtherOptions()
{
    QWidget* container = parentWidget();
    if (!container)
        return;
    for (Glintbutton* other : container->findChildren<Glintbutton*>(Qt::FindDirectChildrenOnly))
        if (other != this && other->Mode() == ModeOption)
            other->setValue(false);
}

// ---------------------------------------------------------------- focus

void Glintbutton::focusInEvent(QFocusEvent* event)
{
    rt::UserControl::focusInEvent(event);
    // A popup menu takes the keyboard for a while; the focus stays ours.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    hasFocus_ = true;
    Redraw(); // so the focus shows when it arrives from the keyboard
}

void Glintbutton::focusOutEvent(QFocusEvent* event)
{
    rt::UserControl::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return;
    hasFocus_ = false;
    leftDown_ = false;
    spaceDown_ = false;
    mouseCaptured_ = false;
    buttonState_ = parentActive_ && mouseOver_ ? StateHot : StateNormal;
    Redraw();
}

} // namespace glint
