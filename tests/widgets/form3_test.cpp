// The hotkey settings window on the fake platform: its rows, its handlers on
// the main window, saving, hiding and unloading.
#include <QFileInfo>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "app/form1.h"
#include "app/form3.h"
#include "controls/hotkey/module5.h"
#include "runtime/form_design.h"
#include "support/hotkey_support.h"

using Combination = platform::fake::FakeHotkeys::Combination;
using IniCall = platform::fake::FakeIniProfile::Call;

namespace {
const RecordedMessage NoHotkey{QStringLiteral("未设置热键"), 16, QStringLiteral("错误")};
const RecordedMessage Conflict{QStringLiteral("热键冲突，请换一个热键。"), 16, QStringLiteral("错误")};
const RecordedMessage EnterInterval{QStringLiteral("请输入鼠标点击频率！"), 64, QStringLiteral("错误")};
const RecordedMessage EnterCoordinates{QStringLiteral("请输入鼠标点击的坐标！"), 64, QStringLiteral("错误")};

QRect twips(int left, int top, int width, int height)
{
    return {rt::twipsToPixels(left), rt::twipsToPixels(top), rt::twipsToPixels(width), rt::twipsToPixels(height)};
}
} // namespace

class Form3Test : public QObject {
    Q_OBJECT

    std::unique_ptr<TestServices> t;
    std::unique_ptr<QTemporaryDir> dir;
    Form1* form1 = nullptr;
    Form3* form3 = nullptr;

    Form3* openHotkeyWindow()
    {
        form1->Label7_Click();
        return form1->hotkeyWindow();
    }

    // Records a combination in a row's control and ticks its box.
    void recordAndSwitchOn(RKHotKey* hk, rt::CheckBox* box, const QString& steps)
    {
        KeyTyper(&hk->txtHotKey()).run(steps);
        box->setValue(1);
    }

private slots:
    void init()
    {
        t = std::make_unique<TestServices>();
        dir = std::make_unique<QTemporaryDir>();
        t->fake.ini->folder = dir->path();
        form1 = new Form1(t->services);
        form1->Show();
        form3 = openHotkeyWindow();
        QVERIFY(form3);
    }

    // Closing the main window: it unloads the hotkey window, and both go.
    void endProgram()
    {
        if (form1)
            form1->Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        form1 = nullptr;
    }

    void cleanup()
    {
        endProgram();
        t.reset();
    }

    void rowsAsDesigned()
    {
        QVERIFY(form3->isVisible());
        QVERIFY(form3->isLoaded());
        QCOMPARE(form3->windowTitle(), QStringLiteral("设置热键"));
        QCOMPARE(form3->size(), QSize(rt::twipsToPixels(3180), rt::twipsToPixels(3480)));
        struct Row {
            const char* name;
            QRect rect;
            const char* caption;
        };
        const Row rows[] = {
            {"Label1", twips(480, 120, 2295, 255), "“开始点击按钮”热键设置"},
            {"RKHotKey1", twips(600, 480, 1095, 375), nullptr},
            {"Check1", twips(1920, 480, 1095, 375), "使其生效"},
            {"Label2", twips(480, 960, 2415, 255), "“停止点击按钮”热键设置"},
            {"RKHotKey2", twips(600, 1320, 1095, 375), nullptr},
            {"Check2", twips(1920, 1320, 1095, 255), "使其生效"},
            {"Label3", twips(480, 1800, 2535, 255), "“鼠标坐标锁定按钮”热键设置"},
            {"RKHotKey3", twips(600, 2160, 1095, 375), nullptr},
            {"Check3", twips(1920, 2280, 1215, 255), "使其生效"},
            {"Glintbutton1", twips(960, 2760, 1215, 495), "保存设置"},
        };
        for (const Row& row : rows) {
            auto* w = form3->control<QWidget>(row.name);
            QVERIFY2(w, row.name);
            QCOMPARE(w->geometry(), row.rect);
            if (auto* label = qobject_cast<QLabel*>(w))
                QCOMPARE(label->text(), QString::fromUtf8(row.caption));
            if (auto* button = qobject_cast<glint::Glintbutton*>(w))
                QCOMPARE(button->Caption(), QString::fromUtf8(row.caption));
        }
        for (RKHotKey* hk : {form3->RKHotKey1, form3->RKHotKey2, form3->RKHotKey3}) {
            QCOMPARE(hk->INIFileName(), QStringLiteral("setting.ini"));
            QCOMPARE(hk->Font().pointSize(), 9);
            QCOMPARE(hk->Text(), QStringLiteral("无"));
            QCOMPARE(hk->txtHotKey().size(), hk->size());
        }
        for (rt::CheckBox* box : {form3->Check1, form3->Check2, form3->Check3})
            QCOMPARE(box->Value(), 0);
        QCOMPARE(t->fake.hotkeys->heldCount(), size_t(0));
    }

