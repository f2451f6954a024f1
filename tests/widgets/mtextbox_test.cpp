#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMetaProperty>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "controls/textbox/mtextbox.h"
#include "support/test_services.h"

using textbox::mTextBox;

namespace {

constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

// The frame as the control must paint it, pixel by pixel.
uint32_t expectedFramePixel(int x, int y, int w, int h, bool hovered)
{
    const bool ring = x == 0 || y == 0 || x == w - 1 || y == h - 1;
    if (ring)
        return hovered ? rgb(133, 228, 255) : rgb(228, 244, 255);
    if (x == 1 || y == 1 || x == w - 2 || y == h - 2)
        return rgb(78, 160, 209);
    if (x <= 3 && y <= 3) { // the 2 × 2 corner picture
        const uint32_t corner[2][2] = {{rgb(195, 214, 229), rgb(202, 219, 232)},
                                       {rgb(202, 219, 232), rgb(227, 236, 243)}};
        return corner[y - 2][x - 2];
    }
    if (y == 2 && x <= w - 3)
        return rgb(207, 222, 234);
    if (y == 3 && x <= w - 3)
        return rgb(239, 244, 248);
    if (x == 2 && y <= h - 3)
        return rgb(207, 222, 234);
    if (x == 3 && y <= h - 3)
        return rgb(239, 244, 248);
    return rgb(255, 255, 255);
}

void sendMove(QWidget* target, QPoint local)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(target->mapToGlobal(local)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
}

} // namespace

class MTextBoxTest : public QObject {
    Q_OBJECT

    struct Fixture {
        TestServices t;
        QWidget window;
        mTextBox* box;
        Fixture() : box(new mTextBox(t.services, &window))
        {
            window.resize(200, 100);
            box->setGeometry(10, 20, 41, 30);
            window.show();
        }
        // One tick of the hover poll.
        void poll() { emit box->timMouse()->Tick(); }
        void cursorAt(QPoint global) { t.fake.input->cursor = {global.x(), global.y()}; }
    };

private slots:
    void heightIsFixedAndTxtMainKeepsItsMargins()
    {
        Fixture f;
        QCOMPARE(f.box->height(), 22);
        QCOMPARE(f.box->width(), 41);
        QCOMPARE(f.box->txtMain()->geometry(), QRect(6, 3, 29, 15));
        f.box->resize(100, 50);
        QCOMPARE(f.box->size(), QSize(100, 22));
        QCOMPARE(f.box->txtMain()->width(), 88);
        // Narrower than the margins: txtMain keeps its width, the frame is still drawn.
        const int drawsBefore = f.box->frameDraws();
        f.box->resize(8, 22);
        QCOMPARE(f.box->txtMain()->width(), 88);
        QVERIFY(f.box->frameDraws() > drawsBefore);
        QCOMPARE(f.box->surface().width(), 8);
    }

    void framePixelForPixelInBothHoverStates()
    {
        Fixture f;
        const int w = 41, h = 22;
        auto compareFrame = [&](bool hovered) {
            const rt::PixelSurface& s = f.box->surface();
            QCOMPARE(s.width(), w);
            QCOMPARE(s.height(), h);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    if (s.pixel(x, y) != expectedFramePixel(x, y, w, h, hovered))
                        QFAIL(qPrintable(QStringLiteral("pixel %1,%2 hovered %3: %4").arg(x).arg(y).arg(hovered)
                                             .arg(s.pixel(x, y), 6, 16)));
        };
        compareFrame(false);
        sendMove(f.box, QPoint(2, 2));
        QVERIFY(f.box->Hovered());
        compareFrame(true);
        // The surface is what the widget shows.
        const QImage shown = f.box->grab().toImage();
        QCOMPARE(QColor(shown.pixel(0, 0)), QColor(133, 228, 255));
    }

