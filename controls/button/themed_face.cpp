#include "controls/button/themed_face.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

namespace glint {

namespace {

QStyleOptionButton themeOption(QWidget& window, const QRect& rect, int state)
{
    QStyleOptionButton opt;
    opt.initFrom(&window);
    opt.rect = rect;
    opt.state = QStyle::State_Raised;
    if (state != ThemeDisabled)
        opt.state |= QStyle::State_Enabled;
    if (state == ThemeHot)
        opt.state |= QStyle::State_MouseOver;
    if (state == ThemePressed)
        opt.state |= QStyle::State_Sunken;
    if (state == ThemeDefault) {
        opt.state |= QStyle::State_HasFocus;
        opt.features |= QStyleOptionButton::DefaultButton;
    }
    return opt;
}

// The pixels the style paints (any alpha) as a region, row by row.
QRegion paintedRegion(const QImage& img, int dx, int dy)
{
    QRegion region;
    for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const uint32_t*>(img.constScanLine(y));
        for (int x = 0; x < img.width();) {
            if ((line[x] >> 24) == 0) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < img.width() && (line[x] >> 24) != 0)
                ++x;
            region += QRect(start + dx, y + dy, x - start, 1);
        }
    }
    return region;
}

std::optional<bool> themedOverride;

} // namespace

std::optional<bool> isThemedOverride() { return themedOverride; }

void setIsThemedOverride(std::optional<bool> answer) { themedOverride = answer; }

bool DrawThemedFace(QWidget& window, rt::PixelSurface& s, const Rect& buttonRect, const QString& className, int part,
                    int state)
{
    if (className.compare(u"Button", Qt::CaseInsensitive) != 0 || part != 1)
        return false;
    QStyle* style = window.style();

    const Rect widened{buttonRect.left - 1, buttonRect.top - 1, buttonRect.right + 1, buttonRect.bottom + 2};
    if (widened.width() > 0 && widened.height() > 0) {
        // The shape only changes with the style, the size, the state and the
        // palette; drawing it again at every repaint would double the cost.
        struct Shape {
            QStyle* style = nullptr;
            Rect widened;
            int state = -1;
            qint64 palette = 0;
            Qt::LayoutDirection direction = Qt::LeftToRight;
            QRegion region;
        };
        thread_local Shape last;
        const Shape now{style, widened, state, window.palette().cacheKey(), window.layoutDirection(), {}};
        if (now.style != last.style || !(now.widened == last.widened) || now.state != last.state ||
            now.palette != last.palette || now.direction != last.direction) {
            const QStyleOptionButton opt =
                themeOption(window, QRect(0, 0, widened.width(), widened.height()), state);
            QImage shape(widened.width(), widened.height(), QImage::Format_ARGB32_Premultiplied);
            shape.fill(Qt::transparent);
            QPainter sp(&shape);
            style->drawControl(QStyle::CE_PushButtonBevel, &opt, &sp, &window);
            sp.end();
            last = now;
            last.region = paintedRegion(shape, widened.left, widened.top);
        }
        window.setMask(last.region);
    }

    const QRect face(buttonRect.left, buttonRect.top, buttonRect.width(), buttonRect.height());
    QPainter p(&s.image());
    if (face != s.rect()) // clipping to the whole image only costs time
        p.setClipRect(face);
    const QStyleOptionButton opt = themeOption(window, face, state);
    style->drawControl(QStyle::CE_PushButtonBevel, &opt, &p, &window);
    return true;
}

} // namespace glint
