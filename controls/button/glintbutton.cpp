#include "controls/button/glintbutton.h"

#include <QMenu>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

#include "controls/button/themed_face.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "platform/system_colors.h"
#include "runtime/form_design.h"
#include "runtime/message_box.h"

namespace glint {

namespace {

// The surface's own font as designed.
QFont designedSurfaceFont() { return rt::latinFont(QStringLiteral("Tahoma"), 8.25); }

Qt::CursorShape pointerShape(int16_t pointer)
{
    switch (pointer) {
    case 1: return Qt::ArrowCursor;
    case 2: return Qt::CrossCursor;
    case 3: return Qt::IBeamCursor;
    case 5: case 15: return Qt::SizeAllCursor;
    case 6: return Qt::SizeBDiagCursor;
    case 7: return Qt::SizeVerCursor;
    case 8: return Qt::SizeFDiagCursor;
    case 9: return Qt::SizeHorCursor;
    case 10: return Qt::UpArrowCursor;
    case 11: return Qt::WaitCursor;
    case 12: return Qt::ForbiddenCursor;
    case 13: return Qt::BusyCursor;
    case 14: return Qt::WhatsThisCursor;
    default: return Qt::ArrowCursor;
    }
}

const QString AboutText = QStringLiteral(
    "Glintbutton v 1.02\n"
    "An owner-drawn button with fourteen styles, three colour schemes,\n"
    "picture effects, a drop-down part and balloon tooltips.\n"
    "Part of Vorlin.");

} // namespace

Glintbutton::Glintbutton(rt::Services& services, QWidget* parent)
    : rt::UserControl(services, parent), tables_(buildPictureTables())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled); // committed text raises KeyPress
    surface_.setBackColor(systemColor(platform::ColorBtnFace));
    surface_.setFont(designedSurfaceFont());
}

Glintbutton::~Glintbutton()
{
    UnsetPopupMenu();
    UnhookAll();
}

uint32_t Glintbutton::systemColor(int index) const { return TranslateColor(0x80000000u | uint32_t(index)); }

const platform::SystemColors& Glintbutton::systemColors() const
{
    static const platform::ClassicSystemColors classic;
    const platform::SystemColors* table = services().platform.systemColors.get();
    return table ? *table : classic;
}

uint32_t Glintbutton::TranslateColor(uint32_t colour) const { return glint::TranslateColor(colour, systemColors()); }

template <class T>
void Glintbutton::assign(T& field, const T& value, const char* name, bool redraw)
{
    field = value;
    if (redraw)
        Redraw();
    propertyChanged(QString::fromLatin1(name));
}

// ---------------------------------------------------------------- methods

void Glintbutton::SetPopupMenu(QMenu* Menu, int32_t Align, int32_t Flags, QAction* DefaultMenu)
{
    if (!Menu)
        return;
    popupMenu_ = Menu;
    popupAlign_ = Align;
    popupFlags_ = Flags;
    popupDefault_ = DefaultMenu;
    popupAttached_ = true;
}

void Glintbutton::UnsetPopupMenu()
{
    popupMenu_ = nullptr;
    popupDefault_ = nullptr;
    popupAttached_ = false;
    menuSuppress_ = false;
}

void Glintbutton::OpenWebsite(const QString& sAddress)
{
    if (services().platform.shell)
        services().platform.shell->openUrl(sAddress);
}

void Glintbutton::About() { services().messageBox.msgBox(AboutText, rt::MbInformation, QStringLiteral("About")); }

// ---------------------------------------------------------------- properties

void Glintbutton::setBackColor(uint32_t New_BackColor)
{
    backColor_ = New_BackColor;
    if (buttonStyle_ != 4)
        colorScheme_ = SchemeCustom;
    Redraw();
    propertyChanged(QStringLiteral("BackColor"));
}

void Glintbutton::setButtonStyle(int32_t New_ButtonStyle)
{
    buttonStyle_ = New_ButtonStyle;
    ChooseDefaultScheme();
    ApplySchemeColors();
    ApplyButtonRegion();
    Redraw();
    propertyChanged(QStringLiteral("ButtonStyle"));
}