    void hoverRingFollowsTheMouseAndThePoll()
    {
        Fixture f;
        int moves = 0;
        bool hoveredAtMove = true;
        connect(f.box, &mTextBox::MouseMove, this, [&](int16_t&, int16_t&, float&, float&) {
            ++moves;
            hoveredAtMove = f.box->Hovered();
        });
        const int idleDraws = f.box->frameDraws();
        QVERIFY(!f.box->timMouse()->Enabled());

        // Over txtMain: MouseMove first, then the hover state.
        sendMove(f.box->txtMain(), QPoint(5, 5));
        QCOMPARE(moves, 1);
        QVERIFY(!hoveredAtMove);
        QVERIFY(f.box->Hovered());
        QVERIFY(f.box->timMouse()->Enabled());
        QCOMPARE(f.box->timMouse()->Interval(), 55);
        QCOMPARE(f.box->frameDraws(), idleDraws + 1);

        // Over the frame: no MouseMove, no repaint while already lit.
        sendMove(f.box, QPoint(1, 10));
        sendMove(f.box->txtMain(), QPoint(6, 5));
        QCOMPARE(moves, 2);
        QCOMPARE(f.box->frameDraws(), idleDraws + 1);

        // The poll keeps the ring while the cursor is inside, edges included.
        const QPoint topLeft = f.box->mapToGlobal(QPoint(0, 0));
        f.cursorAt(topLeft + QPoint(41, 22));
        f.poll();
        QVERIFY(f.box->Hovered());
        QCOMPARE(f.box->frameDraws(), idleDraws + 1);

        f.cursorAt(topLeft + QPoint(42, 5));
        f.poll();
        QVERIFY(!f.box->Hovered());
        QVERIFY(!f.box->timMouse()->Enabled());
        QCOMPARE(f.box->frameDraws(), idleDraws + 2);
        QCOMPARE(f.box->surface().pixel(0, 0), mTextBox::BackgroundColor);

        f.cursorAt(topLeft + QPoint(-1, 5));
        sendMove(f.box, QPoint(0, 0));
        f.poll();
        QVERIFY(!f.box->Hovered());
    }

    void theRunningPollEndsTheHover()
    {
        Fixture f;
        f.cursorAt(f.box->mapToGlobal(QPoint(0, 0)) + QPoint(200, 200));
        sendMove(f.box->txtMain(), QPoint(5, 5));
        QVERIFY(f.box->Hovered());
        QTRY_VERIFY_WITH_TIMEOUT(!f.box->Hovered(), 2000);
        QVERIFY(!f.box->timMouse()->Enabled());
    }

    void tabMovesBetweenBoxes()
    {
        Fixture f;
        auto* second = new mTextBox(f.t.services, &f.window);
        second->setGeometry(10, 60, 41, 22);
        second->show();
        f.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.box->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(f.box->txtMain()->hasFocus());
        QTest::keyClick(f.box->txtMain(), Qt::Key_Tab);
        QTRY_VERIFY(second->txtMain()->hasFocus());
        QTest::keyClick(second->txtMain(), Qt::Key_Backtab, Qt::ShiftModifier);
        QTRY_VERIFY(f.box->txtMain()->hasFocus());
    }

