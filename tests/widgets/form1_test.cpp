// Form1's handlers and its state table, on the fake platform.
#include <QSignalSpy>
#include <QtTest>

#include <QFontDatabase>
#include <QFontInfo>

#include "app/form1.h"
#include "app/form3.h"
#include "support/test_services.h"

namespace {
const QString TitleError = QStringLiteral("错误");
const QString TitleRange = QStringLiteral("范围错误");
const RecordedMessage EnterInterval{QStringLiteral("请输入鼠标点击频率！"), 64, TitleError};
const RecordedMessage IntervalRange{QStringLiteral("鼠标频率应该设置在1-5000范围内！"), 64, TitleRange};
const RecordedMessage EnterCoordinates{QStringLiteral("请输入鼠标点击的坐标！"), 64, TitleError};
} // namespace

class Form1Test : public QObject {
    Q_OBJECT

    std::unique_ptr<TestServices> t;
    Form1* form = nullptr;

    platform::fake::FakeTicker* clickTicker() { return t->fake.tickers.at(0); }

private slots:
    void init()
    {
        t = std::make_unique<TestServices>();
        form = new Form1(t->services);
        form->Show();
    }

    void cleanup()
    {
        delete form;
        t.reset();
    }

    void startsIdleWithTheCoordinateDisplayOn()
    {
        QCOMPARE(form->windowTitle(), QStringLiteral("Vorlin"));
        QCOMPARE(form->Check1->Value(), 1);
        QCOMPARE(form->Check2->Value(), 0);
        QVERIFY(!form->Timer1->Enabled());
        QCOMPARE(form->Timer1->Interval(), 0);
        QVERIFY(form->Timer2->Enabled());
        QCOMPARE(form->Timer2->Interval(), 50);
        QVERIFY(!form->Timer3->Enabled());
        QCOMPARE(form->Timer3->Interval(), 100);
        QVERIFY(form->Label1->isVisible());
        QVERIFY(form->Glintbutton1->Enabled());
        QVERIFY(t->fake.windowOrder->calls.empty());
        QVERIFY(t->messageBox.messages.empty());
    }

    void coordinateLabelFollowsTheCursorWithSigns()
    {
        // A pointer that has not moved since start-up is shown as well.
        QTRY_COMPARE(form->Label1->Caption(), QStringLiteral("X: 0 Y: 0"));
        t->fake.input->cursor = {512, -3};
        QTRY_COMPARE(form->Label1->Caption(), QStringLiteral("X: 512 Y: -3"));
        t->fake.input->cursor = {-1920, 0};
        QTRY_COMPARE(form->Label1->Caption(), QStringLiteral("X: -1920 Y: 0"));
        t->fake.input->cursor = {512, -3};
        QTRY_COMPARE(form->Label1->Caption(), QStringLiteral("X: 512 Y: -3"));
    }

    void clearingCheck1HidesTheLabelAndStopsUpdates()
    {
        form->Check1->setValue(0);
        QVERIFY(!form->Timer2->Enabled());
        QVERIFY(!form->Label1->isVisible());
        form->Check1->setValue(1);
        QVERIFY(form->Timer2->Enabled());
        QVERIFY(form->Label1->isVisible());
        t->fake.input->cursor = {7, 8};
        QTRY_COMPARE(form->Label1->Caption(), QStringLiteral("X: 7 Y: 8"));
    }