void Glintbutton::setCaption(const QString& New_Caption)
{
    caption_ = New_Caption;
    UpdateAccessKey();
    Redraw();
    propertyChanged(QStringLiteral("Caption"));
}
void Glintbutton::setCaptionAlign(int32_t v) { assign(captionAlign_, v, "CaptionAlign"); }
void Glintbutton::setDropDownSymbol(int32_t v) { assign(dropDownSymbol_, v, "DropDownSymbol"); }
void Glintbutton::setDropDownSeparator(bool v) { assign(dropDownSeparator_, v, "DropDownSeparator"); }
void Glintbutton::setDisabledPictureMode(int32_t v) { assign(disabledPictureMode_, v, "DisabledPictureMode"); }

void Glintbutton::setEnabled(bool New_Enabled)
{
    enabled_ = New_Enabled;
    QWidget::setEnabled(New_Enabled);
    if (!New_Enabled) {
        // A disabled control takes no mouse input: it lets the pointer go and owes no leave report.
        mouseOver_ = false;
        leaveRequested_ = false;
        buttonState_ = StateNormal;
    }
    Redraw();
    if (New_Enabled)
        TakeRestingPointer();
    propertyChanged(QStringLiteral("Enabled"));
}

void Glintbutton::setFont(const QFont& New_Font)
{
    mFont_ = New_Font;
    update();
    Redraw();
    propertyChanged(QStringLiteral("Font"));
    fontChanged();
}

void Glintbutton::fontChanged()
{
    surface_.setFont(mFont_);
    update();
    Redraw();
    propertyChanged(QStringLiteral("Font"));
}

void Glintbutton::setForeColor(uint32_t New_ForeColor)
{
    foreColor_ = New_ForeColor;
    surface_.setTextColor(TranslateColor(New_ForeColor));
    Redraw();
    propertyChanged(QStringLiteral("ForeColor"));
}

void Glintbutton::setForeColorHover(uint32_t v) { assign(foreColorHover_, v, "ForeColorHover"); }

void Glintbutton::setHandPointer(bool New_HandPointer)
{
    handPointer_ = New_HandPointer;
    if (handPointer_) {
        handCursorLoaded_ = true; // the toolkit always has a hand cursor
        mousePointer_ = 0;
    }
    applyPointer();
    Redraw();
    propertyChanged(QStringLiteral("HandPointer"));
}

void Glintbutton::setMaskColor(uint32_t v) { assign(maskColor_, v, "MaskColor"); }

void Glintbutton::setMode(int32_t New_Mode)
{
    mode_ = New_Mode;
    if (mode_ == ModePush)
        buttonState_ = StateNormal;
    Redraw();
    propertyChanged(QStringLiteral("Value"));
    propertyChanged(QStringLiteral("Mode"));
}

void Glintbutton::setMouseIcon(const ButtonPicture& New_MouseIcon)
{
    mouseIcon_ = New_MouseIcon;
    if (!mouseIcon_.isEmpty()) {
        handPointer_ = false;
        propertyChanged(QStringLiteral("HandPointer"));
        mousePointer_ = PointerCustom;
    } else {
        mousePointer_ = 0;
    }
    applyPointer();
    propertyChanged(QStringLiteral("MouseIcon"));
}

void Glintbutton::setMousePointer(int16_t New_MousePointer)
{
    mousePointer_ = New_MousePointer;
    applyPointer();
    propertyChanged(QStringLiteral("MousePointer"));
}

void Glintbutton::applyPointer()
{
    if (handPointer_ && handCursorLoaded_)
        setCursor(Qt::PointingHandCursor);
    else if (mousePointer_ == PointerCustom && !mouseIcon_.isEmpty())
        setCursor(QCursor(QPixmap::fromImage(mouseIcon_.pixels())));
    else if (mousePointer_ == 0)
        unsetCursor();
    else
        setCursor(pointerShape(mousePointer_));
}

