#pragma once
#include <QFont>
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <memory>

#include "controls/hotkey/hotkey_edit.h"
#include "controls/hotkey/module4.h"
#include "platform/hotkeys.h"
#include "platform/ini_profile.h"
#include "platform/save_result.h"
#include "runtime/user_control.h"

// The hotkey recorder. While its box has the focus the user presses a
// combination (any of Win, Ctrl, Alt, Shift plus one ordinary key); the box
// shows it ("Ctrl + F1") and the control keeps it as a virtual-key code and a
// modifier mask (Alt 1, Ctrl 2, Shift 4, Win 8). HotKeyEnabled makes it a
// system-wide hotkey that raises HotKeyPressed; SaveSettings stores it in the
// INI file (or the per-user store) and the control loads it again when its
// window is loaded. Events pass their arguments by reference: connect with a
// direct connection, and what a handler changes is what the control goes on with.
class RKHotKey : public rt::UserControl {
    Q_OBJECT
public:
    static constexpr uint32_t DefaultBackColor = 0x80000005; // system colour: window background
    static constexpr uint32_t DefaultForeColor = 0x80000008; // system colour: window text

    RKHotKey(rt::Services& services, QWidget* parent = nullptr);
    ~RKHotKey() override;

    // Raises HotKeyPressed; the message routing calls it for a delivered press.
    void RaiseEvents();

    uint32_t BackColor() const { return backColor_; }
    void setBackColor(uint32_t New_BackColor);
    uint32_t ForeColor() const { return foreColor_; }
    void setForeColor(uint32_t New_ForeColor);
    bool Enabled() const;
    void setEnabled(bool New_Enabled);
    QFont Font() const;
    void setFont(const QFont& New_Font);
    int32_t BorderStyle() const;
    void setBorderStyle(int32_t New_BorderStyle);
    int32_t Appearance() const;
    void setAppearance(int32_t New_Appearance);
    QString Text() const;
    QString ToolTipText() const;
    void setToolTipText(const QString& New_ToolTipText);
    int32_t KeyCode() const { return keyCode_; }
    bool HotKeyEnabled() const { return hotKeyEnabled_; }
    void setHotKeyEnabled(bool New_HotKeyEnabled);
    int32_t ModKeyCode() const { return modKeyCode_; }
    // Stores the recording; when a value cannot be stored, tells the user why
    // and stops. True when all was stored.
    bool SaveSettings();
    // Stores the recordings of several controls as one save: the INI file is
    // replaced once for all of them, so it holds all of them or none.
    static bool SaveSettings(std::initializer_list<RKHotKey*> controls);
    // Settable only while the host is being designed (error 382 otherwise).
    QString INIFileName() const { return iniFileName_; }
    void setINIFileName(const QString& New_INIFileName);
    int32_t SettingLocation() const { return settingLocation_; }
    void setSettingLocation(int32_t New_SettingLocation);
    QString RegKeyName() const { return regKeyName_; }
    void setRegKeyName(const QString& New_RegKeyName);

    void initProperties() override;
    void readProperties(const rt::PropertyBag& bag) override;
    void writeProperties(rt::PropertyBag& bag) const override;

    HotKeyEdit& txtHotKey() const { return *txtHotKey_; }
    bool WinKeyHeld() const { return winKeyHeld_; }

signals:
    void HotKeyPressed();
    void Click();
    void DblClick();
    void KeyDown(int16_t& KeyCode, int16_t& Shift);
    void KeyUp(int16_t& KeyCode, int16_t& Shift);
    void MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y);
    void MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y);
    void MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void txtHotKey_KeyDown(int16_t& KeyCode, int16_t& Shift);
    void txtHotKey_KeyUp(int16_t& KeyCode, int16_t& Shift);
    platform::Registration RegisterKey();
    void UnregisterKey();
    void setUp();
    void tearDown();
    void loadSettings();
    QString readSetting(const QString& key, const QString& defaultValue);
    std::vector<platform::IniValue> settingValues() const; // the keys SaveSettings stores, in order
    QString combinationText(int32_t keyCode, int32_t modKeyCode) const;
    void setDisplay(const QString& text);
    void applyColors();

    HotKeyEdit* txtHotKey_;
    int32_t keyCode_ = 0;
    int32_t modKeyCode_ = 0;
    bool winKeyHeld_ = false;
    bool hotKeyEnabled_ = false;
    uint32_t backColor_ = DefaultBackColor;
    uint32_t foreColor_ = DefaultForeColor;
    QString iniFileName_ = QStringLiteral("set.ini");
    int32_t settingLocation_ = 0;
    QString regKeyName_ = QStringLiteral("RKHotKey");
    std::unique_ptr<Module4::MessageWindow> messageWindow_; // only at run time
};
