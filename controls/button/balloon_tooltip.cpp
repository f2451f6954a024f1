#include "controls/button/balloon_tooltip.h"

#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTextLayout>
#include <QTimerEvent>
#include <QToolTip>

#include <algorithm>
#include <cmath>

#include "runtime/pixel_surface.h"

namespace glint {

namespace {

constexpr int RectPadX = 5; // the one-pixel frame included
constexpr int RectPadY = 3;
constexpr int BalloonPad = 10;
constexpr int Radius = 8;
constexpr int StemHeight = 14;
constexpr int StemWidth = 14;
constexpr int StemInset = 16;   // from the body's near edge to the stem's tip
constexpr int CursorHeight = 20; // a rectangle goes below the pointer's arrow
constexpr int IconSize = 16;
constexpr int IconGap = 6;
constexpr int TitleGap = 6;
// The shadow is drawn inside the window's own shape, since there may be no
// compositor to blend a translucent one.
constexpr int ShadowOffset = 3;

// The platform's hover delay, as its style gives it.
int hoverDelay(const QWidget* w) { return w->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, w); }

bool hasIcon(const TooltipContent& c) { return !c.title.isEmpty() && c.icon >= 1 && c.icon <= 3; }

QColor colourOf(uint32_t bgr) { return QColor::fromRgb(rt::bgrToPixel(bgr)); }

QFont titleFontOf(const QFont& font)
{
    QFont f = font;
    f.setBold(true);
    return f;
}

// A rectangle with its corners rounded off, row by row.
QRegion roundedRegion(const QRect& r, int radius)
{
    QRegion region;
    for (int y = 0; y < r.height(); ++y) {
        const int fromEdge = std::min(y, r.height() - 1 - y);
        int cut = 0;
        if (fromEdge < radius) {
            const double dy = radius - fromEdge - 0.5;
            cut = radius - int(std::lround(std::sqrt(double(radius * radius) - dy * dy)));
        }
        region += QRect(r.left() + cut, r.top() + y, r.width() - 2 * cut, 1);
    }
    return region;
}

// The pixels of the region that have a neighbour outside it.
QRegion outlineOf(const QRegion& shape)
{
    const QRegion inner = shape & shape.translated(1, 0) & shape.translated(-1, 0) & shape.translated(0, 1) &
                          shape.translated(0, -1);
    return shape - inner;
}

// Mirrors a rectangle inside the body for right-to-left layout.
QRect mirrored(const QRect& r, const QRect& body)
{
    if (r.isEmpty())
        return r;
    QRect m = r;
    m.moveLeft(body.left() + body.right() - r.right());
    return m;
}

QStyle::StandardPixmap iconPixmap(int32_t icon)
{
    switch (icon) {
    case 2: return QStyle::SP_MessageBoxWarning;
    case 3: return QStyle::SP_MessageBoxCritical;
    default: return QStyle::SP_MessageBoxInformation;
    }
}

} // namespace

QStringList wrapTooltipText(const QString& text, const QFont& font, int maxWidth)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(u'\r', u'\n');
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QStringList lines;
    for (const QString& paragraph : plain.split(u'\n')) {
        const qsizetype before = lines.size();
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(maxWidth);
            QString piece = paragraph.mid(line.textStart(), line.textLength());
            while (!piece.isEmpty() && piece.back().isSpace())
                piece.chop(1);
            lines << piece;
        }
        layout.endLayout();
        if (lines.size() == before) // an empty line keeps its place
            lines << QString();
    }
    return lines;
}