void Glintbutton::setPictureNormal(const ButtonPicture& New_PictureNormal)
{
    pictureNormal_ = New_PictureNormal;
    if (pictureNormal_.isEmpty()) {
        Resize();
        pictureHot_ = {};
        pictureDown_ = {};
        propertyChanged(QStringLiteral("PictureHot"));
        propertyChanged(QStringLiteral("PictureDown"));
    } else {
        Redraw();
        propertyChanged(QStringLiteral("PictureNormal"));
    }
}

void Glintbutton::setPictureHot(const ButtonPicture& New_PictureHot)
{
    assignStatePicture(pictureHot_, New_PictureHot, "PictureHot");
}

void Glintbutton::setPictureDown(const ButtonPicture& New_PictureDown)
{
    assignStatePicture(pictureDown_, New_PictureDown, "PictureDown");
}

void Glintbutton::assignStatePicture(ButtonPicture& field, const ButtonPicture& value, const char* name)
{
    // Without a normal picture there is nothing to vary by state: the picture becomes the normal one.
    if (pictureNormal_.isEmpty()) {
        pictureNormal_ = value;
        propertyChanged(QStringLiteral("PictureNormal"));
        return;
    }
    assign(field, value, name);
}

void Glintbutton::setPictureAlign(int32_t v) { assign(pictureAlign_, v, "PictureAlign", !pictureNormal_.isEmpty()); }
void Glintbutton::setPictureShadow(bool v) { assign(pictureShadow_, v, "PictureShadow"); }
void Glintbutton::setPictureEffectOnOver(int32_t v) { assign(pictureEffectOnOver_, v, "PictureEffectOnOver"); }
void Glintbutton::setPictureEffectOnDown(int32_t v) { assign(pictureEffectOnDown_, v, "PictureEffectOnDown"); }
void Glintbutton::setPicturePushOnHover(bool v) { assign(picturePushOnHover_, v, "PicturePushOnHover"); }
void Glintbutton::setPictureOpacity(uint8_t v) { assign(pictureOpacity_, v, "PictureOpacity"); }
void Glintbutton::setPictureOpacityOnOver(uint8_t v) { assign(pictureOpacityOnOver_, v, "PictureOpacityOnOver"); }
void Glintbutton::setRightToLeft(bool v) { assign(rightToLeft_, v, "RightToLeft"); }
void Glintbutton::setCaptionEffects(int32_t v) { assign(captionEffects_, v, "CaptionEffects"); }
void Glintbutton::setShowFocusRect(bool v) { assign(showFocusRect_, v, "ShowFocusRect", false); }
void Glintbutton::setUseMaskColor(bool v) { assign(useMaskColor_, v, "UseMaskColor", !pictureNormal_.isEmpty()); }

void Glintbutton::setValue(bool New_Value)
{
    if (mode_ == ModePush) {
        buttonState_ = StateNormal;
        Redraw();
        return;
    }
    value_ = New_Value;
    if (!value_)
        buttonState_ = StateNormal;
    Redraw();
    propertyChanged(QStringLiteral("Value"));
}

void Glintbutton::setTooltipTitle(const QString& v) { assign(tooltipTitle_, v, "TooltipTitle"); }
void Glintbutton::setToolTip(const QString& v) { assign(toolTip_, v, "ToolTip"); }
void Glintbutton::setTooltipBackColor(uint32_t v) { assign(tooltipBackColor_, v, "TooltipBackColor"); }
void Glintbutton::setToolTipIcon(int32_t v) { assign(toolTipIcon_, v, "ToolTipIcon"); }
void Glintbutton::setToolTipType(int32_t v) { assign(toolTipType_, v, "ToolTipType"); }

void Glintbutton::setColorScheme(int32_t New_ColorScheme)
{
    colorScheme_ = New_ColorScheme;
    ApplySchemeColors();
    Redraw();
    propertyChanged(QStringLiteral("ColorScheme"));
}

// ---------------------------------------------------------------- schemes

void Glintbutton::ChooseDefaultScheme() { colorScheme_ = defaultSchemeFor(buttonStyle_, colorScheme_); }