    void startValidatesTheInterval_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("interval"); // 0: nothing starts
        QTest::addColumn<int>("message");  // 0 none, 1 enter, 2 range
        QTest::newRow("one") << "1" << 1 << 0;
        QTest::newRow("max") << "5000" << 5000 << 0;
        QTest::newRow("fraction rounds down") << "1.4" << 1 << 0;
        QTest::newRow("half to even down") << "2.5" << 2 << 0;
        QTest::newRow("half to even up") << "3.5" << 4 << 0;
        QTest::newRow("blanks around") << "  10 " << 10 << 0;
        QTest::newRow("exponent") << "1e3" << 1000 << 0;
        QTest::newRow("empty") << "" << 0 << 1;
        QTest::newRow("zero") << "0" << 0 << 2;
        QTest::newRow("half") << "0.5" << 0 << 2;
        QTest::newRow("above") << "5000.5" << 0 << 2;
        QTest::newRow("negative") << "-5" << 0 << 2;
        QTest::newRow("letters") << "abc" << 0 << 2;
        QTest::newRow("single blank") << " " << 0 << 2;
        QTest::newRow("NaN") << "NaN" << 0 << 2;
        QTest::newRow("Infinity") << "Infinity" << 0 << 2;
        QTest::newRow("beyond double") << "1e400" << 0 << 2;
    }

    void startValidatesTheInterval()
    {
        QFETCH(QString, text);
        QFETCH(int, interval);
        QFETCH(int, message);
        form->mTextBox3->setText(text);
        emit form->Glintbutton1->Click();
        if (interval) {
            QVERIFY(form->Timer1->Enabled());
            QCOMPARE(form->Timer1->Interval(), interval);
            QVERIFY(!form->Glintbutton1->Enabled());
            QVERIFY(form->Glintbutton2->Enabled());
            QVERIFY(clickTicker()->running);
            QCOMPARE(clickTicker()->interval, interval);
        } else {
            QVERIFY(!form->Timer1->Enabled());
            QVERIFY(form->Glintbutton1->Enabled());
            QVERIFY(!clickTicker()->running);
        }
        const std::vector<RecordedMessage> none;
        const std::vector<RecordedMessage> expected = message == 1 ? std::vector{EnterInterval}
                                                    : message == 2 ? std::vector{IntervalRange}
                                                                   : none;
        QCOMPARE(t->messageBox.messages, expected);
    }

    void eachTickClicksOnceAndStopEndsIt()
    {
        form->mTextBox3->setText(QStringLiteral("10"));
        emit form->Glintbutton1->Click();
        clickTicker()->fire(3);
        QCOMPARE(t->fake.input->clicks, 3);
        emit form->Glintbutton2->Click();
        QVERIFY(!form->Timer1->Enabled());
        QVERIFY(form->Glintbutton1->Enabled());
        clickTicker()->fire(3);
        QCOMPARE(t->fake.input->clicks, 3);
    }

    void secondStartWhileClickingAssignsTheNewInterval()
    {
        form->mTextBox3->setText(QStringLiteral("10"));
        form->Glintbutton1_Click();
        form->mTextBox3->setText(QStringLiteral("20"));
        form->Glintbutton1_Click(); // as the start hotkey does while the button is disabled
        QVERIFY(form->Timer1->Enabled());
        QCOMPARE(form->Timer1->Interval(), 20);
        QCOMPARE(clickTicker()->interval, 20);
        QVERIFY(clickTicker()->starts >= 2); // the count restarted
    }

    void failedValidationLeavesClickAndPinRunning()
    {
        form->mTextBox1->setText(QStringLiteral("100"));
        form->mTextBox2->setText(QStringLiteral("200"));
        form->mTextBox3->setText(QStringLiteral("10"));
        form->Glintbutton1_Click();
        form->Image4_Click();
        form->mTextBox3->setText(QString());
        form->Glintbutton1_Click();
        form->mTextBox3->setText(QStringLiteral("9999"));
        form->Glintbutton1_Click();
        form->mTextBox1->setText(QString());
        form->Image4_Click();
        QCOMPARE(t->messageBox.messages, (std::vector{EnterInterval, IntervalRange, EnterCoordinates}));
        QVERIFY(form->Timer1->Enabled());
        QCOMPARE(form->Timer1->Interval(), 10);
        QVERIFY(form->Timer3->Enabled());
        QVERIFY(!form->Glintbutton1->Enabled());
    }

    void pinNeedsBothCoordinates_data()
    {
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("y");
        QTest::newRow("y empty") << "100" << "";
        QTest::newRow("x empty") << "" << "100";
        QTest::newRow("not a number") << "abc" << "100";
        QTest::newRow("beyond 32 bits") << "100" << "3000000000";
    }

    void pinNeedsBothCoordinates()
    {
        QFETCH(QString, x);
        QFETCH(QString, y);
        form->mTextBox1->setText(x);
        form->mTextBox2->setText(y);
        emit form->Image4->Click();
        QVERIFY(!form->Timer3->Enabled());
        emit form->Glintbutton3->Click();
        QVERIFY(t->fake.input->moves.empty());
        QCOMPARE(t->messageBox.messages, (std::vector{EnterCoordinates, EnterCoordinates}));
    }

    void pinHoldsTheCursorAndFollowsEditsUntilStop()
    {
        form->mTextBox1->setText(QStringLiteral("100"));
        form->mTextBox2->setText(QStringLiteral("-20"));
        emit form->Image4->Click();
        QVERIFY(form->Timer3->Enabled());
        QVERIFY(!form->Timer1->Enabled()); // pinning does not click
        t->fake.input->cursor = {5, 5};
        QTRY_COMPARE(t->fake.input->cursor, (platform::Point{100, -20}));
        form->mTextBox1->setText(QStringLiteral("300"));
        QTRY_COMPARE(t->fake.input->cursor, (platform::Point{300, -20}));
        // A box that no longer converts skips ticks quietly; stop still ends the pin.
        form->mTextBox2->setText(QStringLiteral("x"));
        const auto movesBefore = t->fake.input->moves.size();
        form->Timer3_Timer();
        QCOMPARE(t->fake.input->moves.size(), movesBefore);
        QVERIFY(t->messageBox.messages.empty());
        emit form->Glintbutton2->Click();
        QVERIFY(!form->Timer3->Enabled());
    }

    void startWhilePinnedKeepsThePinAndStopEndsBoth()
    {
        form->mTextBox1->setText(QStringLiteral("1"));
        form->mTextBox2->setText(QStringLiteral("2"));
        form->Image4_Click();
        form->Image4_Click(); // pin on while pinned changes nothing
        form->mTextBox3->setText(QStringLiteral("50"));
        form->Glintbutton1_Click();
        QVERIFY(form->Timer1->Enabled());
        QVERIFY(form->Timer3->Enabled());
        form->Glintbutton2_Click();
        QVERIFY(!form->Timer1->Enabled());
        QVERIFY(!form->Timer3->Enabled());
        QVERIFY(form->Glintbutton1->Enabled());
        QVERIFY(form->Timer2->Enabled()); // the display is not touched
    }

    void moveOnceMovesWithoutTimers()
    {
        form->mTextBox1->setText(QStringLiteral("640"));
        form->mTextBox2->setText(QStringLiteral("2.5"));
        emit form->Glintbutton3->Click();
        QCOMPARE(t->fake.input->moves, (std::vector<platform::Point>{{640, 2}}));
        QVERIFY(!form->Timer1->Enabled());
        QVERIFY(!form->Timer3->Enabled());
    }

    void check2SwitchesTopmost()
    {
        form->Check2->setValue(1);
        form->Check2->setValue(0);
        QCOMPARE(t->fake.windowOrder->calls.size(), size_t(2));
        QCOMPARE(t->fake.windowOrder->calls[0], (std::pair<QWidget*, bool>{form, true}));
        QCOMPARE(t->fake.windowOrder->calls[1], (std::pair<QWidget*, bool>{form, false}));
    }

    void tipMessage()
    {
        emit form->Image5->Click();
        QCOMPARE(t->messageBox.messages,
                 (std::vector<RecordedMessage>{{QStringLiteral("你知道吗？本软件还可以当鼠标锁使用，那么密码便是你设置的快捷键呢"), 64,
                                                QStringLiteral("秘诀")}}));
    }

    // The styled buttons as designed, in Tahoma 8.25 pt; where it is missing,
    // a face that has the Chinese captions stands in at the same size.
    void styledButtonsAsDesigned()
    {
        form->Label7_Click();
        const struct {
            rt::Form* window;
            const char *name, *caption;
            int style, scheme; // scheme -1: the themed style keeps the default
            uint32_t backColor;
        } rows[] = {{form, "Glintbutton1", "开始点击", 3, 2, 0x00E3E3E3}, {form, "Glintbutton2", "停止点击", 13, -1, 0},
                    {form, "Glintbutton3", "移至该坐标", 13, -1, 0}, {form->hotkeyWindow(), "Glintbutton1", "保存设置", 13, -1, 0}};
        for (const auto& r : rows) {
            auto* b = r.window->control<glint::Glintbutton>(r.name);
            QVERIFY(b && b->Enabled());
            const QString caption = QString::fromUtf8(r.caption), shown = QFontInfo(b->Font()).family();
            QCOMPARE(b->Caption(), caption);
            QCOMPARE((QList<int>{b->ButtonStyle(), r.scheme < 0 ? -1 : b->ColorScheme(), b->PictureEffectOnOver(),
                                 b->PictureEffectOnDown(), b->CaptionEffects()}),
                     (QList<int>{r.style, r.scheme, 0, 0, 0}));
            QCOMPARE((QList<uint32_t>{b->BackColor(), b->TooltipBackColor()}), (QList<uint32_t>{r.backColor, 0}));
            QCOMPARE(b->Font().families().value(0), QStringLiteral("Tahoma"));
            QCOMPARE(b->Font().pointSizeF(), 8.25);
            QCOMPARE(b->Font().weight(), QFont::Normal);
            QVERIFY2(shown == u"Tahoma" || QFontDatabase::writingSystems(shown).contains(QFontDatabase::SimplifiedChinese),
                     qPrintable(shown));
            QVERIFY(QFontMetrics(b->Font()).horizontalAdvance(caption) < b->width());
        }
    }

    void layoutAndTabOrder()
    {
        QCOMPARE(form->size(), QSize(310, 339));
        QCOMPARE(form->Image3->geometry(), QRect(0, 0, 310, 65));
        QCOMPARE(form->Label1->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(form->Image4->toolTip(), QStringLiteral("锁定到此坐标"));
        QCOMPARE(form->Image5->toolTip(), QStringLiteral("秘诀"));
        QCOMPARE(form->Image1->toolTip(), QStringLiteral("关于"));
        const QList<QWidget*> expected{form->Glintbutton1, form->Glintbutton2, form->Check1, form->mTextBox1,
                                       form->mTextBox2,    form->Glintbutton3, form->mTextBox3, form->Check2};
        QList<QWidget*> visited;
        QWidget* w = expected.first();
        for (int i = 0; i < expected.size(); ++i) {
            visited << w;
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(form) || w->isAncestorOf(visited.last()) ||
                   visited.last()->isAncestorOf(w));
        }
        QCOMPARE(visited, expected);
    }
};

class Form1SecondInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void secondStartShowsTheMessageAndEnds()
    {
        TestServices t;
        t.fake.singleInstance->otherRunning = true;
        Form1 form(t.services);
        form.Show();
        QCOMPARE(t.programEnds, 1);
        QCOMPARE(t.messageBox.messages, (std::vector<RecordedMessage>{{QStringLiteral("本程序已经运行了，请勿重复运行！"), 64,
                                                                       QStringLiteral("请勿重复运行")}}));
        QVERIFY(!form.isVisible());
        QVERIFY(!form.isLoaded());
        QVERIFY(t.fake.tickers.empty());
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Form1Test a;
    Form1SecondInstanceTest b;
    return QTest::qExec(&a, argc, argv) | QTest::qExec(&b, argc, argv);
}

#include "form1_test.moc"
