#include "controls/textbox/mtextbox.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <vector>

#include "runtime/screen_pixels.h"
#include "runtime/virtual_keys.h"
#include "platform/input.h"
#include "platform/platform.h"

namespace textbox {

namespace {

constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

// The three shading pictures of the frame, row by row.
struct Shading {
    int width;
    int height;
    uint32_t pixels[4];
};
constexpr Shading imgBorder_Top{1, 2, {rgb(207, 222, 234), rgb(239, 244, 248)}};
constexpr Shading imgBorder_Left{2, 1, {rgb(207, 222, 234), rgb(239, 244, 248)}};
constexpr Shading imgBorder_C{2, 2, {rgb(195, 214, 229), rgb(202, 219, 232), rgb(202, 219, 232), rgb(227, 236, 243)}};

// Draws a shading picture stretched to width × height at (x, y).
void drawStretched(rt::PixelSurface& s, const Shading& pic, int x, int y, int width, int height)
{
    for (int dy = 0; dy < height; ++dy)
        for (int dx = 0; dx < width; ++dx)
            s.setPixel(x + dx, y + dy, pic.pixels[(dy * pic.height / height) * pic.width + dx * pic.width / width]);
}

QFont txtMainFont() { return rt::latinFont(QStringLiteral("Verdana"), 9); }

bool isTabKey(int key) { return key == Qt::Key_Tab || key == Qt::Key_Backtab; }

// The character a key press types, as the 16-bit character code; 0 for none.
int16_t typedCharacter(const QKeyEvent* e)
{
    if (e->text().isEmpty() || e->key() == Qt::Key_Delete || isTabKey(e->key()))
        return 0;
    return int16_t(e->text().at(0).unicode());
}

// The key event that types the given character code.
QKeyEvent characterEvent(int16_t code, Qt::KeyboardModifiers modifiers)
{
    int key = Qt::Key_unknown;
    if (code == 8)
        key = Qt::Key_Backspace;
    else if (code == 13)
        key = Qt::Key_Return;
    else if (code == 27)
        key = Qt::Key_Escape;
    return QKeyEvent(QEvent::KeyPress, key, modifiers, QString(QChar(char16_t(code))));
}

} // namespace

mTextBox::mTextBox(rt::Services& services, QWidget* parent) : rt::UserControl(services, parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFixedHeight(FixedHeight); // every requested height becomes 22 pixels; the width stays
    setFocusPolicy(Qt::StrongFocus); // a tab stop that hands the focus to txtMain
    surface_.setBackColor(BackgroundColor);

    txtMain_ = new rt::TextBox(this);
    txtMain_->setObjectName(QStringLiteral("txtMain"));
    txtMain_->setFrame(false);
    txtMain_->setFont(txtMainFont());
    QPalette p = txtMain_->palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    txtMain_->setPalette(p);
    txtMain_->setGeometry(6, 3, txtMain_->width(), 15);
    txtMain_->setMouseTracking(true);
    txtMain_->installEventFilter(this);
    setFocusProxy(txtMain_);
    connect(txtMain_, &rt::TextBox::Change, this, &mTextBox::Change);

    timMouse_ = new rt::Timer(this);
    timMouse_->setObjectName(QStringLiteral("timMouse"));
    timMouse_->setEnabled(false);
    timMouse_->setInterval(HoverPollMs);
    connect(timMouse_, &rt::Timer::Tick, this, &mTextBox::timMouse_Timer);
}

mTextBox::~mTextBox() = default;

QString mTextBox::Text() const { return txtMain_->text(); }

void mTextBox::setText(const QString& New_Text)
{
    txtMain_->setText(New_Text);
    propertyChanged(QStringLiteral("Text"));
}

QString mTextBox::PwdChr() const { return pwdChr_; }

void mTextBox::setPwdChr(const QString& New_PwdChr)
{
    applyPwdChr(New_PwdChr);
    propertyChanged(QStringLiteral("PwdChr"));
}

void mTextBox::applyPwdChr(const QString& pwdChr)
{
    pwdChr_ = pwdChr.left(1);
    if (pwdChr_.isEmpty()) {
        txtMain_->setStyleSheet(QString());
        txtMain_->setEchoMode(QLineEdit::Normal);
    } else {
        txtMain_->setStyleSheet(QStringLiteral("lineedit-password-character: %1").arg(pwdChr_.at(0).unicode()));
        txtMain_->setEchoMode(QLineEdit::Password);
    }
}

void mTextBox::readProperties(const rt::PropertyBag& bag)
{
    // Loading fills txtMain directly: the host hears of no change.
    txtMain_->setText(bag.readString(QStringLiteral("Text"), QString()));
    applyPwdChr(bag.readString(QStringLiteral("PwdChr"), QString()));
}

void mTextBox::writeProperties(rt::PropertyBag& bag) const
{
    bag.writeString(QStringLiteral("Text"), txtMain_->text(), QString());
    bag.writeString(QStringLiteral("PwdChr"), pwdChr_, QString());
}

void mTextBox::DrawFrame()
{
    const int w = width(), h = height();
    surface_.resize(w, h);
    surface_.clear();
    if (hovered_)
        surface_.frame(QRect(0, 0, w, h), HoverRingColor);
    surface_.frame(QRect(1, 1, w - 2, h - 2), OutlineColor);
    surface_.fill(QRect(2, 2, w - 4, h - 4), InteriorColor);
    drawStretched(surface_, imgBorder_Top, 4, 2, w - 6, imgBorder_Top.height);
    drawStretched(surface_, imgBorder_Left, 2, 4, imgBorder_Left.width, h - 6);
    drawStretched(surface_, imgBorder_C, 2, 2, imgBorder_C.width, imgBorder_C.height);
    ++frameDraws_;
    update();
}

void mTextBox::resizeEvent(QResizeEvent* event)
{
    rt::UserControl::resizeEvent(event);
    // A box narrower than its margins keeps txtMain's previous width.
    if (width() - 12 >= 0)
        txtMain_->setGeometry(txtMain_->x(), txtMain_->y(), width() - 12, txtMain_->height());
    DrawFrame();
}

void mTextBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, surface_.image());
}

