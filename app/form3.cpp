#include "app/form3.h"

#include "app/control_kinds.h"
#include "app/form1.h"
#include "controls/hotkey/rk_hotkey.h"

Form3::Form3(rt::Services& services, Form1& form1)
    : rt::Form(services, QStringLiteral(":/forms/form3.frm"), makeControlFactory()), form1_(form1)
{
}

void Form3::Form_Load()
{
    RKHotKey1 = control<RKHotKey>(QStringLiteral("RKHotKey1"));
    RKHotKey2 = control<RKHotKey>(QStringLiteral("RKHotKey2"));
    RKHotKey3 = control<RKHotKey>(QStringLiteral("RKHotKey3"));
    Check1 = control<rt::CheckBox>(QStringLiteral("Check1"));
    Check2 = control<rt::CheckBox>(QStringLiteral("Check2"));
    Check3 = control<rt::CheckBox>(QStringLiteral("Check3"));
    Glintbutton1 = control<glint::Glintbutton>(QStringLiteral("Glintbutton1"));

    connect(RKHotKey1, &RKHotKey::HotKeyPressed, this, &Form3::RKHotKey1_HotKeyPressed);
    connect(RKHotKey2, &RKHotKey::HotKeyPressed, this, &Form3::RKHotKey2_HotKeyPressed);
    connect(RKHotKey3, &RKHotKey::HotKeyPressed, this, &Form3::RKHotKey3_HotKeyPressed);
    // Click follows every change of a box, by mouse or by the space bar, so a
    // box never shows a hotkey as on while it is not.
    connect(Check1, &rt::CheckBox::Click, this, &Form3::Check1_Click);
    connect(Check2, &rt::CheckBox::Click, this, &Form3::Check2_Click);
    connect(Check3, &rt::CheckBox::Click, this, &Form3::Check3_Click);
    connect(Glintbutton1, &glint::Glintbutton::Click, this, &Form3::Glintbutton1_Click);
}

void Form3::RKHotKey1_HotKeyPressed() { form1_.Glintbutton1_Click(); }

void Form3::RKHotKey2_HotKeyPressed() { form1_.Glintbutton2_Click(); }

void Form3::RKHotKey3_HotKeyPressed() { form1_.Image4_Click(); }

void Form3::switchHotkey(rt::CheckBox& box, RKHotKey& hotkey)
{
    hotkey.setHotKeyEnabled(box.Value() != 0);
    // Writing the value back raises Click again only when it changes; that
    // second pass finds nothing to change.
    box.setValue(hotkey.HotKeyEnabled() ? 1 : 0);
}

void Form3::Check1_Click() { switchHotkey(*Check1, *RKHotKey1); }

void Form3::Check2_Click() { switchHotkey(*Check2, *RKHotKey2); }

void Form3::Check3_Click() { switchHotkey(*Check3, *RKHotKey3); }

void Form3::Glintbutton1_Click()
{
    // One save of the three rows, so the file holds all of them or none. When
    // it fails the user has been told why, and the window stays open with
    // every recording, so nothing typed is lost.
    if (RKHotKey::SaveSettings({RKHotKey1, RKHotKey2, RKHotKey3}))
        Hide();
}
