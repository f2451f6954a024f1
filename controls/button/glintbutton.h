#pragma once
// The styled, owner-drawn button: its public surface (properties with their
// defaults and property-bag keys, enumerations, events, methods) and the
// sequences that create, place, load, save, resize and destroy it. It draws
// on its own pixel surface through the primitives of primitives.h.
#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QShortcut>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "controls/button/balloon_tooltip.h"
#include "controls/button/button_hooks.h"
#include "controls/button/button_look.h"
#include "controls/button/color_math.h"
#include "controls/button/color_schemes.h"
#include "controls/button/picture_compositor.h"
#include "controls/button/primitives.h"
#include "runtime/pixel_surface.h"
#include "runtime/user_control.h"

namespace glint {

enum ButtonStyleValue : int32_t { StyleThemed = 13 };
enum CaptionAlignValue : int32_t { CapAlignLeft = 0, CapAlignCenter = 1, CapAlignRight = 2 };
enum PictureAlignValue : int32_t {
    PicLeftEdge = 0, PicLeftOfCaption = 1, PicRightEdge = 2, PicRightOfCaption = 3, PicBackground = 4,
    PicTopEdge = 5, PicTopOfCaption = 6, PicBottomEdge = 7, PicBottomOfCaption = 8,
};
enum CaptionEffectsValue : int32_t {
    CapEffectNone = 0, CapEffectRaised = 1, CapEffectSunken = 2, CapEffectShadow = 3, CapEffectGlow = 4,
    CapEffectOutline = 5,
};
enum DropDownSymbolValue : int32_t { SymbolNone = 0, SymbolLeft = 3, SymbolRight = 4, SymbolUp = 5, SymbolDown = 6 };
enum ModeValue : int32_t { ModePush = 0, ModeCheck = 1, ModeOption = 2 };
enum ToolTipIconValue : int32_t { TipIconNone = 0, TipIconInfo = 1, TipIconWarning = 2, TipIconError = 3 };
enum ToolTipTypeValue : int32_t { TipStandard = 0, TipBalloon = 1 };

// The mouse pointer that shows a custom icon.
constexpr int16_t PointerCustom = 99;
// The smallest height and width of the control, in twips.
constexpr int MinimumSizeTwips = 220;

class Glintbutton : public rt::UserControl {
    Q_OBJECT
public:
    Glintbutton(rt::Services& services, QWidget* parent = nullptr);
    ~Glintbutton() override;

    // --- methods
    // Attaches a popup menu; anything but a menu is ignored.
    void SetPopupMenu(QMenu* Menu, int32_t Align, int32_t Flags = 0, QAction* DefaultMenu = nullptr);
    void UnsetPopupMenu();
    void OpenWebsite(const QString& sAddress);
    void About();

