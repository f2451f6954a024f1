#include "controls/button/glint_descriptions.h"

namespace glint {

namespace {

constexpr MemberDescription properties[] = {
    {"BackColor", "Returns/sets the background color used for the button.", "Appearance"},
    {"ButtonStyle", "Returns/sets a value to determine the style used to draw the button.", ""},
    {"Caption", "Returns/sets the text displayed in the button.", "Text"},
    {"CaptionAlign", "Returns/Sets the position of the Caption.", "Position"},
    {"DropDownSymbol", "Returns/Sets the Symbol to be used for displaying PopupMenu.", ""},
    {"DropDownSeparator", "Returns/Sets the value whether to display DropDown Separator.", ""},
    {"DisabledPictureMode", "Returns/Sets the effect to be used for picture when button is disabled.", ""},
    {"Enabled", "Returns/sets a value to determine whether the button can respond to events.", "Behavior"},
    {"Font", "Returns/sets the Font used to display text on the button.", "Font"},
    {"ForeColor", "Returns/sets the text color of the button caption.", ""},
    {"ForeColorHover", "Returns/sets the text color of the button caption when Mouse is over the control.", ""},
    {"HandPointer", "Returns/sets a value to determine whether the control uses the system's hand pointer as its cursor.",
     "Misc"},
    {"hWnd", "Returns a handle that uniquely identifies the control.", ""},
    {"MaskColor", "Returns/sets a color in a button's picture to be transparent.", ""},
    {"Mode", "Returns/sets the type of control the button will observe.", ""},
    {"MouseIcon", "Sets a custom mouse icon for the button.", ""},
    {"MousePointer", "Returns/sets the type of mouse pointer displayed when cursor over the button.", ""},
    {"PictureNormal", "Returns/sets the picture displayed on a normal state button.", ""},
    {"PictureHot", "Returns/sets the picture displayed when the cursor is over the control.", ""},
    {"PictureDown", "Returns/sets the picture displayed when the control is pressed down or in checked state.", ""},
    {"PictureAlign", "Returns/sets a value to determine where to draw the picture in the button.", ""},
    {"PictureShadow", "Returns/Sets a value to determine whether to display Picture Shadow", ""},
    {"PictureEffectOnOver", "Returns/Sets the Picture Effects to be applied when the mouseis over the control.", ""},
    {"PictureEffectOnDown", "Returns/Sets the Picture Effects to be applied when the Button is pressed down.", ""},
    {"PicturePushOnHover", "Returns/Sets a value to determine whether to Push picture when Mouse is over the control.",
     ""},
    {"PictureOpacity", "Returns/Sets a byte value to control the Opacity of the Picture.", ""},
    {"PictureOpacityOnOver", "Returns/Sets a byte value to control the Opacity of the Picture when Mouse is over the button.",
     ""},
    {"RightToLeft", "Returns/Sets a value to determine whether to display text in RTL mode.", ""},
    {"CaptionEffects", "Returns/Sets the Special Effects apply to the caption.", ""},
    {"ShowFocusRect", "Returns/Sets a value to show Focusrect when the button has focus", ""},
    {"UseMaskColor",
     "Returns/sets a value to determine whether to use MaskColor to create transparent areas of the picture.", ""},
    {"Value", "Returns/sets the value or state of the button.", ""},
    {"TooltipTitle", "Returns/Sets the text displayed in the title of the tooltip.", ""},
    {"ToolTip", "Returns/Sets the text displayed when mouse is paused over the control.", ""},
    {"TooltipBackColor", "Returns/Sets color to be displayed in the tooltip.", ""},
    {"ToolTipIcon", "Returns/Sets an icon value to be displayed in the tooltip.", ""},
    {"ToolTipType", "Returns/Sets the Style of the tooltip.", ""},
    {"ColorScheme", "Returns/Sets the ColorScheme to be used for the Background color.", ""},
};

constexpr MemberDescription events[] = {
    {"Click", "Occurs when the user presses and then releases a mouse button over the button.", ""},
    {"DblClick", "Occurs when the user clicks over the button twice.", ""},
    {"MouseEnter", "Occrus when the cursor moves around the button for the first time.", ""},
    {"MouseLeave", "Occurs when the cursor leaves/moves outside the button.", ""},
    {"MouseMove", "Occurs when the cursor moves over the button.", ""},
    {"MouseUp", "Occurs when the user releases the mouse button while the button has the focus.", ""},
    {"MouseDown", "Occurs when the user presses the mouse button while the button has the focus.", ""},
    {"KeyDown", "Occurs when the user presses a key while the button has the focus.", ""},
    {"KeyUp", "Occurs when the user releases a key while the button has the focus.", ""},
    {"KeyPress", "Occurs when the user presses and releases an ANSI key.", ""},
};

constexpr MemberDescription methods[] = {
    {"SetPopupMenu", "Sets a dropdown menu to the button.", ""},
    {"UnsetPopupMenu", "Unsets a popupmenu that was previously set for that button.", ""},
    {"OpenWebsite", "Opens a website specified by URL", ""},
    {"About", "Displays information about the control and its author.", ""},
};

} // namespace

std::span<const MemberDescription> propertyDescriptions() { return properties; }
std::span<const MemberDescription> eventDescriptions() { return events; }
std::span<const MemberDescription> methodDescriptions() { return methods; }

const MemberDescription* describeMember(const QString& name)
{
    for (auto list : {propertyDescriptions(), eventDescriptions(), methodDescriptions()})
        for (const MemberDescription& m : list)
            if (name.compare(QLatin1String(m.name), Qt::CaseInsensitive) == 0)
                return &m;
    return nullptr;
}

} // namespace glint
