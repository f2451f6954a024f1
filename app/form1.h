#pragma once
#include <QPointer>
#include <optional>

#include "app/form1_controls.h"
#include "platform/input.h"
#include "runtime/controls.h"
#include "runtime/form.h"

class Form2;
class Form3;

// The main window and the click engine. Its whole state is its controls'
// properties: Timer1 clicks, Timer2 shows the cursor position, Timer3 pins the
// cursor. The handlers are public so the hotkey window can run the same
// operations on this window's controls.
class Form1 : public rt::Form {
    Q_OBJECT
public:
    explicit Form1(rt::Services& services);
    ~Form1() override;

    void Glintbutton1_Click(); // start clicking
    void Glintbutton2_Click(); // stop clicking and pinning
    void Glintbutton3_Click(); // move the cursor once
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Check1_Click();
    void Check2_Click();
    void Image1_Click();
    void Image2_Click();
    void Image3_Click();
    void Image4_Click(); // pin the cursor
    void Image5_Click();
    void Label7_Click();

    Form1Box* mTextBox1 = nullptr; // X
    Form1Box* mTextBox2 = nullptr; // Y
    Form1Box* mTextBox3 = nullptr; // interval in milliseconds
    Form1Button* Glintbutton1 = nullptr;
    Form1Button* Glintbutton2 = nullptr;
    Form1Button* Glintbutton3 = nullptr;
    rt::Timer* Timer1 = nullptr;
    rt::Timer* Timer2 = nullptr;
    rt::Timer* Timer3 = nullptr;
    rt::CheckBox* Check1 = nullptr;
    rt::CheckBox* Check2 = nullptr;
    rt::Label* Label1 = nullptr;
    rt::Label* Label7 = nullptr;
    rt::Picture* Image1 = nullptr;
    rt::Picture* Image2 = nullptr;
    rt::Picture* Image3 = nullptr;
    rt::Picture* Image4 = nullptr;
    rt::Picture* Image5 = nullptr;

    Form2* aboutWindow() const;
    Form3* hotkeyWindow() const;

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void findControls();
    void connectHandlers();
    // The typed coordinates, when both boxes hold a whole 32-bit number.
    bool typedCoordinates(int32_t& x, int32_t& y) const;
    void msgBox(const QString& text, const QString& title);

    // The position Label1 shows, so a resting pointer costs no new caption.
    std::optional<platform::Point> shownCursorPos_;
    QPointer<Form2> form2_;
    QPointer<Form3> form3_;
};
