#pragma once
// The bordered text box: a borderless single-line box (txtMain) inside a frame
// the control paints itself, with a ring that lights up while the mouse is
// over the control. The events of txtMain are forwarded by reference, so a
// host that changes a key or character code changes what txtMain goes on with
// (connect them directly).
#include <QPointer>
#include <QString>
#include <cstdint>

#include "runtime/controls.h"
#include "runtime/pixel_surface.h"
#include "runtime/user_control.h"

namespace textbox {

class mTextBox : public rt::UserControl {
    Q_OBJECT
    // The control's value: what a host reads when it reads the control itself.
    Q_PROPERTY(QString Text READ Text WRITE setText NOTIFY Change USER true)
public:
    static constexpr int FixedHeight = 22;
    static constexpr uint32_t BackgroundColor = 0x00FFF4E4;
    static constexpr uint32_t HoverRingColor = 0x00FFE485;
    static constexpr uint32_t OutlineColor = 0x00D1A04E;
    static constexpr uint32_t InteriorColor = 0x00FFFFFF;
    static constexpr int HoverPollMs = 55;

    mTextBox(rt::Services& services, QWidget* parent = nullptr);
    ~mTextBox() override;

    // Text is the control's value: a host reading the control reads Text.
    QString Text() const;
    void setText(const QString& New_Text);
    QString PwdChr() const;
    // Keeps the first character; the empty string shows the text in clear.
    void setPwdChr(const QString& New_PwdChr);

    void readProperties(const rt::PropertyBag& bag) override;
    void writeProperties(rt::PropertyBag& bag) const override;

    bool Hovered() const { return hovered_; }
    rt::TextBox* txtMain() const { return txtMain_; }
    rt::Timer* timMouse() const { return timMouse_; }
    const rt::PixelSurface& surface() const { return surface_; }
    // How often the frame has been painted, so hover changes can be checked.
    int frameDraws() const { return frameDraws_; }

signals:
    void Click();
    void DblClick();
    void KeyDown(int16_t& KeyCode, int16_t& Shift);
    void KeyPress(int16_t& KeyAscii);
    void KeyUp(int16_t& KeyCode, int16_t& Shift);
    void MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y);
    void MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y);
    void MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y);
    void Change();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void DrawFrame();
    // Sets txtMain's password character without telling the host.
    void applyPwdChr(const QString& pwdChr);
    void mouseMovedOver();
    void timMouse_Timer();
    bool forwardKeyPress(QKeyEvent* event);
    bool forwardKeyRelease(QKeyEvent* event);
    // Raises KeyPress for each character an input method commits.
    bool forwardInputMethod(QInputMethodEvent* event);
    // Hands txtMain an event in place of the one it was sent.
    void resend(QEvent& replaced);
    void forwardMouse(QMouseEvent* event);

    rt::TextBox* txtMain_ = nullptr;
    rt::Timer* timMouse_ = nullptr;
    rt::PixelSurface surface_;
    QString pwdChr_;
    bool hovered_ = false;
    int frameDraws_ = 0;
    bool pressedInside_ = false;
    bool resending_ = false;
};

} // namespace textbox