void Glintbutton::ApplySchemeColors()
{
    SchemeProperties p{backColor_, foreColor_, showFocusRect_, picturePushOnHover_, colorScheme_};
    applySchemeColors(buttonStyle_, p, systemColors());
    backColor_ = p.backColor;
    foreColor_ = p.foreColor;
    showFocusRect_ = p.showFocusRect;
    picturePushOnHover_ = p.picturePushOnHover;
    surface_.setTextColor(TranslateColor(foreColor_));
}

// ---------------------------------------------------------------- lifecycle

void Glintbutton::initProperties()
{
    showFocusRect_ = true;
    enabled_ = true;
    QWidget::setEnabled(true);
    buttonStyle_ = StyleThemed;
    caption_ = ambient().displayName;
    mFont_ = designedSurfaceFont();
    fontChanged();
    pictureOpacity_ = 255;
    pictureOpacityOnOver_ = 255;
    pictureAlign_ = PicLeftOfCaption;
    captionAlign_ = CapAlignCenter;
    useMaskColor_ = true;
    maskColor_ = 0x00E0E0E0;
    refreshSize();
    ChooseDefaultScheme();
    ApplySchemeColors();
    Redraw();
    // A control placed new on a running window is as live as a loaded one.
    if (ambient().userMode)
        SetUpHooks();
}

void Glintbutton::readProperties(const rt::PropertyBag& bag)
{
    const auto str = [&](const char* key, const QString& def) { return bag.readString(QLatin1String(key), def); };
    const auto i32 = [&](const char* key, int32_t def) { return bag.readInt(QLatin1String(key), def); };
    const auto flag = [&](const char* key, bool def) { return bag.readBool(QLatin1String(key), def); };
    const auto colour = [&](const char* key, uint32_t def) { return bag.readColor(QLatin1String(key), def); };
    const auto picture = [&](const char* key) { return ButtonPicture::load(str(key, QString())); };
    const auto byte = [&](const char* key) { return uint8_t(std::clamp(i32(key, 255), 0, 255)); };

    buttonStyle_ = i32("ButtonStyle", 1);
    showFocusRect_ = flag("ShowFocusRect", false);
    mFont_ = bag.readFont(QStringLiteral("Font"), ambient().font);
    surface_.setFont(mFont_);
    backColor_ = colour("BackColor", systemColor(platform::ColorBtnFace));
    enabled_ = flag("Enabled", true);
    caption_ = str("Caption", QStringLiteral("Glintbutton"));
    value_ = flag("Value", false);
    mousePointer_ = int16_t(i32("MousePointer", 0));
    handPointer_ = flag("HandPointer", false);
    mouseIcon_ = picture("MouseIcon");
    pictureNormal_ = picture("PictureNormal");
    pictureHot_ = picture("PictureHot");
    pictureDown_ = picture("PictureDown");
    pictureShadow_ = flag("PictureShadow", false);
    pictureOpacity_ = byte("PictureOpacity");
    pictureOpacityOnOver_ = byte("PictureOpacityOnOver");
    disabledPictureMode_ = i32("DisabledPictureMode", DisabledFaded);
    picturePushOnHover_ = flag("PicturePushOnHover", false);
    pictureEffectOnOver_ = i32("PictureEffectOnOver", EffectBrighten);
    pictureEffectOnDown_ = i32("PictureEffectOnDown", EffectDarken);
    maskColor_ = colour("MaskColor", 0x00E0E0E0);
    useMaskColor_ = flag("UseMaskColor", true);
    captionEffects_ = i32("CaptionEffects", CapEffectNone);
    mode_ = i32("Mode", ModePush);
    pictureAlign_ = i32("PictureAlign", PicLeftOfCaption);
    captionAlign_ = i32("CaptionAlign", CapAlignCenter);
    foreColor_ = colour("ForeColor", systemColor(platform::ColorBtnText));
    foreColorHover_ = colour("ForeColorHover", systemColor(platform::ColorBtnText));
    surface_.setTextColor(TranslateColor(foreColor_));
    dropDownSeparator_ = flag("DropDownSeparator", false);
    tooltipTitle_ = str("TooltipTitle", QString());
    toolTip_ = str("ToolTip", QString());
    toolTipIcon_ = i32("TooltipIcon", TipIconNone);
    toolTipType_ = i32("TooltipType", TipStandard);
    tooltipBackColor_ = colour("TooltipBackColor", systemColor(platform::ColorInfoBk));
    rightToLeft_ = flag("RightToLeft", false);
    dropDownSymbol_ = i32("DropDownSymbol", SymbolNone);
    colorScheme_ = i32("ColorScheme", SchemeBlue);

    QWidget::setEnabled(enabled_);
    UpdateAccessKey();
    refreshSize();
    if (handPointer_)
        handCursorLoaded_ = true; // the toolkit always has a hand cursor
    applyPointer();
    Resize();
    if (ambient().userMode)
        SetUpHooks();
}