    void tabOrderFollowsTheDesign()
    {
        const QList<QWidget*> expected{form3->Glintbutton1,         &form3->RKHotKey2->txtHotKey(),
                                       &form3->RKHotKey1->txtHotKey(), form3->Check1,
                                       form3->Check2,                &form3->RKHotKey3->txtHotKey(),
                                       form3->Check3};
        QList<QWidget*> order;
        QWidget* w = form3->Glintbutton1;
        do {
            if (expected.contains(w))
                order << w;
            w = w->nextInFocusChain();
        } while (w != form3->Glintbutton1 && order.size() < 20);
        QCOMPARE(order, expected);
    }

    void eachWindowOpensOnItsFirstControlInTabOrder_data()
    {
        QTest::addColumn<bool>("mainWindow");
        QTest::addColumn<QString>("first");
        QTest::newRow("main window: start") << true << QStringLiteral("Glintbutton1");
        QTest::newRow("hotkey window: save") << false << QStringLiteral("Glintbutton1");
    }

    void eachWindowOpensOnItsFirstControlInTabOrder()
    {
        QFETCH(bool, mainWindow);
        QFETCH(QString, first);
        rt::Form* window = mainWindow ? static_cast<rt::Form*>(form1) : form3;
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTRY_COMPARE(QApplication::focusWidget(), window->control<QWidget>(first));
    }

    void startStopAndLockHotkeysRunTheMainWindowsOperations()
    {
        recordAndSwitchOn(form3->RKHotKey1, form3->Check1, "+Ctrl +F1 -F1 -Ctrl");
        recordAndSwitchOn(form3->RKHotKey2, form3->Check2, "+Ctrl +F2 -F2 -Ctrl");
        recordAndSwitchOn(form3->RKHotKey3, form3->Check3, "+Ctrl +F3 -F3 -Ctrl");
        QCOMPARE(t->fake.hotkeys->heldCount(), size_t(3));
        for (rt::CheckBox* box : {form3->Check1, form3->Check2, form3->Check3})
            QCOMPARE(box->Value(), 1);

        form1->mTextBox3->setText("10");
        QVERIFY(t->fake.hotkeys->press(Combination{112, 2}));
        QVERIFY(form1->Timer1->Enabled());
        QCOMPARE(form1->Timer1->Interval(), 10);
        QVERIFY(!form1->Glintbutton1->isEnabled());
        form1->mTextBox3->setText("25"); // pressed again while clicking: validated and assigned anew
        QVERIFY(t->fake.hotkeys->press(Combination{112, 2}));
        QCOMPARE(form1->Timer1->Interval(), 25);

        form1->mTextBox1->setText("200");
        form1->mTextBox2->setText("300");
        QVERIFY(t->fake.hotkeys->press(Combination{114, 2}));
        QVERIFY(form1->Timer3->Enabled());

        QVERIFY(t->fake.hotkeys->press(Combination{113, 2}));
        QVERIFY(!form1->Timer1->Enabled());
        QVERIFY(!form1->Timer3->Enabled());
        QVERIFY(form1->Glintbutton1->isEnabled());
        QVERIFY(t->messageBox.messages.empty());
    }