void mTextBox::mouseMoveEvent(QMouseEvent* event)
{
    rt::UserControl::mouseMoveEvent(event);
    mouseMovedOver(); // the frame area raises no MouseMove
}

void mTextBox::mouseMovedOver()
{
    timMouse_->setEnabled(true);
    if (!hovered_) {
        hovered_ = true;
        DrawFrame();
    }
}

void mTextBox::timMouse_Timer()
{
    // The platform gives the cursor in screen pixels, so the control's window
    // rectangle is taken in screen pixels too (they differ on a scaled display).
    // The position now: one a poll old could predate the move that lit the
    // ring and put it out under the pointer.
    const platform::Point cursor = services().platform.input->cursorPos();
    const QPoint topLeft = rt::toScreenPixels(*this, mapToGlobal(QPoint(0, 0)));
    const QPoint bottomRight = rt::toScreenPixels(*this, mapToGlobal(QPoint(width(), height())));
    // The right and bottom edge values themselves count as inside.
    if (cursor.x < topLeft.x() || cursor.x > bottomRight.x() || cursor.y < topLeft.y() || cursor.y > bottomRight.y()) {
        timMouse_->setEnabled(false);
        hovered_ = false;
        DrawFrame();
    }
}

bool mTextBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != txtMain_ || resending_)
        return rt::UserControl::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return forwardKeyPress(static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
        return forwardKeyRelease(static_cast<QKeyEvent*>(event));
    case QEvent::InputMethod:
        return forwardInputMethod(static_cast<QInputMethodEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        forwardMouse(static_cast<QMouseEvent*>(event));
        return false;
    case QEvent::MouseButtonDblClick:
        emit DblClick();
        return false;
    case QEvent::FocusIn:
        // After the focusing click has placed the caret, so the selection stays.
        QTimer::singleShot(0, txtMain_, [box = txtMain_] { box->setSelection(0, int(box->text().length())); });
        return false;
    default:
        return false;
    }
}

