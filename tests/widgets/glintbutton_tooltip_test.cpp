// The styled button's own tooltip: when a window is made and replaced, its
// options (shape, placement, colours, title and icon, right-to-left, wrapping)
// and how it shows after the hover delay and goes again.
#include <QPointer>
#include <QProxyStyle>
#include <QTest>
#include <QWheelEvent>
#include <functional>

#include "controls/button/glintbutton.h"
#include "support/test_services.h"

using namespace glint;

namespace {

// The hover delay comes from the style; a short one keeps the waits short.
class QuickTooltipStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* o, const QWidget* w, QStyleHintReturn* r) const override
    {
        return hint == SH_ToolTip_WakeUpDelay ? 1 : QProxyStyle::styleHint(hint, o, w, r);
    }
};

constexpr uint32_t InfoBk = 0x00E1FFFF, Shadow = 0x00808080;

struct Fixture {
    TestServices t;
    QWidget window;
    Glintbutton* button = new Glintbutton(t.services, &window);
    Fixture()
    {
        button->setAmbient({true, QStringLiteral("Glintbutton1"), QFont(QStringLiteral("DejaVu Sans"), 9), false});
        button->setGeometry(10, 10, 80, 25);
        button->initProperties();
        button->setToolTip(QStringLiteral("Start clicking"));
        window.show();
    }
    // The pointer comes to rest on the button, which turns hot.
    BalloonTooltip* hover()
    {
        QCursor::setPos(button->mapToGlobal(button->rect().center()));
        QCoreApplication::processEvents();
        button->setButtonState(StateHot);
        button->ShowTooltip();
        return button->tooltipWindow();
    }
};

} // namespace

class GlintbuttonTooltipTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setStyle(new QuickTooltipStyle); }

    // Each call replaces the window, which goes with the control; none is
    // made while disabled, pressed, suppressed or without text.
    void eachCallReplacesTheWindow()
    {
        Fixture f;
        QPointer<BalloonTooltip> first = f.hover();
        QVERIFY(first && first->isWindow() && first->parentWidget() == f.button);
        // The pointer goes through it, and the window is not made again when shown (that loses the first).
        QVERIFY(first->windowFlags().testFlags(Qt::WindowTransparentForInput | Qt::WindowStaysOnTopHint |
                                               Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus));
        f.button->setTooltipTitle(QStringLiteral("New title"));
        QPointer<BalloonTooltip> second = f.hover();
        QVERIFY(first.isNull());
        QCOMPARE(second->content().title, QStringLiteral("New title"));
        f.button->setToolTip(QString()); // an empty text still takes the old window away
        QVERIFY(!f.hover() && second.isNull());
        f.button->setToolTip(QStringLiteral("Again"));
        for (const auto setUp : {+[](Glintbutton* b) { b->setEnabled(false); }, +[](Glintbutton* b) { b->setButtonState(StateDown); },
                                 +[](Glintbutton* b) { b->setMenuSuppress(true); }}) {
            Fixture g;
            setUp(g.button);
            g.button->ShowTooltip();
            QVERIFY(!g.button->tooltipWindow());
        }
        QPointer<BalloonTooltip> third = f.hover();
        delete f.button;
        QVERIFY(third.isNull());
    }

    void showsAfterTheHoverDelayUntilLeavePressWheelKeyHideDisableOrTimeOut()
    {
        const std::function<void(Glintbutton*)> acts[] = {
            [](Glintbutton* b) { QEvent e(QEvent::Leave); QCoreApplication::sendEvent(b, &e); },
            [](Glintbutton* b) { QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5)); },
            [](Glintbutton* b) {
                QWheelEvent e({5, 5}, b->mapToGlobal(QPointF(5, 5)), {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
                QCoreApplication::sendEvent(b, &e);
            },
            [](Glintbutton* b) { QTest::keyClick(b, Qt::Key_A); }, [](Glintbutton* b) { b->hide(); }, [](Glintbutton* b) { b->setEnabled(false); },
            nullptr, // nothing happens: the display time runs out
        };
        for (const auto& act : acts) {
            Fixture f;
            QVERIFY(QTest::qWaitForWindowExposed(&f.window));
            BalloonTooltip* tip = f.hover();
            tip->setDisplayTime(act ? BalloonTooltip::DefaultDisplayMs : 20);
            QVERIFY(!tip->isVisible()); // not before the hover delay
            if (act) {
                QTRY_VERIFY(tip->isVisible());
                act(f.button);
                QVERIFY(!tip->isVisible());
            }
            QTRY_VERIFY(tip->dismissed()); // for good: only a new window shows again
            QVERIFY(!tip->isVisible());
        }
    }

    void options()
    {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QPoint middle = screen.center(), low(middle.x(), screen.bottom() - 5);
        const QString sentence = QStringLiteral("Clicks the left mouse button at the cursor every interval until the "
                                                "stop button or the stop hotkey ends it; in milliseconds");
        const QString word(300, u'x'), breaks = QStringLiteral("one\ntwo\r\nthree\n\nfive");
        const struct {
            int type;
            bool rtl;
            const char* title;
            int icon;
            uint32_t backColor, expectedBack;
            QPoint cursor;
            bool iconShown; // the title shows when there is one
            QString text;
        } cases[] = {
            {TipStandard, false, "", TipIconNone, 0, InfoBk, middle, false, sentence},
            {TipBalloon, false, "", TipIconWarning, 0x80000018, InfoBk, middle, false, word},
            {TipBalloon, true, "Note", TipIconNone, 0x8000000F, 0x00C8D0D4, middle, false, breaks},
            {TipStandard, true, "Note", TipIconInfo, 0x80000005, 0x00FFFFFF, low, true, sentence},
            {TipBalloon, false, "Note", TipIconError, 0x000000FF, 0x000000FF, low, true, breaks},
            {TipStandard, false, "Note", 7, 0x80000019, InfoBk, screen.bottomRight(), false, word},
            {TipBalloon, false, "Note", TipIconWarning, 0, InfoBk, screen.topLeft(), true, sentence},
        };
        for (const auto& c : cases) {
            Fixture f;
            f.button->setToolTipType(c.type);
            f.button->setRightToLeft(c.rtl);
            f.button->setTooltipTitle(QString::fromLatin1(c.title));
            f.button->setToolTipIcon(c.icon);
            f.button->setTooltipBackColor(c.backColor);
            f.button->setToolTip(c.text);
            BalloonTooltip* tip = f.hover();
            tip->placeAt(c.cursor);
            const QImage image = tip->grab().toImage();
            const TooltipLayout& l = tip->layout();
            const QRegion mask = tip->mask();
            const auto pixel = [&](QPoint p, uint32_t bgr) { return image.pixel(p) == rt::bgrToPixel(bgr); };
            const auto ink = [&](QRect r) { // the bounds of what is painted on the background
                QRect bounds;
                for (int y = r.top(); y <= r.bottom(); ++y)
                    for (int x = r.left(); x <= r.right(); ++x)
                        bounds |= pixel({x, y}, c.expectedBack) ? QRect() : QRect(x, y, 1, 1);
                return bounds;
            };
            QVERIFY(screen.contains(tip->geometry()));
            if (c.cursor.x() == screen.right()) // pushed back just inside the screen, not further
                QCOMPARE(tip->geometry().right(), screen.right());
            QCOMPARE(mask, l.shape + l.shadow);
            QVERIFY(pixel({l.body.right() + 2, l.body.center().y()}, Shadow)); // inside the window's own shape
            QVERIFY(pixel({l.body.center().x(), l.body.top() + 1}, c.expectedBack));
            QCOMPARE(l.title.isEmpty(), !*c.title);
            QCOMPARE(!l.icon.isEmpty(), c.iconShown);
            if (c.iconShown)
                QVERIFY((l.icon.left() > l.title.right()) == c.rtl && ink(l.icon).width() > 4);
            if (c.type == TipStandard) {
                QCOMPARE(l.stemTip, QPoint(-1, -1));
                QVERIFY(mask.contains(QPoint(0, 0)) && pixel({0, 0}, 0)); // the frame
            } else {
                QVERIFY(mask.contains(l.stemTip) && pixel(l.stemTip, 0));
                QVERIFY(!mask.contains(l.body.topLeft())); // rounded
                QCOMPARE(l.stemTip.x() > l.body.center().x(), c.rtl);
                if (c.cursor != screen.topLeft())
                    QCOMPARE(tip->mapToGlobal(l.stemTip), c.cursor);
                QCOMPARE(l.stemTip.y() > l.body.bottom(), c.cursor == low); // points down without room below
            }
            // Wrapped at 240 pixels, nothing lost, the text's own line breaks kept.
            const QFontMetrics fm(tip->font());
            QVERIFY(l.lines.size() >= 2);
            for (const QString& line : l.lines)
                QVERIFY(fm.horizontalAdvance(line) <= BalloonTooltip::MaxTextWidth);
            QCOMPARE(l.lines.join(c.text == word ? "" : c.text == breaks ? "\n" : " "), QString(c.text).remove(u'\r'));
            // The last line starts on the left, or on the right when mirrored.
            const QRect last = ink({l.text.left(), l.text.top() + int(l.lines.size() - 1) * fm.lineSpacing(), l.text.width(), fm.height()});
            QVERIFY(!last.isNull() && (c.rtl ? last.right() > l.text.right() - 3 : last.left() < l.text.left() + 3));
            if (fm.horizontalAdvance(l.lines.last()) < l.text.width() - 20)
                QVERIFY(c.rtl ? last.left() > l.text.left() + 20 : last.right() < l.text.right() - 20);
        }
    }
};

QTEST_MAIN(GlintbuttonTooltipTest)
#include "glintbutton_tooltip_test.moc"