    // --- properties (getter, then setter with the New_ argument)
    uint32_t BackColor() const { return backColor_; }
    void setBackColor(uint32_t New_BackColor);
    int32_t ButtonStyle() const { return buttonStyle_; }
    void setButtonStyle(int32_t New_ButtonStyle);
    QString Caption() const { return caption_; }
    void setCaption(const QString& New_Caption);
    int32_t CaptionAlign() const { return captionAlign_; }
    void setCaptionAlign(int32_t New_CaptionAlign);
    int32_t DropDownSymbol() const { return dropDownSymbol_; }
    void setDropDownSymbol(int32_t New_DropDownSymbol);
    bool DropDownSeparator() const { return dropDownSeparator_; }
    void setDropDownSeparator(bool New_DropDownSeparator);
    int32_t DisabledPictureMode() const { return disabledPictureMode_; }
    void setDisabledPictureMode(int32_t New_DisabledPictureMode);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool New_Enabled);
    QFont Font() const { return mFont_; }
    void setFont(const QFont& New_Font);
    uint32_t ForeColor() const { return foreColor_; }
    void setForeColor(uint32_t New_ForeColor);
    uint32_t ForeColorHover() const { return foreColorHover_; }
    void setForeColorHover(uint32_t New_ForeColorHover);
    bool HandPointer() const { return handPointer_; }
    void setHandPointer(bool New_HandPointer);
    // An identifier unique to the control's window.
    quintptr hWnd() const { return quintptr(this); }
    uint32_t MaskColor() const { return maskColor_; }
    void setMaskColor(uint32_t New_MaskColor);
    int32_t Mode() const { return mode_; }
    void setMode(int32_t New_Mode);
    const ButtonPicture& MouseIcon() const { return mouseIcon_; }
    void setMouseIcon(const ButtonPicture& New_MouseIcon);
    int16_t MousePointer() const { return mousePointer_; }
    void setMousePointer(int16_t New_MousePointer);
    const ButtonPicture& PictureNormal() const { return pictureNormal_; }
    void setPictureNormal(const ButtonPicture& New_PictureNormal);
    const ButtonPicture& PictureHot() const { return pictureHot_; }
    void setPictureHot(const ButtonPicture& New_PictureHot);
    const ButtonPicture& PictureDown() const { return pictureDown_; }
    void setPictureDown(const ButtonPicture& New_PictureDown);
    int32_t PictureAlign() const { return pictureAlign_; }
    void setPictureAlign(int32_t New_PictureAlign);
    bool PictureShadow() const { return pictureShadow_; }
    void setPictureShadow(bool New_PictureShadow);
    int32_t PictureEffectOnOver() const { return pictureEffectOnOver_; }
    void setPictureEffectOnOver(int32_t New_PictureEffectOnOver);
    int32_t PictureEffectOnDown() const { return pictureEffectOnDown_; }
    void setPictureEffectOnDown(int32_t New_PictureEffectOnDown);
    bool PicturePushOnHover() const { return picturePushOnHover_; }
    void setPicturePushOnHover(bool New_PicturePushOnHover);
    uint8_t PictureOpacity() const { return pictureOpacity_; }
    void setPictureOpacity(uint8_t New_PictureOpacity);
    uint8_t PictureOpacityOnOver() const { return pictureOpacityOnOver_; }
    void setPictureOpacityOnOver(uint8_t New_PictureOpacityOnOver);
    bool RightToLeft() const { return rightToLeft_; }
    void setRightToLeft(bool New_RightToLeft);
    int32_t CaptionEffects() const { return captionEffects_; }
    void setCaptionEffects(int32_t New_CaptionEffects);
    bool ShowFocusRect() const { return showFocusRect_; }
    void setShowFocusRect(bool New_ShowFocusRect);
    bool UseMaskColor() const { return useMaskColor_; }
    void setUseMaskColor(bool New_UseMaskColor);
    bool Value() const { return value_; }
    void setValue(bool New_Value);
    QString TooltipTitle() const { return tooltipTitle_; }
    void setTooltipTitle(const QString& New_TooltipTitle);
    QString ToolTip() const { return toolTip_; }
    void setToolTip(const QString& New_ToolTip);
    uint32_t TooltipBackColor() const { return tooltipBackColor_; }
    void setTooltipBackColor(uint32_t New_TooltipBackColor);
    int32_t ToolTipIcon() const { return toolTipIcon_; }
    void setToolTipIcon(int32_t New_ToolTipIcon);
    int32_t ToolTipType() const { return toolTipType_; }
    void setToolTipType(int32_t New_ToolTipType);
    int32_t ColorScheme() const { return colorScheme_; }
    void setColorScheme(int32_t New_ColorScheme);

    // --- the host's property-bag events
    void initProperties() override;
    void readProperties(const rt::PropertyBag& bag) override;
    void writeProperties(rt::PropertyBag& bag) const override;

    // --- state the input and drawing code share
    int32_t ButtonState() const { return buttonState_; }
    void setButtonState(int32_t state) { buttonState_ = state; }
    bool ShowAsDefault() const { return showAsDefault_; }
    void setShowAsDefault(bool on) { showAsDefault_ = on; }
    // The input flags the painters read; each setter only stores (the caller redraws).
    bool HasFocus() const { return hasFocus_; }
    void setHasFocus(bool on) { hasFocus_ = on; }
    bool ParentActive() const { return parentActive_; }
    void setParentActive(bool on) { parentActive_ = on; }
    bool MouseOver() const { return mouseOver_; }
    void setMouseOver(bool on) { mouseOver_ = on; }
    bool LeftDown() const { return leftDown_; }
    void setLeftDown(bool on) { leftDown_ = on; }
    bool SpaceDown() const { return spaceDown_; }
    void setSpaceDown(bool on) { spaceDown_ = on; }
    bool MenuOpen() const { return menuOpen_; }
    void setMenuOpen(bool on) { menuOpen_ = on; }
    bool MenuSuppress() const { return menuSuppress_; }
    void setMenuSuppress(bool on) { menuSuppress_ = on; }
    bool PopupAttached() const { return popupAttached_; }
    QMenu* popupMenu() const { return popupMenu_; }
    int32_t popupAlign() const { return popupAlign_; }
    int32_t popupFlags() const { return popupFlags_; }
    QAction* popupDefaultItem() const { return popupDefault_; }
    const PictureTables& tables() const { return tables_; }
    rt::PixelSurface& surface() { return surface_; }
    const rt::PixelSurface& surface() const { return surface_; }