void Glintbutton::writeProperties(rt::PropertyBag& bag) const
{
    const auto str = [&](const char* key, const QString& v, const QString& def) { bag.writeString(QLatin1String(key), v, def); };
    const auto i32 = [&](const char* key, int32_t v, int32_t def) { bag.writeInt(QLatin1String(key), v, def); };
    const auto flag = [&](const char* key, bool v, bool def) { bag.writeBool(QLatin1String(key), v, def); };
    const auto colour = [&](const char* key, uint32_t v, uint32_t def) { bag.writeColor(QLatin1String(key), v, def); };
    const auto picture = [&](const char* key, const ButtonPicture& p) { str(key, p.source(), QString()); };

    i32("ButtonStyle", buttonStyle_, 1);
    flag("ShowFocusRect", showFocusRect_, false);
    flag("Enabled", enabled_, true);
    bag.writeFont(QStringLiteral("Font"), mFont_, ambient().font);
    colour("BackColor", backColor_, systemColor(platform::ColorBtnFace));
    str("Caption", caption_, QStringLiteral("Glintbutton1"));
    colour("ForeColor", foreColor_, systemColor(platform::ColorBtnText));
    colour("ForeColorHover", foreColorHover_, systemColor(platform::ColorBtnText));
    i32("Mode", mode_, ModePush);
    flag("Value", value_, false);
    i32("MousePointer", mousePointer_, 0);
    flag("HandPointer", handPointer_, false);
    picture("MouseIcon", mouseIcon_);
    picture("PictureNormal", pictureNormal_);
    picture("PictureHot", pictureHot_);
    picture("PictureDown", pictureDown_);
    i32("PictureAlign", pictureAlign_, PicLeftOfCaption);
    i32("PictureEffectOnOver", pictureEffectOnOver_, EffectBrighten);
    i32("PictureEffectOnDown", pictureEffectOnDown_, EffectDarken);
    flag("PicturePushOnHover", picturePushOnHover_, false);
    flag("PictureShadow", pictureShadow_, false);
    i32("PictureOpacity", pictureOpacity_, 255);
    i32("PictureOpacityOnOver", pictureOpacityOnOver_, 255);
    i32("DisabledPictureMode", disabledPictureMode_, DisabledFaded);
    i32("CaptionEffects", captionEffects_, CapEffectNone);
    flag("UseMaskColor", useMaskColor_, true);
    colour("MaskColor", maskColor_, 0x00E0E0E0);
    i32("CaptionAlign", captionAlign_, CapAlignCenter);
    str("ToolTip", toolTip_, QString());
    i32("TooltipType", toolTipType_, TipStandard);
    i32("TooltipIcon", toolTipIcon_, TipIconNone);
    str("TooltipTitle", tooltipTitle_, QString());
    colour("TooltipBackColor", tooltipBackColor_, systemColor(platform::ColorInfoBk));
    flag("RightToLeft", rightToLeft_, false);
    i32("DropDownSymbol", dropDownSymbol_, SymbolNone);
    flag("DropDownSeparator", dropDownSeparator_, false);
    i32("ColorScheme", colorScheme_, SchemeBlue);
}

void Glintbutton::refreshSize()
{
    widthPx_ = width();
    heightPx_ = height();
}