    void hotkeysShowTheMainWindowsMessages()
    {
        recordAndSwitchOn(form3->RKHotKey1, form3->Check1, "+F1");
        recordAndSwitchOn(form3->RKHotKey3, form3->Check3, "+F3");
        QVERIFY(t->fake.hotkeys->press(Combination{112, 0}));
        QVERIFY(!form1->Timer1->Enabled());
        QVERIFY(t->fake.hotkeys->press(Combination{114, 0}));
        QVERIFY(!form1->Timer3->Enabled());
        QCOMPARE(t->messageBox.messages, (std::vector<RecordedMessage>{EnterInterval, EnterCoordinates}));
    }

    void aBoxShowsWhetherItsHotkeyReallyIsOn()
    {
        form3->Check1->setValue(1); // nothing recorded
        QCOMPARE(t->messageBox.messages, std::vector<RecordedMessage>{NoHotkey});
        QCOMPARE(form3->Check1->Value(), 0);
        QVERIFY(!form3->RKHotKey1->HotKeyEnabled());

        recordAndSwitchOn(form3->RKHotKey1, form3->Check1, "+Ctrl +A -A -Ctrl");
        recordAndSwitchOn(form3->RKHotKey2, form3->Check2, "+Ctrl +A -A -Ctrl");
        QCOMPARE(form3->Check1->Value(), 1);
        QCOMPARE(form3->Check2->Value(), 0);
        QCOMPARE(t->messageBox.messages.back(), Conflict);
        QCOMPARE(form3->RKHotKey2->Text(), QStringLiteral("无"));

        form3->Check1->setValue(0);
        QVERIFY(!form3->RKHotKey1->HotKeyEnabled());
        QCOMPARE(t->fake.hotkeys->heldCount(), size_t(0));
    }

    void theSpaceBarSwitchesEveryRow()
    {
        const std::pair<RKHotKey*, rt::CheckBox*> rows[] = {
            {form3->RKHotKey1, form3->Check1}, {form3->RKHotKey2, form3->Check2}, {form3->RKHotKey3, form3->Check3}};
        int key = 0;
        for (auto [hk, box] : rows) {
            KeyTyper(&hk->txtHotKey()).run(QStringLiteral("+F%1").arg(5 + key++));
            QTest::keyClick(box, Qt::Key_Space);
            QCOMPARE(box->Value(), 1);
            QVERIFY(hk->HotKeyEnabled());
            QTest::keyClick(box, Qt::Key_Space);
            QCOMPARE(box->Value(), 0);
            QVERIFY(!hk->HotKeyEnabled());
        }
    }

    void saveWritesTheRowsInOrderAndHidesTheWindowWhichKeepsWorking()
    {
        recordAndSwitchOn(form3->RKHotKey1, form3->Check1, "+Ctrl +F1 -F1 -Ctrl");
        KeyTyper(&form3->RKHotKey3->txtHotKey()).run("+Alt +F3 -F3 -Alt");
        t->fake.ini->calls.clear();
        QTest::mouseClick(form3->Glintbutton1, Qt::LeftButton);
        QStringList written;
        for (const IniCall& c : t->fake.ini->calls)
            written << c.key + u'=' + c.value;
        QCOMPARE(written, (QStringList{"RKHotKey1Text=Ctrl + F1", "RKHotKey1KeyCode=112", "RKHotKey1ModKeyCode=2",
                                       QStringLiteral("RKHotKey2Text=无"), "RKHotKey2KeyCode=0", "RKHotKey2ModKeyCode=0",
                                       "RKHotKey3Text=Alt + F3", "RKHotKey3KeyCode=114", "RKHotKey3ModKeyCode=1"}));
        QCOMPARE(t->fake.ini->replaces, 1); // one replace of the file: all rows or none
        QVERIFY(!form3->isVisible());
        QVERIFY(form3->isLoaded());

        form1->mTextBox3->setText("50");
        QVERIFY(t->fake.hotkeys->press(Combination{112, 2}));
        QVERIFY(form1->Timer1->Enabled());

        QCOMPARE(openHotkeyWindow(), form3); // the same window, as the user left it
        QVERIFY(form3->isVisible());
        QCOMPARE(form3->Check1->Value(), 1);
    }