    // --- the scheme steps, the resize logic and the redraw dispatcher
    void ChooseDefaultScheme();
    void ApplySchemeColors();
    void Resize();
    void Redraw();
    // What the painters read from the control now, and the rectangles of the last redraw.
    ButtonLook look() const;
    const ButtonRects& rects() const { return rects_; }

    // --- drawing on the surface; colours may name system colours
    uint32_t TranslateColor(uint32_t colour) const;
    void DrawLine(int x1, int y1, int x2, int y2, uint32_t colour);
    void FrameBox(int left, int top, int width, int height, uint32_t colour);
    void FillBox(uint32_t colour, const Rect& r);
    void SetCornerPixels(uint32_t colour);
    void DrawGradient(int left, int top, int width, int height, uint32_t colour1, uint32_t colour2, int direction);
    void ApplyButtonRegion();
    void DrawDropDownGlyph(const Rect& dropDownRect, int32_t code);
    void DrawCaptionText(const Rect& r, uint32_t colour, int dx, int dy);
    // The current picture of the state, with the blend of the state.
    const ButtonPicture& CurrentPicture() const;
    Blend CurrentBlend() const;
    void DrawPicture(const Rect& r, int32_t solid);
    void DrawPictureShadow(const Rect& pictureRect);
    bool DrawThemedFace(const QString& className, int part, int state);

    // --- input: mouse, keys, access keys, focus (button_input.cpp), popup menu (button_popup.cpp)
    // Shows the attached menu at the place popup Align gives, modally.
    void ShowPopupMenu();
    // The access key from Caption ("&" marks it, "&&" is a literal ampersand),
    // registered as Alt plus the key.
    void UpdateAccessKey();
    // The control's access key in lower case, or an empty string.
    QString AccessKeys() const { return accessKey_.isNull() ? QString() : QString(accessKey_); }
    // The host's access-key event: Alt plus the key underlined in Caption.
    void AccessKeyPress(int16_t KeyAscii);
    // Clears Value on the other option-mode buttons of the same container.
    void ClearOtherOptions();
    // Whether the point under the cursor lies on this control's visible window
    // (inside its rectangle and its window region).
    bool CursorOverControl() const;
    // The control holds the mouse for a space press or a double click. Kept as
    // a flag: a pointer grab of the display could outlive a lost key release.
    bool MouseCaptured() const { return mouseCaptured_; }

    // --- tooltip (button_tooltip.cpp): a fresh tooltip window with the current
    // properties, called each time the button turns hot.
    void ShowTooltip();
    // The current tooltip window, if any; it goes with the control.
    BalloonTooltip* tooltipWindow() const { return tooltip_; }

    // --- window hooks (button_hooks.cpp): the notifications of the control's
    // own window and of its top-level window, watched through event filters
    // from the end of loading at run time to destruction. Qt sends these
    // notices after the change they report, so Subclass_WndProc sees the
    // window in its new state; the filter never stops an event.
    // TrackLeave asks for one leave report; it runs on every mouse move over the control.
    void TrackLeave();
    int HookWindow(QObject* window);
    void AddHookMessage(QObject* window, uint32_t message);
    void RemoveHookMessage(QObject* window, uint32_t message);
    void UnhookWindow(QObject* window);
    void UnhookAll();
    void Subclass_WndProc(bool bBefore, bool& bHandled, intptr_t& lReturn, quintptr lHwnd, uint32_t uMsg,
                          intptr_t wParam, intptr_t lParam);
    // Capabilities, each answered once for the control and then remembered.
    bool HasThemeLibrary() const;
    bool IsThemed() const;

private:
    void SetUpHooks();
    bool LeaveTrackingAvailable() const;
    void HookEvent(QObject* watched, QEvent* event);
    HookEntry* FindHook(QObject* window);
    void WindowActivated(bool active);
    void TakeRestingPointer();
    void MouseLeft();