void Glintbutton::Resize()
{
    const int minimum = rt::twipsToPixels(MinimumSizeTwips);
    if (rt::pixelsToTwips(height()) < MinimumSizeTwips || rt::pixelsToTwips(width()) < MinimumSizeTwips)
        resize(rt::pixelsToTwips(width()) < MinimumSizeTwips ? minimum : width(),
               rt::pixelsToTwips(height()) < MinimumSizeTwips ? minimum : height());
    ApplyButtonRegion();
    Redraw();
}

void Glintbutton::resizeEvent(QResizeEvent* event)
{
    rt::UserControl::resizeEvent(event);
    Resize();
}

void Glintbutton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, surface_.image());
}

void Glintbutton::ambientChanged(const QString& name)
{
    showAsDefault_ = ambient().displayAsDefault;
    if (name.compare(u"DisplayAsDefault", Qt::CaseInsensitive) == 0 || name.compare(u"BackColor", Qt::CaseInsensitive) == 0)
        Redraw();
}

void Glintbutton::showEvent(QShowEvent* event)
{
    rt::UserControl::showEvent(event);
    setExtenderToolTipText(QString()); // only the control's own tooltip shows
    parentActive_ = isActiveWindow();
}

void Glintbutton::hideEvent(QHideEvent* event)
{
    rt::UserControl::hideEvent(event);
    setExtenderToolTipText(toolTip_);
}

// ---------------------------------------------------------------- drawing

void Glintbutton::DrawLine(int x1, int y1, int x2, int y2, uint32_t colour)
{
    glint::DrawLine(surface_, x1, y1, x2, y2, TranslateColor(colour));
}

void Glintbutton::FrameBox(int left, int top, int width, int height, uint32_t colour)
{
    glint::FrameBox(surface_, left, top, width, height, TranslateColor(colour));
}

void Glintbutton::FillBox(uint32_t colour, const Rect& r) { glint::FillBox(surface_, TranslateColor(colour), r); }

void Glintbutton::SetCornerPixels(uint32_t colour)
{
    refreshSize();
    glint::SetCornerPixels(surface_, TranslateColor(colour));
}

void Glintbutton::DrawGradient(int left, int top, int width, int height, uint32_t colour1, uint32_t colour2,
                               int direction)
{
    glint::DrawGradient(surface_, left, top, width, height, TranslateColor(colour1), TranslateColor(colour2),
                        direction);
}

void Glintbutton::ApplyButtonRegion() { setMask(buttonRegion(buttonStyle_, width(), height())); }

void Glintbutton::DrawDropDownGlyph(const Rect& dropDownRect, int32_t code)
{
    glint::DrawDropDownGlyph(surface_, dropDownRect, code);
}

void Glintbutton::DrawCaptionText(const Rect& r, uint32_t colour, int dx, int dy)
{
    glint::DrawCaptionText(surface_, r, caption_, TranslateColor(colour), dx, dy, rightToLeft_);
}

const ButtonPicture& Glintbutton::CurrentPicture() const
{
    return currentPicture(pictureNormal_, pictureHot_, pictureDown_, buttonState_, mode_ != ModePush && value_);
}

Blend Glintbutton::CurrentBlend() const
{
    PictureLook look;
    look.enabled = enabled_;
    look.disabledPictureMode = disabledPictureMode_;
    look.pictureOpacity = pictureOpacity_;
    look.pictureOpacityOnOver = pictureOpacityOnOver_;
    look.effectOnOver = pictureEffectOnOver_;
    look.effectOnDown = pictureEffectOnDown_;
    look.buttonState = buttonState_;
    look.useMaskColor = useMaskColor_;
    look.maskColor = maskColor_;
    return blendFor(look, tables_);
}

void Glintbutton::DrawPicture(const Rect& r, int32_t solid) { glint::DrawPicture(surface_, r, CurrentPicture(), solid, CurrentBlend()); }

void Glintbutton::DrawPictureShadow(const Rect& pictureRect)
{
    glint::DrawPictureShadow(surface_, pictureRect, CurrentPicture(), CurrentBlend(), TranslateColor(backColor_));
}

bool Glintbutton::DrawThemedFace(const QString& className, int part, int state)
{
    return glint::DrawThemedFace(*this, surface_, Rect{0, 0, widthPx_, heightPx_}, className, part, state);
}

} // namespace glint
