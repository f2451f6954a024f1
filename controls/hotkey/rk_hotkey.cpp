#include "controls/hotkey/rk_hotkey.h"

#include <QResizeEvent>
#include <limits>
#include <optional>

#include "controls/hotkey/module5.h"
#include "runtime/virtual_keys.h"
#include "platform/hotkeys.h"
#include "platform/key_names.h"
#include "platform/platform.h"
#include "platform/settings_store.h"
#include "platform/system_colors.h"
#include "runtime/controls.h"
#include "runtime/message_box.h"
#include "runtime/runtime_error.h"

namespace {

const QString NothingRecorded = QStringLiteral("无");
const QString Section = QStringLiteral("RKHotKey");

// A stored number: a decimal integer with an optional sign, blanks around it allowed.
std::optional<int32_t> decimal(const QString& text)
{
    bool ok = false;
    const int32_t value = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int32_t>(value) : std::nullopt;
}

// The modifier part of a recording's text: "Win + Ctrl + Alt + Shift + " in that order.
QString modifierText(int32_t modKeyCode)
{
    QString text;
    if (modKeyCode & platform::ModWin)
        text += QStringLiteral("Win + ");
    if (modKeyCode & platform::ModCtrl)
        text += QStringLiteral("Ctrl + ");
    if (modKeyCode & platform::ModAlt)
        text += QStringLiteral("Alt + ");
    if (modKeyCode & platform::ModShift)
        text += QStringLiteral("Shift + ");
    return text;
}

bool isModifierKey(int32_t keyCode)
{
    return keyCode == rt::VkShift || keyCode == rt::VkControl || keyCode == rt::VkMenu || keyCode == rt::VkLeftWin;
}

// Whether the recorder can end up holding this combination from a keyboard.
bool isRecordable(int32_t keyCode, int32_t modKeyCode)
{
    constexpr int32_t allModifiers = platform::ModAlt | platform::ModCtrl | platform::ModShift | platform::ModWin;
    return rt::isKeyboardKey(keyCode) && !isModifierKey(keyCode) && keyCode != rt::VkApps
        && (modKeyCode & ~allModifiers) == 0;
}

int16_t toInt16(int32_t value)
{
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        throw rt::RuntimeError(rt::ErrOverflow, QStringLiteral("Overflow"));
    return static_cast<int16_t>(value);
}

} // namespace

RKHotKey::RKHotKey(rt::Services& services, QWidget* parent)
    : rt::UserControl(services, parent), txtHotKey_(new HotKeyEdit(this))
{
    txtHotKey_->setObjectName(QStringLiteral("txtHotKey"));
    txtHotKey_->move(0, 0);
    txtHotKey_->setText(NothingRecorded);
    setFocusPolicy(Qt::StrongFocus); // a place in the tab order, handed to the box
    setFocusProxy(txtHotKey_);
    connect(txtHotKey_, &HotKeyEdit::KeyDown, this, &RKHotKey::txtHotKey_KeyDown);
    connect(txtHotKey_, &HotKeyEdit::KeyUp, this, &RKHotKey::txtHotKey_KeyUp);
    connect(txtHotKey_, &HotKeyEdit::Click, this, &RKHotKey::Click);
    connect(txtHotKey_, &HotKeyEdit::DblClick, this, &RKHotKey::DblClick);
    connect(txtHotKey_, &HotKeyEdit::MouseDown, this, &RKHotKey::MouseDown);
    connect(txtHotKey_, &HotKeyEdit::MouseMove, this, &RKHotKey::MouseMove);
    connect(txtHotKey_, &HotKeyEdit::MouseUp, this, &RKHotKey::MouseUp);
    applyColors();
}

RKHotKey::~RKHotKey()
{
    tearDown();
}

void RKHotKey::RaiseEvents()
{
    emit HotKeyPressed();
}

// ---- pass-through properties of the box

void RKHotKey::setBackColor(uint32_t New_BackColor)
{
    backColor_ = New_BackColor;
    applyColors();
    propertyChanged(QStringLiteral("BackColor"));
}

void RKHotKey::setForeColor(uint32_t New_ForeColor)
{
    foreColor_ = New_ForeColor;
    applyColors();
    propertyChanged(QStringLiteral("ForeColor"));
}

