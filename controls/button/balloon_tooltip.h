#pragma once
// The styled button's tooltip window: a frameless top-level window of our
// own, a rectangle or a balloon with a stem pointing at the cursor. It watches
// the control it belongs to and shows and hides itself as a system tooltip
// does: after the hover delay with the pointer resting on the control, until
// the pointer leaves, a press, a wheel turn or a key, or a few seconds pass.
#include <QBasicTimer>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QStringList>
#include <QWidget>
#include <cstdint>

namespace glint {

// What a tooltip shows. Colours are plain 0x00BBGGRR values.
struct TooltipContent {
    QString text;
    QString title;      // without a title there is no icon either
    int32_t icon = 0;   // 1 information, 2 warning, 3 error; anything else none
    bool balloon = false;
    bool rightToLeft = false;
    uint32_t backColor = 0;
    uint32_t textColor = 0;   // the text, the title and the outline
    uint32_t shadowColor = 0;
};

// Where a tooltip's parts go, in the window's pixels, for one cursor position.
struct TooltipLayout {
    QRect geometry;     // the window on the screen, the shadow included
    QRect body;         // the rectangle, or the balloon's rounded body
    QRect icon;         // empty: no icon
    QRect title;        // empty: no title
    QRect text;
    QStringList lines;  // the text as wrapped, one entry a line
    QRegion shape;      // body and stem: drawn in the background colour
    QRegion outline;    // the one-pixel edge of the shape
    QRegion shadow;     // the shape moved down and right, where the shape is not
    QPoint stemTip;     // the balloon's point at the cursor; (-1, -1) for a rectangle
};

// Lines no wider than maxWidth pixels: broken at word boundaries (inside a word
// only when it alone is too wide), every line break of the text kept, trailing
// blanks dropped.
QStringList wrapTooltipText(const QString& text, const QFont& font, int maxWidth);

// The layout of the content pointing at the cursor (global pixels), kept
// inside the screen rectangle.
TooltipLayout layoutTooltip(const TooltipContent& content, const QFont& font, QPoint cursor, const QRect& screen);

class BalloonTooltip : public QWidget {
    Q_OBJECT
public:
    static constexpr int MaxTextWidth = 240;
    static constexpr int DefaultDisplayMs = 5000;

    // Made hidden, owned by the control; from now on it watches the control
    // and wakes up once the pointer has rested there for the hover delay.
    BalloonTooltip(const TooltipContent& content, QWidget* control);

    const TooltipContent& content() const { return content_; }
    // The layout of the last showing.
    const TooltipLayout& layout() const { return layout_; }
    // How long a showing lasts before the tooltip goes by itself.
    void setDisplayTime(int ms) { displayMs_ = ms; }

    // Lays the tooltip out pointing at the cursor position (global pixels),
    // on that screen, and shapes the window, without showing it.
    void placeAt(QPoint cursor);
    // Places it and shows it for the display time.
    void popUpAt(QPoint cursor);
    // Hides it for good: a tooltip comes again only with a new window.
    void dismiss();
    bool dismissed() const { return dismissed_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* control_;
    TooltipContent content_;
    TooltipLayout layout_;
    QBasicTimer wakeUp_;
    QBasicTimer displayed_;
    int displayMs_ = DefaultDisplayMs;
    bool dismissed_ = false;
};

} // namespace glint