    HookFilter hookFilter_{[this](QObject* watched, QEvent* event) { HookEvent(watched, event); }};
    std::vector<HookEntry> hooks_;
    bool leaveRequested_ = false;
    mutable std::optional<bool> leaveTracking_, themeLibrary_, appThemed_;

signals:
    void Click();
    void DblClick();
    void MouseEnter();
    void MouseLeave();
    void MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y); // declared, never raised
    void MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y);
    void MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y);
    void KeyDown(int16_t& KeyCode, int16_t& Shift);
    void KeyUp(int16_t& KeyCode, int16_t& Shift);
    void KeyPress(int16_t& KeyAcsii);

protected:
    void ambientChanged(const QString& name) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // input (button_input.cpp)
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // Stores a value, redraws (when asked) and signals the property's name.
    template <class T>
    void assign(T& field, const T& value, const char* name, bool redraw = true);
    // PictureHot and PictureDown: fill PictureNormal instead while it is empty.
    void assignStatePicture(ButtonPicture& field, const ButtonPicture& value, const char* name);
    void fontChanged();
    // input (button_input.cpp)
    struct MousePress {
        int16_t button = 0;
        int16_t shift = 0;
        float x = 0;
        float y = 0;
    };
    // The host's arguments of a mouse event: the button that changed, the
    // shift state and the position in the control's pixels.
    static MousePress pressOf(const QMouseEvent& event);
    void mouseDown(MousePress press);
    void endMenuPress();
    void keyDown(int16_t keyCode, int16_t shift);
    void keyUp(int16_t keyCode, int16_t shift);
    // KeyPress for each character, until a handler closes the window.
    void emitKeyPresses(const QString& text);
    // What a click does to Value: a check button toggles, an option button
    // turns on and clears the other options.
    void clickValue();
    // Sets ButtonState and redraws when it changed.
    void changeState(int32_t state);
    void showHandPointer();
    void applyPointer();
    void refreshSize();
    uint32_t systemColor(int index) const;
    // The platform's system colour table, or the classic one when it has none.
    const platform::SystemColors& systemColors() const;

    PictureTables tables_;
    rt::PixelSurface surface_;
    int widthPx_ = 0;  // the pixel size drawing uses, refreshed at each redraw
    int heightPx_ = 0;

    uint32_t backColor_ = 0;
    int32_t buttonStyle_ = 0;
    QString caption_;
    int32_t captionAlign_ = 0;
    int32_t dropDownSymbol_ = 0;
    bool dropDownSeparator_ = false;
    int32_t disabledPictureMode_ = 0;
    bool enabled_ = false;
    QFont mFont_;
    uint32_t foreColor_ = 0;
    uint32_t foreColorHover_ = 0;
    bool handPointer_ = false;
    bool handCursorLoaded_ = false;
    uint32_t maskColor_ = 0;
    int32_t mode_ = 0;
    ButtonPicture mouseIcon_;
    int16_t mousePointer_ = 0;
    ButtonPicture pictureNormal_, pictureHot_, pictureDown_;
    int32_t pictureAlign_ = 0;
    bool pictureShadow_ = false;
    int32_t pictureEffectOnOver_ = 0;
    int32_t pictureEffectOnDown_ = 0;
    bool picturePushOnHover_ = false;
    uint8_t pictureOpacity_ = 0;
    uint8_t pictureOpacityOnOver_ = 0;
    bool rightToLeft_ = false;
    int32_t captionEffects_ = 0;
    bool showFocusRect_ = false;
    bool useMaskColor_ = false;
    bool value_ = false;
    QString tooltipTitle_;
    QString toolTip_;
    uint32_t tooltipBackColor_ = 0;
    int32_t toolTipIcon_ = 0;
    int32_t toolTipType_ = 0;
    int32_t colorScheme_ = 0;

    int32_t buttonState_ = StateNormal;
    bool showAsDefault_ = false;
    bool hasFocus_ = false;
    bool parentActive_ = false;
    bool mouseOver_ = false;
    bool leftDown_ = false;
    bool spaceDown_ = false;
    bool menuOpen_ = false;
    ButtonRects rects_;
    bool popupAttached_ = false;
    bool menuSuppress_ = false;
    QPointer<QMenu> popupMenu_;
    QPointer<QAction> popupDefault_;
    int32_t popupAlign_ = 0;
    int32_t popupFlags_ = 0;
    bool inMenu_ = false; // inside the menu's modal loop
    MousePress lastPress_;
    bool pressPending_ = false; // a press reached the control and its release has not
    bool mouseCaptured_ = false;
    QChar accessKey_;
    QShortcut* accessShortcut_ = nullptr;
    QPointer<BalloonTooltip> tooltip_;
};

} // namespace glint
