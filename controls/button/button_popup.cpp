// The button's popup menu: where it opens, its default item, and the flags
// that keep the press closing it over the button from opening it again.
#include <QMenu>
#include <QTimer>

#include "controls/button/glintbutton.h"

namespace glint {

namespace {

// The alignment flags of a popup-menu call: which edge of the menu lies on the anchor.
constexpr int32_t AlignCenter = 0x4;
constexpr int32_t AlignRight = 0x8;
constexpr int32_t AlignVCenter = 0x10;
constexpr int32_t AlignBottom = 0x20;

// The menu's top-left corner for a menu of the given size whose edges the
// flags put on the anchor.
QPoint menuTopLeft(QPoint anchor, QSize size, int32_t flags)
{
    QPoint p = anchor;
    if (flags & AlignRight)
        p.rx() -= size.width();
    else if (flags & AlignCenter)
        p.rx() -= size.width() / 2;
    if (flags & AlignBottom)
        p.ry() -= size.height();
    else if (flags & AlignVCenter)
        p.ry() -= size.height() / 2;
    return p;
}

} // namespace

void Glintbutton::ShowPopupMenu()
{
    // A press replayed onto the button while its menu closes must not open a second one.
    if (inMenu_)
        return;
    refreshSize();
    menuOpen_ = true;

    int x = 0, y = 0;
    int32_t flags = popupFlags_;
    switch (popupAlign_) {
    case 0: y = heightPx_; break;                                    // below, left edges aligned
    case 1: flags = AlignBottom; break;                              // above, left edges aligned
    case 2: flags |= AlignRight; break;                              // left of it, tops aligned
    case 3: x = widthPx_; break;                                     // right of it, tops aligned
    case 4: flags = AlignBottom | AlignRight; break;                 // above and left
    case 5: y = heightPx_; flags |= AlignRight; break;               // below and left
    case 6: x = widthPx_; flags = AlignBottom; break;                // above, from the right edge
    case 7: x = widthPx_; y = heightPx_; break;                      // below and right
    default: menuOpen_ = false; return;
    }
    popupFlags_ = flags;

    QPointer<QMenu> menu = popupMenu_;
    if (!menu) {
        menuOpen_ = false;
        return;
    }
    const QPointer<QAction> previousDefault = menu->defaultAction();
    if (popupDefault_)
        menu->setDefaultAction(popupDefault_);
    const QPoint topLeft = menuTopLeft(mapToGlobal(QPoint(x, y)), menu->sizeHint(), flags);

    const QPointer<Glintbutton> alive(this);
    inMenu_ = true;
    menu->exec(topLeft);
    if (!alive)
        return;
    inMenu_ = false;
    menuOpen_ = false; // closed, whether a leave came while it was open or not
    pressPending_ = false; // the press that opened the menu ended in it
    if (menu && popupDefault_)
        menu->setDefaultAction(previousDefault);

    if (CursorOverControl()) {
        // The press that closed the menu on the button must not open it again.
        // Where Qt hands that press on to the button, it comes next and its
        // release ends it; where it does not (X11), nothing comes, and the
        // press that opened the menu ends once the events queued meanwhile ran.
        menuSuppress_ = true;
        QTimer::singleShot(0, this, [this] {
            if (menuSuppress_ && !pressPending_)
                endMenuPress();
        });
    } else {
        leftDown_ = false;
        mouseOver_ = false;
        spaceDown_ = false;
        menuSuppress_ = false;
        buttonState_ = StateNormal;
        Redraw();
    }
}

} // namespace glint