    void textAndPwdChrWithTheirBag()
    {
        Fixture f;
        QSignalSpy changed(f.box, &mTextBox::PropertyChanged);
        QSignalSpy change(f.box, &mTextBox::Change);
        f.box->setText(QStringLiteral("250"));
        QCOMPARE(f.box->txtMain()->text(), QStringLiteral("250"));
        QCOMPARE(f.box->Text(), QStringLiteral("250"));
        QCOMPARE(change.count(), 1);
        QCOMPARE(changed.takeFirst().at(0).toString(), QStringLiteral("Text"));

        f.box->setPwdChr(QStringLiteral("*"));
        QCOMPARE(f.box->txtMain()->displayText(), QStringLiteral("***"));
        f.box->txtMain()->insert(QStringLiteral("9"));
        QCOMPARE(f.box->txtMain()->displayText(), QStringLiteral("****"));
        QCOMPARE(changed.takeFirst().at(0).toString(), QStringLiteral("PwdChr"));
        f.box->setPwdChr(QStringLiteral("#?"));
        QCOMPARE(f.box->PwdChr(), QStringLiteral("#"));
        QCOMPARE(f.box->txtMain()->displayText(), QStringLiteral("####"));
        f.box->setPwdChr(QString());
        QCOMPARE(f.box->txtMain()->displayText(), QStringLiteral("2509"));

        // Text is the control's value for a host that reads the control generically.
        const QMetaProperty value = f.box->metaObject()->userProperty();
        QCOMPARE(QLatin1String(value.name()), QLatin1String("Text"));
        QCOMPARE(value.read(f.box).toString(), QStringLiteral("2509"));
        QVERIFY(value.write(f.box, QStringLiteral("77")));
        QCOMPARE(f.box->txtMain()->text(), QStringLiteral("77"));

        rt::PropertyBag empty;
        f.box->setText(QString());
        f.box->writeProperties(empty);
        QVERIFY(empty.entries().empty());

        rt::PropertyBag bag;
        bag.writeString(QStringLiteral("text"), QStringLiteral("12"), QString());
        bag.writeString(QStringLiteral("PWDCHR"), QStringLiteral("*"), QString());
        changed.clear();
        f.box->readProperties(bag);
        QCOMPARE(f.box->Text(), QStringLiteral("12"));
        QCOMPARE(f.box->PwdChr(), QStringLiteral("*"));
        QCOMPARE(f.box->txtMain()->displayText(), QStringLiteral("**"));
        QCOMPARE(changed.count(), 0); // loading is no change the host must save
        rt::PropertyBag saved;
        f.box->writeProperties(saved);
        QCOMPARE(saved.readString(QStringLiteral("Text"), {}), QStringLiteral("12"));
        QCOMPARE(saved.readString(QStringLiteral("PwdChr"), {}), QStringLiteral("*"));
        QCOMPARE(saved.entries().front().key, QStringLiteral("Text"));
    }

    void hostChangesToKeyCodesReachTxtMain()
    {
        Fixture f;
        QLineEdit* txt = f.box->txtMain();
        QStringList order;
        connect(f.box, &mTextBox::KeyDown, this, [&](int16_t& code, int16_t& shift) {
            order << QStringLiteral("KeyDown %1 %2").arg(code).arg(shift);
            if (code == 37) // Left does nothing
                code = 0;
            if (code == 39) // Right goes home instead
                code = 36;
        });
        connect(f.box, &mTextBox::KeyPress, this, [&](int16_t& ascii) {
            order << QStringLiteral("KeyPress %1").arg(ascii);
            if (ascii == 'x')
                ascii = 0;
            if (ascii == 'a')
                ascii = 'b';
        });
        connect(f.box, &mTextBox::KeyUp, this, [&](int16_t& code, int16_t&) {
            order << QStringLiteral("KeyUp %1").arg(code);
        });

        QTest::keyClick(txt, Qt::Key_A);
        QCOMPARE(txt->text(), QStringLiteral("b"));
        QCOMPARE(order, (QStringList{QStringLiteral("KeyDown 65 0"), QStringLiteral("KeyPress 97"),
                                     QStringLiteral("KeyUp 65")}));
        QTest::keyClick(txt, Qt::Key_X);
        QCOMPARE(txt->text(), QStringLiteral("b"));
        QTest::keyClick(txt, 'C', Qt::ShiftModifier);
        QCOMPARE(txt->text(), QStringLiteral("bC"));
        QVERIFY(order.contains(QStringLiteral("KeyDown 67 1")));
        QCOMPARE(txt->cursorPosition(), 2);
        QTest::keyClick(txt, Qt::Key_Left);
        QCOMPARE(txt->cursorPosition(), 2);
        QTest::keyClick(txt, Qt::Key_Right);
        QCOMPARE(txt->cursorPosition(), 0);
        QTest::keyClick(txt, Qt::Key_Backspace); // nothing before the caret
        QTest::keyClick(txt, Qt::Key_Delete);
        QCOMPARE(txt->text(), QStringLiteral("C"));
    }

