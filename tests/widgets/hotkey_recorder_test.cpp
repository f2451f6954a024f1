// The hotkey recorder: recording key combinations, the events it forwards,
// and switching its hotkey on and off, on the fake platform.
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "support/hotkey_support.h"

using Combination = platform::fake::FakeHotkeys::Combination;
using Call = platform::fake::FakeHotkeys::Call;

namespace {
const RecordedMessage NoHotkey{QStringLiteral("未设置热键"), 16, QStringLiteral("错误")};
const RecordedMessage Conflict{QStringLiteral("热键冲突，请换一个热键。"), 16, QStringLiteral("错误")};
} // namespace

class HotkeyRecorderTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestServices> t;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QWidget> host;
    RKHotKey* hk = nullptr;

    RKHotKey* make(const QString& name) { return makeHotKey(*t, name, {}, true, host.get()); }

    void record(RKHotKey* control, const QString& steps) { KeyTyper(&control->txtHotKey()).run(steps); }

private slots:
    void init()
    {
        t = std::make_unique<TestServices>();
        dir = std::make_unique<QTemporaryDir>();
        t->fake.ini->folder = dir->path();
        host = std::make_unique<QWidget>();
        hk = make(QStringLiteral("RKHotKey1"));
    }

    void cleanup()
    {
        host.reset(); // the controls go before the platform they registered with
        t.reset();
    }

    void recordsCombinations_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("texts"); // the box after each step, "|" between
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<int>("modKeyCode");
        QTest::newRow("Ctrl+A") << "+Ctrl +A -A -Ctrl" << "Ctrl + |Ctrl + A|Ctrl + A|Ctrl + A" << 65 << 2;
        QTest::newRow("F5 alone") << "+F5 -F5" << "F5|F5" << 116 << 0;
        QTest::newRow("a lone Ctrl") << "+Ctrl -Ctrl" << "Ctrl + |无" << 0 << 0;
        QTest::newRow("replaced by a lone Shift")
            << "+Ctrl +A -A -Ctrl +Shift -Shift" << "Ctrl + |Ctrl + A|Ctrl + A|Ctrl + A|Shift + |无" << 0 << 0;
        QTest::newRow("Win+Alt+P") << "+Win +Alt +P -P -Alt -Win"
                                   << "Win + |Win + Alt + |Win + Alt + P|Win + Alt + P|Win + Alt + P|Win + Alt + P"
                                   << 80 << 9;
        QTest::newRow("all four with F1") << "+Shift +Alt +Win +Ctrl +F1"
                                          << "Shift + |Alt + Shift + |Win + Alt + Shift + |Win + Ctrl + Alt + Shift + "
                                             "|Win + Ctrl + Alt + Shift + F1"
                                          << 112 << 15;
        QTest::newRow("Ctrl+Shift+F12") << "+Ctrl +Shift +F12" << "Ctrl + |Ctrl + Shift + |Ctrl + Shift + F12" << 123 << 6;
        QTest::newRow("application key") << "+Menu" << "无" << 0 << 0;
        QTest::newRow("application key keeps a recording") << "+F5 -F5 +Menu -Menu" << "F5|F5|F5|F5" << 116 << 0;
        QTest::newRow("right Windows key is a key") << "+RWin -RWin" << "Right Win|Right Win" << 92 << 0;
        QTest::newRow("Shift+1 as X reports it") << "+Shift +Exclam" << "Shift + |Shift + 1" << 49 << 4;
        QTest::newRow("keypad digit") << "+Num1" << "Num 1" << 97 << 0;
        QTest::newRow("navigation keys by their names") << "+Insert +Delete +Left" << "Insert|Delete|Left" << 37 << 0;
        QTest::newRow("Backspace and Escape are keys") << "+Backspace +Escape" << "Backspace|Esc" << 27 << 0;
        QTest::newRow("auto-repeat") << "+Ctrl +A r-A r+A -A" << "Ctrl + |Ctrl + A|Ctrl + A|Ctrl + A|Ctrl + A" << 65 << 2;
        QTest::newRow("held modifier repeating") << "+Ctrl r-Ctrl r+Ctrl" << "Ctrl + |Ctrl + |Ctrl + " << 0 << 2;
    }

    void recordsCombinations()
    {
        QFETCH(QString, steps);
        QFETCH(QString, texts);
        QFETCH(int, keyCode);
        QFETCH(int, modKeyCode);
        KeyTyper typer(&hk->txtHotKey());
        const QStringList list = steps.split(u' ');
        const QStringList expected = texts.split(u'|');
        QCOMPARE(list.size(), expected.size());
        for (int i = 0; i < list.size(); ++i) {
            typer.step(list[i]);
            QCOMPARE(hk->Text(), expected[i]);
            QCOMPARE(hk->txtHotKey().cursorPosition(), int(hk->Text().size()));
        }
        QCOMPARE(hk->KeyCode(), keyCode);
        QCOMPARE(hk->ModKeyCode(), modKeyCode);
        QVERIFY(!hk->HotKeyEnabled());
        QVERIFY(t->fake.hotkeys->calls.empty());
    }

    void windowsKeyReleasedElsewhereStaysInTheRecording()
    {
        record(hk, "+Win +A -A");
        QCOMPARE(hk->Text(), QStringLiteral("Win + A"));
        QVERIFY(hk->WinKeyHeld());
        record(hk, "+B -B"); // the Windows key went up while the box had no focus
        QCOMPARE(hk->Text(), QStringLiteral("Win + B"));
        QCOMPARE(hk->ModKeyCode(), 8);
        record(hk, "-Win +C");
        QVERIFY(!hk->WinKeyHeld());
        QCOMPARE(hk->Text(), QStringLiteral("C"));
    }

    void aKeyWithoutANameRecordsItsCodeBehindTheModifiers()
    {
        t->fake.keyNames->overrides[116] = QString();
        record(hk, "+Ctrl +F5");
        QCOMPARE(hk->Text(), QStringLiteral("Ctrl + "));
        QCOMPARE(hk->KeyCode(), 116);
        record(hk, "-F5 -Ctrl");
        QCOMPARE(hk->Text(), QStringLiteral("Ctrl + ")); // a key was recorded: the text stays
    }

    void typingPastingAndInputMethodsNeverChangeTheText()
    {
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        QTest::keyClicks(&hk->txtHotKey(), QStringLiteral("abc"));
        QCOMPARE(hk->Text(), QStringLiteral("C"));
        record(hk, "+Ctrl +V -V -Ctrl");
        QCOMPARE(hk->Text(), QStringLiteral("Ctrl + V"));
        QInputMethodEvent im;
        im.setCommitString(QStringLiteral("中文"));
        QCoreApplication::sendEvent(&hk->txtHotKey(), &im);
        QCOMPARE(hk->Text(), QStringLiteral("Ctrl + V"));
        QTest::mouseClick(&hk->txtHotKey(), Qt::MiddleButton);
        QCOMPARE(hk->Text(), QStringLiteral("Ctrl + V"));
    }

    void keyEventsPassTheirArgumentsByReference()
    {
        std::vector<std::pair<int, int>> ups;
        connect(hk, &RKHotKey::KeyDown, this, [](int16_t& keyCode, int16_t& shift) {
            if (keyCode == 'A') {
                keyCode = 'B';
                shift = 2;
            }
        });
        connect(hk, &RKHotKey::KeyUp, this, [&](int16_t& keyCode, int16_t& shift) {
            ups.emplace_back(keyCode, shift);
            QCOMPARE(hk->Text(), QStringLiteral("Ctrl + B")); // raised after the display is updated
        });
        record(hk, "+A -A");
        QCOMPARE(hk->Text(), QStringLiteral("Ctrl + B"));
        QCOMPARE(hk->KeyCode(), 66);
        QCOMPARE(hk->ModKeyCode(), 2);
        QCOMPARE(ups, (std::vector<std::pair<int, int>>{{65, 0}}));

        // A handler can also swallow a key: 0 is recorded as nothing.
        connect(hk, &RKHotKey::KeyDown, this, [](int16_t& keyCode, int16_t&) { keyCode = 17; });
        record(hk, "+F5");
        QCOMPARE(hk->KeyCode(), 0);
    }

    void applicationKeyRaisesNoKeyDown()
    {
        int downs = 0, ups = 0;
        connect(hk, &RKHotKey::KeyDown, this, [&](int16_t&, int16_t&) { ++downs; });
        connect(hk, &RKHotKey::KeyUp, this, [&](int16_t&, int16_t&) { ++ups; });
        record(hk, "+Menu -Menu");
        QCOMPARE(downs, 0);
        QCOMPARE(ups, 1);
    }

    void mouseEventsAreForwarded()
    {
        host->show();
        int ups = 0;
        connect(hk, &RKHotKey::MouseUp, this, [&](int16_t&, int16_t&, float&, float&) { ++ups; });
        QSignalSpy click(hk, &RKHotKey::Click);
        QSignalSpy dbl(hk, &RKHotKey::DblClick);
        std::vector<std::tuple<int, int, float, float>> downs;
        connect(hk, &RKHotKey::MouseDown, this,
                [&](int16_t& b, int16_t& s, float& x, float& y) { downs.emplace_back(b, s, x, y); });
        QTest::mousePress(&hk->txtHotKey(), Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 7));
        QTest::mouseRelease(&hk->txtHotKey(), Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 7));
        QCOMPARE(downs, (std::vector<std::tuple<int, int, float, float>>{{1, 1, 5.0f, 7.0f}}));
        QCOMPARE(ups, 1);
        QCOMPARE(click.count(), 1);
        QTest::mousePress(&hk->txtHotKey(), Qt::RightButton, {}, QPoint(3, 3));
        QCOMPARE(downs.back(), (std::tuple<int, int, float, float>{2, 0, 3.0f, 3.0f}));
        QTest::mouseDClick(&hk->txtHotKey(), Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(dbl.count(), 1);
    }

    void contextMenuRequestsAreSwallowed()
    {
        host->show();
        // A menu opens as a popup at once (or runs its own loop, where the timer finds it).
        int menus = 0;
        const auto closeMenu = [&] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                ++menus;
                popup->close();
            }
        };
        QTimer closer;
        closer.setInterval(0);
        connect(&closer, &QTimer::timeout, this, closeMenu);
        closer.start();
        const QPoint at(5, 5);
        QContextMenuEvent byMouse(QContextMenuEvent::Mouse, at, hk->txtHotKey().mapToGlobal(at));
        QCoreApplication::sendEvent(&hk->txtHotKey(), &byMouse);
        closeMenu();
        QContextMenuEvent byKey(QContextMenuEvent::Keyboard, at, hk->txtHotKey().mapToGlobal(at));
        QCoreApplication::sendEvent(&hk->txtHotKey(), &byKey);
        closeMenu();
        closer.stop();
        QCOMPARE(menus, 0);
    }

    void theBoxFillsTheControl()
    {
        host->show();
        QCOMPARE(hk->txtHotKey().geometry(), QRect(0, 0, 73, 25));
        hk->resize(120, 30);
        QCOMPARE(hk->txtHotKey().geometry(), QRect(0, 0, 120, 30));
    }

    // ---- switching the hotkey

    void enablingWithNothingRecordedRefuses()
    {
        hk->setHotKeyEnabled(true);
        QVERIFY(!hk->HotKeyEnabled());
        QCOMPARE(t->messageBox.messages, std::vector<RecordedMessage>{NoHotkey});
        QVERIFY(t->fake.hotkeys->calls.empty());
        QCOMPARE(hk->Text(), QStringLiteral("无"));
    }

    void enablingRegistersTheCombinationAndPressesRaiseTheEvent()
    {
        record(hk, "+Ctrl +A -A -Ctrl");
        QSignalSpy pressed(hk, &RKHotKey::HotKeyPressed);
        hk->setHotKeyEnabled(true);
        QVERIFY(hk->HotKeyEnabled());
        QVERIFY(t->messageBox.messages.empty());
        QCOMPARE(t->fake.hotkeys->calls.size(), size_t(1));
        QCOMPARE(t->fake.hotkeys->calls[0].combination, (Combination{65, 2}));
        for (int i = 0; i < 3; ++i) // auto-repeats arrive as presses too
            QVERIFY(t->fake.hotkeys->press(Combination{65, 2}));
        QCOMPARE(pressed.count(), 3);
        hk->RaiseEvents();
        QCOMPARE(pressed.count(), 4);
    }

    void settingTheSameValueMakesNoCall()
    {
        hk->setHotKeyEnabled(false);
        record(hk, "+F5");
        hk->setHotKeyEnabled(true);
        hk->setHotKeyEnabled(true);
        QCOMPARE(t->fake.hotkeys->calls.size(), size_t(1));
        hk->setHotKeyEnabled(false);
        hk->setHotKeyEnabled(false);
        QCOMPARE(t->fake.hotkeys->calls.size(), size_t(2));
        QCOMPARE(t->fake.hotkeys->calls[1].kind, Call::Unregister);
        QCOMPARE(t->fake.hotkeys->heldCount(), size_t(0));
        QVERIFY(!t->fake.hotkeys->press(Combination{116, 0}));
        QVERIFY(t->messageBox.messages.empty());
    }

    void disablingAndEnablingAgainRegistersTheSameCombination()
    {
        record(hk, "+Alt +F3");
        hk->setHotKeyEnabled(true);
        hk->setHotKeyEnabled(false);
        hk->setHotKeyEnabled(true);
        QVERIFY(hk->HotKeyEnabled());
        QCOMPARE(*t->fake.hotkeys->held(t->fake.hotkeys->calls.back().owner), (Combination{114, 1}));
    }

    void aCombinationHeldByAnotherControlIsRefusedAndCleared()
    {
        RKHotKey* other = make(QStringLiteral("RKHotKey2"));
        record(hk, "+Ctrl +A -A -Ctrl");
        record(other, "+Ctrl +A -A -Ctrl");
        hk->setHotKeyEnabled(true);
        other->setHotKeyEnabled(true);
        QVERIFY(hk->HotKeyEnabled());
        QVERIFY(!other->HotKeyEnabled());
        QCOMPARE(t->messageBox.messages, std::vector<RecordedMessage>{Conflict});
        QCOMPARE(other->Text(), QStringLiteral("无"));
        QCOMPARE(other->KeyCode(), 0);
        QCOMPARE(other->ModKeyCode(), 0);
        // The first keeps working, and only it hears the press.
        QSignalSpy first(hk, &RKHotKey::HotKeyPressed);
        QSignalSpy second(other, &RKHotKey::HotKeyPressed);
        QVERIFY(t->fake.hotkeys->press(Combination{65, 2}));
        QCOMPARE(first.count(), 1);
        QCOMPARE(second.count(), 0);
    }

    void aCombinationHeldByAnotherProgramIsRefused()
    {
        t->fake.hotkeys->takenElsewhere.insert(Combination{112, 2});
        record(hk, "+Ctrl +F1 -F1 -Ctrl");
        hk->setHotKeyEnabled(true);
        QVERIFY(!hk->HotKeyEnabled());
        QCOMPARE(t->messageBox.messages, std::vector<RecordedMessage>{Conflict});
        QCOMPARE(hk->Text(), QStringLiteral("无"));
        QCOMPARE(hk->KeyCode(), 0);
        QCOMPARE(hk->ModKeyCode(), 0);
        QCOMPARE(t->fake.hotkeys->heldCount(), size_t(0));
    }

    void aRegistrationThatFailsWithoutAConflictSaysSoAndClears()
    {
        t->fake.hotkeys->unavailable.insert(Combination{112, 2});
        record(hk, "+Ctrl +F1 -F1 -Ctrl");
        hk->setHotKeyEnabled(true);
        QVERIFY(!hk->HotKeyEnabled());
        const RecordedMessage unusable{QStringLiteral("该热键无法在本系统上使用，请换一个热键。"), 16, QStringLiteral("错误")};
        QCOMPARE(t->messageBox.messages, std::vector<RecordedMessage>{unusable});
        QCOMPARE(hk->Text(), QStringLiteral("无"));
        QCOMPARE(hk->KeyCode(), 0);
    }

    void threeControlsKeepTheirOwnRegistrations()
    {
        RKHotKey* two = make(QStringLiteral("RKHotKey2"));
        RKHotKey* three = make(QStringLiteral("RKHotKey3"));
        record(hk, "+F1");
        record(two, "+F2");
        record(three, "+F3");
        for (RKHotKey* c : {hk, two, three})
            c->setHotKeyEnabled(true);
        QCOMPARE(t->fake.hotkeys->heldCount(), size_t(3));
        QSignalSpy s2(two, &RKHotKey::HotKeyPressed);
        QSignalSpy s3(three, &RKHotKey::HotKeyPressed);
        QVERIFY(t->fake.hotkeys->press(Combination{113, 0}));
        QCOMPARE(s2.count(), 1);
        QCOMPARE(s3.count(), 0);
    }

    void reRecordingWhileEnabledUnregisters()
    {
        record(hk, "+Ctrl +A -A -Ctrl");
        hk->setHotKeyEnabled(true);
        record(hk, "+F5");
        QVERIFY(!hk->HotKeyEnabled());
        QCOMPARE(t->fake.hotkeys->calls.back().kind, Call::Unregister);
        QCOMPARE(t->fake.hotkeys->heldCount(), size_t(0));
        QCOMPARE(hk->Text(), QStringLiteral("F5"));
        QCOMPARE(hk->KeyCode(), 116);
    }

    void theRegistrationEndsWithTheControl()
    {
        record(hk, "+F9");
        hk->setHotKeyEnabled(true);
        QCOMPARE(t->fake.hotkeys->heldCount(), size_t(1));
        delete hk;
        QCOMPARE(t->fake.hotkeys->heldCount(), size_t(0));
        QVERIFY(!t->fake.hotkeys->press(Combination{120, 0}));
    }

    void aDesignerNeverRegisters()
    {
        RKHotKey* designed = makeHotKey(*t, QStringLiteral("RKHotKey9"), {}, false, host.get());
        record(designed, "+F5");
        designed->setHotKeyEnabled(true);
        QVERIFY(!designed->HotKeyEnabled());
        QVERIFY(t->fake.hotkeys->calls.empty());
        QVERIFY(t->messageBox.messages.empty());
    }
};

QTEST_MAIN(HotkeyRecorderTest)
#include "hotkey_recorder_test.moc"
