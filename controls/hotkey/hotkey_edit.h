#pragma once
#include <QLineEdit>
#include <cstdint>

// The inner text box of the hotkey control (txtHotKey). Its key and mouse
// events go to the control as virtual-key codes and shift states, passed by
// reference so that a handler's change is what happens next. Typing, pasting
// and dropping never change its text; only the control sets it.
class HotKeyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit HotKeyEdit(QWidget* parent = nullptr);

    // Border style (0 none, 1 fixed single) and appearance (0 flat, 1 3-D).
    int16_t borderStyle() const { return borderStyle_; }
    void setBorderStyle(int16_t style);
    int16_t appearance() const { return appearance_; }
    void setAppearance(int16_t appearance);

signals:
    void KeyDown(int16_t& KeyCode, int16_t& Shift);
    void KeyUp(int16_t& KeyCode, int16_t& Shift);
    void Click();
    void DblClick();
    void MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y);
    void MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y);
    void MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool flatBorder() const;
    void applyFrame();

    int16_t borderStyle_ = 1;
    int16_t appearance_ = 1;
};