void RKHotKey::applyColors()
{
    const auto resolve = [this](uint32_t colour) -> QColor {
        if (!(colour & 0x80000000u))
            return rt::colorFromBgr(colour);
        const auto& table = services().platform.systemColors;
        const auto system = table ? table->color(int(colour & 0xFFu)) : std::nullopt;
        return system ? rt::colorFromBgr(*system) : QColor();
    };
    QPalette p = txtHotKey_->palette();
    if (const QColor back = resolve(backColor_); back.isValid())
        p.setColor(QPalette::Base, back);
    if (const QColor fore = resolve(foreColor_); fore.isValid())
        p.setColor(QPalette::Text, fore);
    txtHotKey_->setPalette(p);
}

bool RKHotKey::Enabled() const { return txtHotKey_->isEnabled(); }

void RKHotKey::setEnabled(bool New_Enabled)
{
    txtHotKey_->setEnabled(New_Enabled);
    propertyChanged(QStringLiteral("Enabled"));
}

QFont RKHotKey::Font() const { return txtHotKey_->font(); }

void RKHotKey::setFont(const QFont& New_Font)
{
    txtHotKey_->setFont(New_Font);
    propertyChanged(QStringLiteral("Font"));
}

int32_t RKHotKey::BorderStyle() const { return txtHotKey_->borderStyle(); }

void RKHotKey::setBorderStyle(int32_t New_BorderStyle)
{
    txtHotKey_->setBorderStyle(toInt16(New_BorderStyle));
    propertyChanged(QStringLiteral("BorderStyle"));
}

int32_t RKHotKey::Appearance() const { return txtHotKey_->appearance(); }

void RKHotKey::setAppearance(int32_t New_Appearance)
{
    txtHotKey_->setAppearance(toInt16(New_Appearance));
    propertyChanged(QStringLiteral("Appearance"));
}

QString RKHotKey::Text() const { return txtHotKey_->text(); }

QString RKHotKey::ToolTipText() const { return txtHotKey_->toolTip(); }

void RKHotKey::setToolTipText(const QString& New_ToolTipText)
{
    txtHotKey_->setToolTip(New_ToolTipText);
    propertyChanged(QStringLiteral("ToolTipText"));
}

void RKHotKey::resizeEvent(QResizeEvent* event)
{
    rt::UserControl::resizeEvent(event);
    txtHotKey_->resize(event->size());
}

// ---- recording

void RKHotKey::setDisplay(const QString& text)
{
    txtHotKey_->setText(text);
    txtHotKey_->setCursorPosition(int(txtHotKey_->text().size()));
}

void RKHotKey::txtHotKey_KeyDown(int16_t& KeyCode, int16_t& Shift)
{
    if (KeyCode == rt::VkApps) {
        KeyCode = 0;
        return;
    }
    emit KeyDown(KeyCode, Shift);
    if (KeyCode == rt::VkLeftWin)
        winKeyHeld_ = true;

    // Rebuilt from scratch on every key-down.
    modKeyCode_ = winKeyHeld_ ? platform::ModWin : 0;
    if (Shift & rt::CtrlMask)
        modKeyCode_ |= platform::ModCtrl;
    if (Shift & rt::AltMask)
        modKeyCode_ |= platform::ModAlt;
    if (Shift & rt::ShiftMask)
        modKeyCode_ |= platform::ModShift;
    keyCode_ = isModifierKey(KeyCode) ? 0 : KeyCode;
    // A new recording always leaves the hotkey switched off.
    if (hotKeyEnabled_)
        setHotKeyEnabled(false);
    setDisplay(combinationText(keyCode_, modKeyCode_));
}

// The text the recorder shows for a combination; a modifier alone shows only the modifier part.
QString RKHotKey::combinationText(int32_t keyCode, int32_t modKeyCode) const
{
    const auto& names = services().platform.keyNames;
    const QString keyName = keyCode != 0 && names ? names->keyName(keyCode) : QString();
    return modifierText(modKeyCode) + keyName;
}

void RKHotKey::txtHotKey_KeyUp(int16_t& KeyCode, int16_t& Shift)
{
    if (KeyCode == rt::VkLeftWin)
        winKeyHeld_ = false;
    if (keyCode_ == 0) {
        txtHotKey_->setText(NothingRecorded);
        modKeyCode_ = 0;
    }
    txtHotKey_->setCursorPosition(int(txtHotKey_->text().size()));
    emit KeyUp(KeyCode, Shift);
}