    void aSaveThatFailsTellsWhyAndKeepsTheWindowOpenWithTheRecordings()
    {
        recordAndSwitchOn(form3->RKHotKey1, form3->Check1, "+Ctrl +F1 -F1 -Ctrl");
        KeyTyper(&form3->RKHotKey3->txtHotKey()).run("+Alt +F3 -F3 -Alt");
        t->fake.ini->writeError = QStringLiteral("setting.ini：File too large");
        t->fake.ini->calls.clear();
        QTest::mouseClick(form3->Glintbutton1, Qt::LeftButton);
        const RecordedMessage told{QStringLiteral("热键设置未能保存。\nsetting.ini：File too large"), 16, QStringLiteral("错误")};
        QCOMPARE(t->messageBox.messages, std::vector<RecordedMessage>{told}); // once, not once per row
        QCOMPARE(t->fake.ini->replaces, 1);
        QVERIFY(!QFileInfo::exists(t->fake.ini->realPath(Module5::IniPath())));
        QVERIFY(form3->isVisible());
        QCOMPARE(form3->RKHotKey1->Text(), QStringLiteral("Ctrl + F1"));
        QCOMPARE(form3->RKHotKey3->Text(), QStringLiteral("Alt + F3"));
        QCOMPARE(form3->Check1->Value(), 1);
    }

    void theCloseBoxUnloadsAndTheNextOpeningStartsAfresh()
    {
        recordAndSwitchOn(form3->RKHotKey1, form3->Check1, "+F1");
        QPointer<Form3> old = form3;
        form3->close();
        QTRY_VERIFY(!old);
        QCOMPARE(t->fake.hotkeys->heldCount(), size_t(0));
        QVERIFY(!t->fake.hotkeys->press(Combination{112, 0}));

        form3 = openHotkeyWindow();
        QVERIFY(form3 && form3 != old);
        QCOMPARE(form3->Check1->Value(), 0);
        QCOMPARE(form3->RKHotKey1->Text(), QStringLiteral("无")); // never saved
    }

    void unloadingTheMainWindowUnloadsThisOne()
    {
        recordAndSwitchOn(form3->RKHotKey2, form3->Check2, "+F2");
        QPointer<Form3> window = form3;
        form1->Unload();
        QVERIFY(!window->isLoaded());
        QTRY_VERIFY(!window);
        QCOMPARE(t->fake.hotkeys->heldCount(), size_t(0));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        form1 = nullptr;
    }

    void afterARestartTheSavedCombinationsShowWithEveryBoxCleared()
    {
        recordAndSwitchOn(form3->RKHotKey1, form3->Check1, "+Ctrl +F1 -F1 -Ctrl");
        recordAndSwitchOn(form3->RKHotKey2, form3->Check2, "+Shift +Alt +F12");
        form3->Glintbutton1_Click();

        endProgram();
        QCOMPARE(t->fake.hotkeys->heldCount(), size_t(0));
        form1 = new Form1(t->services);
        form1->Show();
        form3 = openHotkeyWindow();
        QCOMPARE(form3->RKHotKey1->Text(), QStringLiteral("Ctrl + F1"));
        QCOMPARE(form3->RKHotKey2->Text(), QStringLiteral("Alt + Shift + F12"));
        QCOMPARE(form3->RKHotKey2->ModKeyCode(), 5);
        QCOMPARE(form3->RKHotKey3->Text(), QStringLiteral("无"));
        for (rt::CheckBox* box : {form3->Check1, form3->Check2, form3->Check3})
            QCOMPARE(box->Value(), 0);
        QCOMPARE(t->fake.hotkeys->heldCount(), size_t(0));
    }
};

QTEST_MAIN(Form3Test)
#include "form3_test.moc"