TooltipLayout layoutTooltip(const TooltipContent& c, const QFont& font, QPoint cursor, const QRect& screen)
{
    TooltipLayout l;
    const QFontMetrics fm(font);
    const QFontMetrics tfm(titleFontOf(font));
    l.lines = wrapTooltipText(c.text, font, BalloonTooltip::MaxTextWidth);

    int textWidth = 0;
    for (const QString& line : l.lines)
        textWidth = std::max(textWidth, fm.horizontalAdvance(line));
    textWidth = std::min(textWidth, int(BalloonTooltip::MaxTextWidth));
    const int textHeight = int(l.lines.size()) * fm.lineSpacing();

    // The title row: the icon, then the title.
    int headWidth = 0, headHeight = 0;
    if (!c.title.isEmpty()) {
        headWidth = tfm.horizontalAdvance(c.title);
        headHeight = tfm.height();
        if (hasIcon(c)) {
            headWidth += IconSize + IconGap;
            headHeight = std::max(headHeight, IconSize);
        }
    }
    const int contentWidth = std::max(headWidth, textWidth);
    const int contentHeight = (headHeight ? headHeight + TitleGap : 0) + textHeight;
    const int padX = c.balloon ? BalloonPad : RectPadX;
    const int padY = c.balloon ? BalloonPad : RectPadY;
    // A balloon is wide enough for its stem between the rounded corners.
    const int minimumWidth = c.balloon ? 2 * Radius + StemWidth : 0;
    const QSize bodySize(std::max(contentWidth + 2 * padX, minimumWidth), contentHeight + 2 * padY);
    const int stemHeight = c.balloon ? StemHeight : 0;
    const QSize windowSize(bodySize.width() + ShadowOffset, bodySize.height() + stemHeight + ShadowOffset);

    // Placement: a rectangle below the pointer's arrow, a balloon with its tip
    // on the cursor; above the cursor when there is no room below.
    QPoint origin;
    bool stemUp = true;
    if (c.balloon) {
        origin = QPoint(c.rightToLeft ? cursor.x() + StemInset + 1 - bodySize.width() : cursor.x() - StemInset,
                        cursor.y());
        if (origin.y() + windowSize.height() > screen.bottom() + 1) {
            stemUp = false;
            origin.setY(cursor.y() - (bodySize.height() + stemHeight - 1));
        }
    } else {
        origin = QPoint(c.rightToLeft ? cursor.x() + 1 - bodySize.width() : cursor.x(), cursor.y() + CursorHeight);
        if (origin.y() + windowSize.height() > screen.bottom() + 1)
            origin.setY(cursor.y() - windowSize.height());
    }
    origin.setX(std::clamp(origin.x(), screen.left(), std::max(screen.left(), screen.right() + 1 - windowSize.width())));
    origin.setY(std::clamp(origin.y(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - windowSize.height())));
    l.geometry = QRect(origin, windowSize);
    l.body = QRect(QPoint(0, stemUp ? stemHeight : 0), bodySize);

    // The parts, laid out left to right and mirrored for right-to-left.
    int y = l.body.top() + padY;
    const int left = l.body.left() + padX;
    if (!c.title.isEmpty()) {
        int x = left;
        if (hasIcon(c)) {
            l.icon = QRect(x, y + (headHeight - IconSize) / 2, IconSize, IconSize);
            x += IconSize + IconGap;
        }
        l.title = QRect(x, y + (headHeight - tfm.height()) / 2, tfm.horizontalAdvance(c.title), tfm.height());
        y += headHeight + TitleGap;
    }
    l.text = QRect(left, y, contentWidth, textHeight);
    if (c.rightToLeft) {
        l.icon = mirrored(l.icon, l.body);
        l.title = mirrored(l.title, l.body);
        l.text = mirrored(l.text, l.body);
    }

    if (c.balloon) {
        // The tip stays on the straight part of the edge, its vertical side
        // towards the near end of the body.
        const int low = c.rightToLeft ? Radius + StemWidth - 1 : Radius;
        const int high = c.rightToLeft ? bodySize.width() - Radius - 1 : bodySize.width() - Radius - StemWidth;
        const int tipX = std::clamp(cursor.x() - origin.x(), low, std::max(low, high));
        const int tipY = stemUp ? 0 : l.body.bottom() + stemHeight;
        l.stemTip = QPoint(tipX, tipY);
        l.shape = roundedRegion(l.body, Radius);
        for (int i = 0; i < stemHeight; ++i) {
            const int w = 1 + i * StemWidth / StemHeight;
            l.shape += QRect(c.rightToLeft ? tipX - w + 1 : tipX, stemUp ? i : tipY - i, w, 1);
        }
    } else {
        l.stemTip = QPoint(-1, -1);
        l.shape = QRegion(l.body);
    }
    l.outline = outlineOf(l.shape);
    l.shadow = l.shape.translated(ShadowOffset, ShadowOffset) - l.shape;
    return l;
}

