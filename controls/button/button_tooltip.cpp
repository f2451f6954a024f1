// The button's own tooltip window.
#include "controls/button/glintbutton.h"
#include "platform/system_colors.h"

namespace glint {

void Glintbutton::ShowTooltip()
{
    if (!enabled_ || menuSuppress_ || buttonState_ == StateDown)
        return;
    delete tooltip_.data();
    if (toolTip_.isEmpty())
        return;

    const uint32_t systemBack = systemColor(platform::ColorInfoBk);
    const uint32_t back = tooltipBackColor_ == 0 ? systemBack : TranslateColor(tooltipBackColor_);
    TooltipContent content;
    content.text = toolTip_;
    content.title = tooltipTitle_;
    content.icon = toolTipIcon_;
    content.balloon = toolTipType_ == TipBalloon;
    content.rightToLeft = rightToLeft_;
    content.backColor = isDrawable(back) ? back : systemBack; // a value that names no colour keeps the system's
    content.textColor = systemColor(platform::ColorInfoText);
    content.shadowColor = systemColor(platform::ColorBtnShadow);
    tooltip_ = new BalloonTooltip(content, this);
}

} // namespace glint
