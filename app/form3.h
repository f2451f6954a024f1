#pragma once
#include "controls/button/glintbutton.h"
#include "runtime/controls.h"
#include "runtime/form.h"

class Form1;
class RKHotKey;

// The hotkey settings window: three recorders (start clicking, stop, pin the
// cursor), each with a box that switches its hotkey on, and a save button that
// stores the recordings and hides the window (or, when they cannot be stored,
// leaves it open). The hotkeys act while the window
// is loaded, shown or hidden; they run the main window's own operations.
class Form3 : public rt::Form {
    Q_OBJECT
public:
    Form3(rt::Services& services, Form1& form1);

    void RKHotKey1_HotKeyPressed(); // start clicking
    void RKHotKey2_HotKeyPressed(); // stop clicking and pinning
    void RKHotKey3_HotKeyPressed(); // pin the cursor
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Glintbutton1_Click(); // save and hide

    RKHotKey* RKHotKey1 = nullptr;
    RKHotKey* RKHotKey2 = nullptr;
    RKHotKey* RKHotKey3 = nullptr;
    rt::CheckBox* Check1 = nullptr;
    rt::CheckBox* Check2 = nullptr;
    rt::CheckBox* Check3 = nullptr;
    glint::Glintbutton* Glintbutton1 = nullptr;

protected:
    void Form_Load() override;

private:
    // Switches the hotkey as the box says, then makes the box show whether it really is on.
    static void switchHotkey(rt::CheckBox& box, RKHotKey& hotkey);

    Form1& form1_;
};