BalloonTooltip::BalloonTooltip(const TooltipContent& content, QWidget* control)
    // The stay-on-top and bypass hints are the ones the platform adds to a tooltip
    // anyway; given from the start, the window is not made again when shown, which
    // on X11 would lose its transparency for input, and the pointer, entering the
    // balloon's tip, would leave the control.
    : QWidget(control, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus),
      control_(control), content_(content)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(QToolTip::font());
    setLayoutDirection(content.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    control->installEventFilter(this);
    wakeUp_.start(hoverDelay(this), this);
}

void BalloonTooltip::placeAt(QPoint cursor)
{
    const QScreen* screen = QGuiApplication::screenAt(cursor);
    if (!screen)
        screen = control_->screen();
    layout_ = layoutTooltip(content_, font(), cursor, screen->availableGeometry());
    setGeometry(layout_.geometry);
    setMask(layout_.shape + layout_.shadow);
}

void BalloonTooltip::popUpAt(QPoint cursor)
{
    wakeUp_.stop();
    if (dismissed_)
        return;
    placeAt(cursor);
    show();
    update();
    displayed_.start(displayMs_, this);
}

void BalloonTooltip::dismiss()
{
    wakeUp_.stop();
    displayed_.stop();
    dismissed_ = true;
    hide();
}

bool BalloonTooltip::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != control_ || dismissed_)
        return false;
    switch (event->type()) {
    case QEvent::MouseMove:
        if (wakeUp_.isActive()) // the pointer has to rest for the whole delay
            wakeUp_.start(hoverDelay(this), this);
        break;
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::Hide:
        dismiss();
        break;
    case QEvent::EnabledChange:
        if (!control_->isEnabled())
            dismiss();
        break;
    default:
        break;
    }
    return false;
}

void BalloonTooltip::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == wakeUp_.timerId())
        popUpAt(QCursor::pos());
    else if (event->timerId() == displayed_.timerId())
        dismiss();
    else
        QWidget::timerEvent(event);
}

void BalloonTooltip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const auto fill = [&](const QRegion& region, uint32_t colour) {
        for (const QRect& r : region)
            p.fillRect(r, colourOf(colour));
    };
    fill(layout_.shadow, content_.shadowColor);
    fill(layout_.shape, content_.backColor);
    fill(layout_.outline, content_.textColor);

    if (!layout_.icon.isEmpty())
        style()->standardIcon(iconPixmap(content_.icon), nullptr, this).paint(&p, layout_.icon);

    const int align = Qt::AlignAbsolute | Qt::AlignTop | (content_.rightToLeft ? Qt::AlignRight : Qt::AlignLeft);
    p.setPen(colourOf(content_.textColor));
    if (!layout_.title.isEmpty()) {
        p.setFont(titleFontOf(font()));
        p.drawText(layout_.title, align, content_.title);
    }
    p.setFont(font());
    const int lineSpacing = QFontMetrics(font()).lineSpacing();
    for (qsizetype i = 0; i < layout_.lines.size(); ++i) {
        const QRect line(layout_.text.left(), layout_.text.top() + int(i) * lineSpacing, layout_.text.width(),
                         lineSpacing);
        p.drawText(line, align, layout_.lines[i]);
    }
}

} // namespace glint