bool mTextBox::forwardKeyPress(QKeyEvent* e)
{
    const int16_t originalCode = rt::virtualKeyOf(*e);
    int16_t keyCode = originalCode;
    int16_t shift = rt::shiftStateOf(e->modifiers());
    emit KeyDown(keyCode, shift);

    const int16_t originalChar = typedCharacter(e);
    if (originalChar != 0) {
        // A character key goes on as the character the KeyPress handler leaves.
        int16_t keyAscii = originalChar;
        emit KeyPress(keyAscii);
        if (keyAscii == originalChar)
            return false;
        if (keyAscii != 0) {
            QKeyEvent replaced = characterEvent(keyAscii, e->modifiers());
            resend(replaced);
        }
        return true;
    }
    // Any other key goes on as the key code the KeyDown handler leaves.
    if (keyCode == originalCode)
        return false;
    if (keyCode != 0) {
        QKeyEvent replaced(QEvent::KeyPress, rt::qtKeyFromVirtualKey(keyCode), e->modifiers());
        resend(replaced);
    }
    return true;
}

void mTextBox::resend(QEvent& replaced)
{
    resending_ = true;
    QCoreApplication::sendEvent(txtMain_, &replaced);
    resending_ = false;
}

bool mTextBox::forwardInputMethod(QInputMethodEvent* e)
{
    // Text an input method commits comes without key presses: each of its
    // characters goes through KeyPress as a typed one would.
    const QString committed = e->commitString();
    std::vector<int16_t> answers;
    bool altered = false;
    for (QChar c : committed) {
        const int16_t typed = int16_t(c.unicode());
        int16_t keyAscii = typed;
        emit KeyPress(keyAscii);
        answers.push_back(keyAscii);
        altered = altered || keyAscii != typed;
    }
    if (!altered)
        return false;

    // The characters the host kept go in as committed text, a refused one not
    // at all, a changed one as the key that types it; the replacement and the
    // composition in progress stay as the input method sent them.
    QString kept;
    int replaceFrom = e->replacementStart(), replaceLength = e->replacementLength();
    for (qsizetype i = 0; i < committed.size(); ++i) {
        const int16_t answer = answers[size_t(i)];
        if (answer == int16_t(committed[i].unicode())) {
            kept += committed[i];
        } else if (answer != 0) {
            QInputMethodEvent commit;
            commit.setCommitString(kept, replaceFrom, replaceLength);
            resend(commit);
            kept.clear();
            replaceFrom = replaceLength = 0;
            QKeyEvent typed = characterEvent(answer, Qt::NoModifier);
            resend(typed);
        }
    }
    QInputMethodEvent rest(e->preeditString(), e->attributes());
    rest.setCommitString(kept, replaceFrom, replaceLength);
    resend(rest);
    return true;
}

bool mTextBox::forwardKeyRelease(QKeyEvent* e)
{
    const int16_t originalCode = rt::virtualKeyOf(*e);
    int16_t keyCode = originalCode;
    int16_t shift = rt::shiftStateOf(e->modifiers());
    emit KeyUp(keyCode, shift);
    return keyCode == 0 && originalCode != 0;
}

void mTextBox::forwardMouse(QMouseEvent* e)
{
    int16_t shift = rt::shiftStateOf(e->modifiers());
    float x = float(e->position().x()), y = float(e->position().y());
    if (e->type() == QEvent::MouseMove) {
        int16_t buttons = rt::mouseButtonsOf(e->buttons());
        emit MouseMove(buttons, shift, x, y);
        mouseMovedOver();
        return;
    }
    int16_t button = rt::mouseButtonsOf(e->button());
    if (e->type() == QEvent::MouseButtonPress) {
        pressedInside_ = pressedInside_ || e->button() == Qt::LeftButton;
        emit MouseDown(button, shift, x, y);
        return;
    }
    emit MouseUp(button, shift, x, y);
    if (e->button() != Qt::LeftButton)
        return; // another button's release leaves a left press in progress
    const bool click = pressedInside_ && txtMain_->rect().contains(e->position().toPoint());
    pressedInside_ = false;
    if (click)
        emit Click();
}

} // namespace textbox
