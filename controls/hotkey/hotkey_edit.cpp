#include "controls/hotkey/hotkey_edit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "runtime/virtual_keys.h"

namespace {

struct MouseArgs {
    int16_t button;
    int16_t shift;
    float x;
    float y;
};

MouseArgs mouseArgs(const QMouseEvent& e, int16_t button)
{
    return {button, rt::shiftStateOf(e.modifiers()), float(e.position().x()), float(e.position().y())};
}

} // namespace

HotKeyEdit::HotKeyEdit(QWidget* parent) : QLineEdit(parent)
{
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setDragEnabled(false);
}

void HotKeyEdit::setBorderStyle(int16_t style)
{
    borderStyle_ = style;
    applyFrame();
}

void HotKeyEdit::setAppearance(int16_t appearance)
{
    appearance_ = appearance;
    applyFrame();
}

bool HotKeyEdit::flatBorder() const
{
    return borderStyle_ != 0 && appearance_ == 0;
}

void HotKeyEdit::applyFrame()
{
    // No border, the style's sunken frame (3-D), or a plain one-pixel line
    // (flat) drawn over the box's own background, so the back colour holds.
    setFrame(borderStyle_ != 0 && !flatBorder());
    const int line = flatBorder() ? 1 : 0;
    setTextMargins(line, line, line, line);
    update();
}

void HotKeyEdit::paintEvent(QPaintEvent* e)
{
    QLineEdit::paintEvent(e);
    if (!flatBorder())
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

bool HotKeyEdit::event(QEvent* e)
{
    // Every combination is for recording, none is a shortcut of the window.
    if (e->type() == QEvent::ShortcutOverride) {
        e->accept();
        return true;
    }
    return QLineEdit::event(e);
}

void HotKeyEdit::keyPressEvent(QKeyEvent* e)
{
    e->accept(); // the box itself never acts on a key
    int16_t keyCode = rt::virtualKeyOf(*e);
    if (keyCode == 0)
        return;
    int16_t shift = rt::shiftStateOf(*e);
    emit KeyDown(keyCode, shift);
}

void HotKeyEdit::keyReleaseEvent(QKeyEvent* e)
{
    e->accept();
    // A held key repeats its key-down only; the repeats' key-ups are not real.
    if (e->isAutoRepeat())
        return;
    int16_t keyCode = rt::virtualKeyOf(*e);
    if (keyCode == 0)
        return;
    int16_t shift = rt::shiftStateOf(*e);
    emit KeyUp(keyCode, shift);
}

void HotKeyEdit::inputMethodEvent(QInputMethodEvent* e)
{
    e->accept(); // characters are discarded
}

void HotKeyEdit::mousePressEvent(QMouseEvent* e)
{
    QLineEdit::mousePressEvent(e);
    MouseArgs a = mouseArgs(*e, rt::mouseButtonsOf(e->button()));
    emit MouseDown(a.button, a.shift, a.x, a.y);
}

void HotKeyEdit::mouseMoveEvent(QMouseEvent* e)
{
    QLineEdit::mouseMoveEvent(e);
    MouseArgs a = mouseArgs(*e, rt::mouseButtonsOf(e->buttons()));
    emit MouseMove(a.button, a.shift, a.x, a.y);
}

void HotKeyEdit::mouseReleaseEvent(QMouseEvent* e)
{
    // The middle button would paste the selection; the text stays the control's.
    if (e->button() != Qt::MiddleButton)
        QLineEdit::mouseReleaseEvent(e);
    MouseArgs a = mouseArgs(*e, rt::mouseButtonsOf(e->button()));
    emit MouseUp(a.button, a.shift, a.x, a.y);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit Click();
}

void HotKeyEdit::mouseDoubleClickEvent(QMouseEvent* e)
{
    QLineEdit::mouseDoubleClickEvent(e);
    emit DblClick();
}