// ---- registration

void RKHotKey::setHotKeyEnabled(bool New_HotKeyEnabled)
{
    if (New_HotKeyEnabled == hotKeyEnabled_)
        return;
    if (!New_HotKeyEnabled) {
        UnregisterKey();
        hotKeyEnabled_ = false;
        return;
    }
    if (!messageWindow_)
        return; // in a designer nothing is registered
    auto& messages = services().messageBox;
    if (keyCode_ == 0) {
        messages.msgBox(QStringLiteral("未设置热键"), rt::MbCritical, QStringLiteral("错误"));
        return;
    }
    const platform::Registration result = RegisterKey();
    if (result == platform::Registration::Registered) {
        hotKeyEnabled_ = true;
        return;
    }
    messages.msgBox(result == platform::Registration::Taken ? QStringLiteral("热键冲突，请换一个热键。")
                                                            : QStringLiteral("该热键无法在本系统上使用，请换一个热键。"),
                    rt::MbCritical, QStringLiteral("错误"));
    txtHotKey_->setText(NothingRecorded);
    keyCode_ = 0;
    modKeyCode_ = 0;
}

platform::Registration RKHotKey::RegisterKey()
{
    auto& hotkeys = services().platform.hotkeys;
    if (!hotkeys || !messageWindow_)
        return platform::Registration::Unavailable;
    Module4::MessageWindow* window = messageWindow_.get();
    return hotkeys->registerHotkey(window, keyCode_, modKeyCode_, [window] { Module4::HotKeyWindowProc(*window); });
}

void RKHotKey::UnregisterKey()
{
    auto& hotkeys = services().platform.hotkeys;
    if (hotkeys && messageWindow_)
        hotkeys->unregisterHotkey(messageWindow_.get());
}

void RKHotKey::setUp()
{
    if (messageWindow_)
        return;
    messageWindow_ = std::make_unique<Module4::MessageWindow>();
    Module4::AttachMessageWindow(*messageWindow_, *this);
    Module4::AttachEditHook(*txtHotKey_);
}

void RKHotKey::tearDown()
{
    if (!messageWindow_)
        return;
    // The registration ends with the control, switched on or not.
    UnregisterKey();
    hotKeyEnabled_ = false;
    Module4::DetachMessageWindow(*messageWindow_);
    Module4::DetachEditHook(*txtHotKey_);
    messageWindow_.reset();
}

// ---- persistence

void RKHotKey::initProperties()
{
    txtHotKey_->setText(NothingRecorded);
    iniFileName_ = QStringLiteral("set.ini");
    settingLocation_ = 0;
    regKeyName_ = QStringLiteral("RKHotKey");
}

void RKHotKey::readProperties(const rt::PropertyBag& bag)
{
    backColor_ = bag.readColor(QStringLiteral("BackColor"), DefaultBackColor);
    foreColor_ = bag.readColor(QStringLiteral("ForeColor"), DefaultForeColor);
    applyColors();
    txtHotKey_->setEnabled(bag.readBool(QStringLiteral("Enabled"), true));
    txtHotKey_->setFont(bag.readFont(QStringLiteral("Font"), ambient().font));
    txtHotKey_->setBorderStyle(toInt16(bag.readInt(QStringLiteral("BorderStyle"), 1)));
    txtHotKey_->setAppearance(toInt16(bag.readInt(QStringLiteral("Appearance"), 1)));
    txtHotKey_->setToolTip(bag.readString(QStringLiteral("ToolTipText"), QString()));
    iniFileName_ = bag.readString(QStringLiteral("INIFileName"), QStringLiteral("set.ini"));
    settingLocation_ = bag.readInt(QStringLiteral("SettingLocation"), 0);
    regKeyName_ = bag.readString(QStringLiteral("RegKeyName"), QStringLiteral("RKHotKey"));
    if (userMode()) {
        setUp();
        loadSettings();
    } else {
        txtHotKey_->setText(bag.readString(QStringLiteral("Text"), NothingRecorded));
    }
}