    void inputMethodTextGoesThroughKeyPress_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("commit");
        QTest::addColumn<int>("replaceFrom"); // from the caret
        QTest::addColumn<int>("replaceLength");
        QTest::addColumn<QString>("after");
        auto s = [](const char* text) { return QString::fromUtf8(text); };
        // The host refuses x and 错 and turns a into b.
        QTest::newRow("all kept") << s("") << s("中文") << 0 << 0 << s("中文");
        QTest::newRow("some refused") << s("") << s("1x错2") << 0 << 0 << s("12");
        QTest::newRow("all refused") << s("7") << s("x错") << 0 << 0 << s("7");
        QTest::newRow("some changed") << s("") << s("a中a") << 0 << 0 << s("b中b");
        QTest::newRow("replacing before the caret") << s("12") << s("x3") << -1 << 1 << s("13");
    }

    void inputMethodTextGoesThroughKeyPress()
    {
        QFETCH(QString, before);
        QFETCH(QString, commit);
        QFETCH(int, replaceFrom);
        QFETCH(int, replaceLength);
        QFETCH(QString, after);
        Fixture f;
        f.box->setText(before);
        QString pressed;
        connect(f.box, &mTextBox::KeyPress, this, [&](int16_t& ascii) {
            const QChar c{char16_t(ascii)};
            pressed += c;
            if (c == u'x' || c == u'错')
                ascii = 0;
            if (c == u'a')
                ascii = 'b';
        });
        QInputMethodEvent event;
        event.setCommitString(commit, replaceFrom, replaceLength);
        QCoreApplication::sendEvent(f.box->txtMain(), &event);
        QCOMPARE(pressed, commit);
        QCOMPARE(f.box->Text(), after);
    }

    void mouseEventsAndClicksAreForwarded()
    {
        Fixture f;
        QStringList seen;
        auto record = [&](const char* name) {
            return [&seen, name](int16_t& button, int16_t& shift, float& x, float& y) {
                seen << QStringLiteral("%1 %2 %3 %4 %5").arg(QLatin1String(name)).arg(button).arg(shift).arg(x).arg(y);
            };
        };
        connect(f.box, &mTextBox::MouseDown, this, record("down"));
        connect(f.box, &mTextBox::MouseUp, this, record("up"));
        connect(f.box, &mTextBox::Click, this, [&] { seen << QStringLiteral("click"); });
        connect(f.box, &mTextBox::DblClick, this, [&] { seen << QStringLiteral("dblclick"); });
        QTest::mouseClick(f.box->txtMain(), Qt::LeftButton, Qt::ControlModifier, QPoint(4, 7));
        QCOMPARE(seen, (QStringList{QStringLiteral("down 1 2 4 7"), QStringLiteral("up 1 2 4 7"),
                                    QStringLiteral("click")}));
        seen.clear();
        QTest::mouseClick(f.box->txtMain(), Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
        QCOMPARE(seen, (QStringList{QStringLiteral("down 2 0 3 3"), QStringLiteral("up 2 0 3 3")}));
        // A right click during a left press does not cancel the left click.
        seen.clear();
        QTest::mousePress(f.box->txtMain(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QTest::mouseClick(f.box->txtMain(), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
        QTest::mouseRelease(f.box->txtMain(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QCOMPARE(seen.count(QStringLiteral("click")), 1);
        QCOMPARE(seen.last(), QStringLiteral("click"));
        seen.clear();
        QTest::mouseDClick(f.box->txtMain(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        QVERIFY(seen.contains(QStringLiteral("dblclick")));
    }

    void focusSelectsTheWholeText()
    {
        Fixture f;
        QLineEdit other(&f.window);
        other.move(100, 60);
        other.show();
        f.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.box->setText(QStringLiteral("1234"));
        other.setFocus(Qt::TabFocusReason);
        f.box->txtMain()->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(f.box->txtMain()->selectedText(), QStringLiteral("1234"));

        other.setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(!f.box->txtMain()->hasFocus());
        QTest::mouseClick(f.box->txtMain(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 7));
        QTRY_COMPARE(f.box->txtMain()->selectedText(), QStringLiteral("1234"));
        QTest::keyClick(f.box->txtMain(), Qt::Key_7);
        QCOMPARE(f.box->Text(), QStringLiteral("7"));
    }
};

QTEST_MAIN(MTextBoxTest)
#include "mtextbox_test.moc"