void RKHotKey::writeProperties(rt::PropertyBag& bag) const
{
    bag.writeColor(QStringLiteral("BackColor"), backColor_, DefaultBackColor);
    bag.writeColor(QStringLiteral("ForeColor"), foreColor_, DefaultForeColor);
    bag.writeBool(QStringLiteral("Enabled"), txtHotKey_->isEnabled(), true);
    bag.writeFont(QStringLiteral("Font"), txtHotKey_->font(), ambient().font);
    bag.writeInt(QStringLiteral("BorderStyle"), txtHotKey_->borderStyle(), 1);
    bag.writeInt(QStringLiteral("Appearance"), txtHotKey_->appearance(), 1);
    bag.writeString(QStringLiteral("ToolTipText"), txtHotKey_->toolTip(), QString());
    bag.writeString(QStringLiteral("INIFileName"), iniFileName_, QStringLiteral("set.ini"));
    bag.writeInt(QStringLiteral("SettingLocation"), settingLocation_, 0);
    bag.writeString(QStringLiteral("RegKeyName"), regKeyName_, QStringLiteral("RKHotKey"));
}

QString RKHotKey::readSetting(const QString& key, const QString& defaultValue)
{
    auto& p = services().platform;
    if (settingLocation_ != 0)
        return p.settings ? p.settings->get(regKeyName_, Section, key, defaultValue) : defaultValue;
    return p.ini ? Module5::ReadIniValue(*p.ini, Section, key, defaultValue) : defaultValue;
}

std::vector<platform::IniValue> RKHotKey::settingValues() const
{
    const QString name = extenderName();
    return {
        {name + QStringLiteral("Text"), Text()},
        {name + QStringLiteral("KeyCode"), QString::number(keyCode_)},
        {name + QStringLiteral("ModKeyCode"), QString::number(modKeyCode_)},
    };
}

void RKHotKey::loadSettings()
{
    if (settingLocation_ == 0)
        Module5::SetIniPath(iniFileName_);
    const QString name = extenderName();
    const auto keyCode = decimal(readSetting(name + QStringLiteral("KeyCode"), QStringLiteral("0")));
    const auto modKeyCode = decimal(readSetting(name + QStringLiteral("ModKeyCode"), QStringLiteral("0")));
    // The box shows what the recorder would show for the stored numbers, since
    // they are what gets registered; the stored text is not needed. Numbers no
    // keyboard gives the recorder mean nothing recorded.
    if (keyCode && modKeyCode && isRecordable(*keyCode, *modKeyCode)) {
        keyCode_ = *keyCode;
        modKeyCode_ = *modKeyCode;
        txtHotKey_->setText(combinationText(keyCode_, modKeyCode_));
    } else {
        txtHotKey_->setText(NothingRecorded);
        keyCode_ = 0;
        modKeyCode_ = 0;
    }
}

bool RKHotKey::SaveSettings() { return SaveSettings({this}); }

bool RKHotKey::SaveSettings(std::initializer_list<RKHotKey*> controls)
{
    if (controls.size() == 0)
        return true;
    rt::Services& services = (*controls.begin())->services();
    auto& p = services.platform;
    // The INI values of all the controls go into the file together; the
    // per-user store takes its values one by one.
    std::vector<platform::IniValue> iniValues;
    platform::SaveResult result;
    for (RKHotKey* control : controls) {
        for (platform::IniValue& v : control->settingValues()) {
            if (control->settingLocation_ == 0)
                iniValues.push_back(std::move(v));
            else if (result && p.settings)
                result = p.settings->save(control->regKeyName_, Section, v.key, v.value);
        }
    }
    if (result && p.ini && !iniValues.empty())
        result = Module5::WriteIniValues(*p.ini, Section, iniValues);
    if (!result)
        services.messageBox.msgBox(QStringLiteral("热键设置未能保存。\n%1").arg(result.reason), rt::MbCritical,
                                   QStringLiteral("错误"));
    return result.saved;
}

void RKHotKey::setINIFileName(const QString& New_INIFileName)
{
    requireDesignMode();
    iniFileName_ = New_INIFileName;
    Module5::SetIniPath(New_INIFileName);
    propertyChanged(QStringLiteral("INIFileName"));
}

void RKHotKey::setSettingLocation(int32_t New_SettingLocation)
{
    requireDesignMode();
    settingLocation_ = New_SettingLocation;
    propertyChanged(QStringLiteral("SettingLocation"));
}

void RKHotKey::setRegKeyName(const QString& New_RegKeyName)
{
    requireDesignMode();
    regKeyName_ = New_RegKeyName;
    propertyChanged(QStringLiteral("RegKeyName"));
}
