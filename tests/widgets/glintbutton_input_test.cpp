// The styled button's input: the state machine as one table of input
// sequences, option buttons and their containers, the arrow keys, access
// keys and the popup menu.
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "controls/button/glintbutton.h"
#include "runtime/screen_pixels.h"
#include "runtime/virtual_keys.h"
#include "support/test_services.h"

using namespace glint;

class GlintbuttonInputTest : public QObject {
    Q_OBJECT

    struct Fixture {
        TestServices t;
        QWidget window;
        QStringList events;
        Glintbutton* button = make(&window, {10, 10, 80, 25});

        Fixture()
        {
            window.setGeometry(200, 150, 400, 300);
            window.show();
            window.activateWindow();
        }
        Glintbutton* make(QWidget* parent, QRect geometry)
        {
            auto* b = new Glintbutton(t.services, parent);
            b->setGeometry(geometry);
            b->initProperties();
            b->setButtonStyle(2); // a checked button draws pressed
            const auto log = [this](const QString& e) { events << e; };
            connect(b, &Glintbutton::Click, [log] { log("Click"); });
            connect(b, &Glintbutton::DblClick, [log] { log("DblClick"); });
            connect(b, &Glintbutton::MouseEnter, [log] { log("MouseEnter"); });
            connect(b, &Glintbutton::MouseDown, [log](int16_t& n, int16_t&, float&, float&) { log(QString("MouseDown(%1)").arg(n)); });
            connect(b, &Glintbutton::MouseUp, [log](int16_t& n, int16_t&, float&, float&) { log(QString("MouseUp(%1)").arg(n)); });
            connect(b, &Glintbutton::KeyDown, [log](int16_t& k, int16_t&) { log(QString("KeyDown(%1)").arg(k)); });
            connect(b, &Glintbutton::KeyUp, [log](int16_t& k, int16_t&) { log(QString("KeyUp(%1)").arg(k)); });
            connect(b, &Glintbutton::KeyPress, [log](int16_t& k) { log(QString("KeyPress(%1)").arg(k)); });
            return b;
        }
        // A mouse event at a point of the button, with the cursor there too.
        void mouse(QEvent::Type type, Qt::MouseButton which, QPoint at)
        {
            const QPoint screen = rt::toScreenPixels(*button, button->mapToGlobal(at));
            t.fake.input->cursor = {screen.x(), screen.y()};
            QMouseEvent e(type, at, button->mapToGlobal(at), which, type == QEvent::MouseButtonRelease ? Qt::NoButton : which,
                          Qt::NoModifier);
            QCoreApplication::sendEvent(button, &e);
        }
        void key(QEvent::Type type, int qtKey, const QString& text, Qt::KeyboardModifiers m = {}, bool repeat = false)
        {
            QKeyEvent e(type, qtKey, m, text, repeat);
            QCoreApplication::sendEvent(button, &e);
        }
        // Plays inputs written as words: "over" (a move to 40,12), "off" (to
        // 200,12), "arrive" (an enter without a move), "press", "release" (at 40,12 unless "@x,y" follows),
        // "rpress", "rrelease", "dbl", "space", "spaceup", "repeat" and
        // "repeatup" (of space), "altspace", "enter", "a", "aup", "focusout",
        // "access:<code>".
        void play(const QString& steps)
        {
            for (const QString& word : steps.split(u' ', Qt::SkipEmptyParts)) {
                const QStringList parts = word.split(u'@');
                const QStringList xy = parts.value(1, "40,12").split(u',');
                const QPoint at(xy[0].toInt(), xy[1].toInt());
                const QString w = parts[0];
                if (w == "over" || w == "off") mouse(QEvent::MouseMove, Qt::NoButton, w == "over" ? at : QPoint(200, 12));
                else if (w == "arrive") {
                    const QPoint screen = rt::toScreenPixels(*button, button->mapToGlobal(at));
                    t.fake.input->cursor = {screen.x(), screen.y()};
                    QEnterEvent e(at, at, button->mapToGlobal(at));
                    QCoreApplication::sendEvent(button, &e);
                }
                else if (w == "press") mouse(QEvent::MouseButtonPress, Qt::LeftButton, at);
                else if (w == "release") mouse(QEvent::MouseButtonRelease, Qt::LeftButton, at);
                else if (w == "rpress") mouse(QEvent::MouseButtonPress, Qt::RightButton, at);
                else if (w == "rrelease") mouse(QEvent::MouseButtonRelease, Qt::RightButton, at);
                else if (w == "dbl") mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, at);
                else if (w == "space" || w == "repeat") key(QEvent::KeyPress, Qt::Key_Space, " ", {}, w == "repeat");
                else if (w == "spaceup" || w == "repeatup") key(QEvent::KeyRelease, Qt::Key_Space, " ", {}, w == "repeatup");
                else if (w == "altspace") key(QEvent::KeyPress, Qt::Key_Space, " ", Qt::AltModifier);
                else if (w == "enter") key(QEvent::KeyPress, Qt::Key_Return, "\r");
                else if (w == "a" || w == "aup") key(w == "a" ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_A, "a");
                else if (w == "focusout") { QFocusEvent e(QEvent::FocusOut); QCoreApplication::sendEvent(button, &e); }
                else if (w.startsWith("access:")) button->AccessKeyPress(int16_t(w.mid(7).toInt()));
                else QFAIL(qPrintable("unknown step " + w));
            }
        }
    };

private slots:
    // Each row: a fresh button in a mode with a value, its inputs, and then
    // ButtonState, Value and the events raised in order.
    void stateMachine()
    {
        const struct {
            int32_t mode;
            bool value;
            const char* steps;
            int32_t state;
            bool valueAfter;
            const char* events;
        } rows[] = {
            {ModePush, false, "over over", StateHot, false, "MouseEnter MouseEnter"},
            {ModePush, false, "arrive", StateHot, false, "MouseEnter"},
            {ModePush, false, "over off", StateNormal, false, "MouseEnter"},
            {ModePush, false, "over press release", StateNormal, false, "MouseEnter MouseDown(1) Click MouseUp(1)"},
            {ModePush, false, "press release@0,12", StateDown, false, "MouseDown(1) MouseUp(1)"},
            {ModePush, false, "press release@40,0", StateDown, false, "MouseDown(1) MouseUp(1)"},
            {ModePush, false, "press release@80,12", StateDown, false, "MouseDown(1) MouseUp(1)"},
            {ModePush, false, "press release@1,1", StateNormal, false, "MouseDown(1) Click MouseUp(1)"},
            {ModePush, false, "press off", StateNormal, false, "MouseDown(1)"},
            {ModePush, false, "press off over", StateDown, false, "MouseDown(1) MouseEnter"},
            {ModePush, false, "press off release@200,12", StateNormal, false, "MouseDown(1) MouseUp(1)"},
            {ModePush, false, "over rpress rrelease", StateHot, false, "MouseEnter MouseUp(2)"},
            {ModePush, false, "press release dbl release", StateNormal, false,
             "MouseDown(1) Click MouseUp(1) MouseDown(1) DblClick Click MouseUp(1)"},
            // Qt's own order: the second press comes before its double click.
            {ModePush, false, "press release press dbl release", StateNormal, false,
             "MouseDown(1) Click MouseUp(1) MouseDown(1) DblClick Click MouseUp(1)"},
            {ModeCheck, false, "press release", StateDown, true, "MouseDown(1) Click MouseUp(1)"},
            {ModeCheck, true, "press release", StateNormal, false, "MouseDown(1) Click MouseUp(1)"},
            {ModeOption, false, "press release", StateDown, true, "MouseDown(1) Click MouseUp(1)"},
            {ModeCheck, false, "enter", StateNormal, false, "Click KeyDown(13) KeyPress(13)"},
            {ModePush, false, "space", StateDown, false, "KeyDown(32) KeyPress(32)"},
            {ModePush, false, "over space spaceup", StateHot, false, "MouseEnter KeyDown(32) KeyPress(32) Click KeyUp(32)"},
            {ModeCheck, false, "space repeatup repeat repeatup repeat spaceup", StateDown, true,
             "KeyDown(32) KeyPress(32) KeyDown(32) KeyPress(32) KeyDown(32) KeyPress(32) Click KeyUp(32)"},
            {ModePush, false, "space a spaceup", StateNormal, false, "KeyDown(32) KeyPress(32) KeyDown(65) KeyPress(97) KeyUp(32)"},
            {ModePush, false, "altspace", StateNormal, false, ""},
            {ModePush, false, "a aup", StateNormal, false, "KeyDown(65) KeyPress(97)"},
            {ModePush, false, "over press space spaceup release", StateNormal, false,
             "MouseEnter MouseDown(1) KeyDown(32) KeyPress(32) KeyUp(32) Click MouseUp(1)"},
            {ModePush, false, "space focusout spaceup", StateNormal, false, "KeyDown(32) KeyPress(32) KeyUp(32)"},
            {ModePush, false, "over press focusout", StateHot, false, "MouseEnter MouseDown(1)"},
            {ModePush, false, "access:115 access:13 access:27", StateNormal, false, "Click Click Click"},
            {ModeCheck, false, "access:115", StateDown, true, "Click"},
            {ModeCheck, true, "access:115", StateNormal, false, "Click"},
            {ModeCheck, false, "access:13 access:27", StateNormal, false, ""},
            {ModeOption, false, "access:27 access:115", StateDown, true, "Click"},
        };
        for (const auto& row : rows) {
            Fixture f;
            QVERIFY(QTest::qWaitForWindowActive(&f.window));
            f.button->setMode(row.mode);
            f.button->setValue(row.value);
            f.play(row.steps);
            const QString got = QString("%1: %2 %3 %4").arg(row.steps).arg(f.button->ButtonState()).arg(f.button->Value());
            QCOMPARE(got.arg(f.events.join(' ')), QString("%1: %2 %3 %4").arg(row.steps).arg(row.state).arg(row.valueAfter).arg(row.events));
        }
    }

    // An option button clears the option buttons of its own container only.
    void optionButtonsClearOnlyTheirOwnContainer()
    {
        Fixture f;
        QWidget* other = new QWidget(&f.window);
        Glintbutton* sibling = f.make(&f.window, {10, 40, 80, 25});
        Glintbutton* check = f.make(&f.window, {10, 70, 80, 25});
        Glintbutton* elsewhere = f.make(other, {0, 0, 80, 25});
        for (Glintbutton* b : {f.button, sibling, elsewhere})
            b->setMode(ModeOption);
        check->setMode(ModeCheck);
        for (Glintbutton* b : {sibling, check, elsewhere})
            b->setValue(true);
        f.play("press release");
        QCOMPARE((QList<bool>{f.button->Value(), sibling->Value(), check->Value(), elsewhere->Value()}),
                 (QList<bool>{true, false, true, true}));
        QCOMPARE(sibling->ButtonState(), int32_t(StateNormal));
    }

    // The arrow keys move the focus like Tab and Shift+Tab and still raise KeyDown.
    void arrowKeysMoveTheFocus()
    {
        const struct {
            int qtKey;
            int row;
        } rows[] = {{Qt::Key_Left, 0}, {Qt::Key_Up, 0}, {Qt::Key_Right, 2}, {Qt::Key_Down, 2}};
        for (const auto& r : rows) {
            Fixture f;
            QVERIFY(QTest::qWaitForWindowActive(&f.window));
            Glintbutton* buttons[] = {f.button, f.make(&f.window, {10, 40, 80, 25}), f.make(&f.window, {10, 70, 80, 25})};
            for (Glintbutton* b : buttons)
                b->show();
            f.button = buttons[1];
            f.button->setFocus();
            QTRY_VERIFY(f.button->hasFocus());
            f.key(QEvent::KeyPress, r.qtKey, {});
            QTRY_VERIFY(buttons[r.row]->hasFocus());
            QCOMPARE(f.events, QStringList{QString("KeyDown(%1)").arg(rt::virtualKeyOf(QKeyEvent(QEvent::KeyPress, r.qtKey, {})))});
        }
    }

    // The caption's "&" marks the access key, "&&" is an ampersand; Alt with
    // the key clicks the button while it is enabled.
    void accessKeyFromTheCaption()
    {
        const char* rows[][2] = {{"&Save", "s"}, {"Save && Exit", ""}, {"A&&B &C", "c"}, {"a", ""}, {"&", ""},
                                 {"&&", ""},     {"Go&", ""},          {"A&&B&&C", ""},  {"A&&B&", ""}};
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        for (const auto& row : rows) {
            f.button->setCaption(row[0]);
            QCOMPARE(f.button->AccessKeys(), QString(row[1]));
        }
        rt::PropertyBag bag;
        bag.writeString("Caption", "&Open", QString());
        f.button->readProperties(bag);
        QCOMPARE(f.button->AccessKeys(), QString("o"));

        QTest::keyClick(&f.window, Qt::Key_O, Qt::AltModifier);
        QTest::keyClick(&f.window, Qt::Key_S, Qt::AltModifier); // the old caption's key
        f.button->setEnabled(false);
        QTest::keyClick(&f.window, Qt::Key_O, Qt::AltModifier);
        QCOMPARE(f.events, QStringList{"Click"});
    }

    // The menu opens where Align puts it (an unknown Align shows none), the
    // flags Align changes are kept, the default item is the menu's default
    // action while it is open, and the press raises no event.
    void popupMenuOpensWhereAlignPutsIt()
    {
        // corner: the button's corner as (right?, bottom?); edge: the menu's edge on it.
        const struct {
            int32_t align, flags, flagsAfter;
            QPoint corner, edge;
        } rows[] = {{0, 0, 0, {0, 1}, {0, 0}},    {1, 0x4, 0x20, {0, 0}, {0, 1}}, {2, 0, 0x8, {0, 0}, {1, 0}},
                    {3, 0, 0, {1, 0}, {0, 0}},    {4, 0, 0x28, {0, 0}, {1, 1}},   {5, 0, 0x8, {0, 1}, {1, 0}},
                    {6, 0x8, 0x20, {1, 0}, {0, 1}}, {7, 0, 0, {1, 1}, {0, 0}},    {8, 0x4, 0x4, {}, {}}};
        for (const auto& row : rows) {
            Fixture f;
            f.button->setGeometry(150, 120, 80, 25);
            QMenu menu;
            menu.addAction("One");
            QAction* preferred = menu.addAction("Two");
            f.button->SetPopupMenu(&menu, row.align, row.flags, preferred);
            QRect shown;
            QAction* defaultWhileOpen = nullptr;
            connect(&menu, &QMenu::aboutToShow, &menu, [&] {
                defaultWhileOpen = menu.defaultAction();
                QTimer::singleShot(0, &menu, [&] { shown = menu.geometry(); menu.close(); });
            });
            f.play("press");
            const QRect b(f.button->mapToGlobal(QPoint(0, 0)), f.button->size());
            const QPoint expected(b.x() + row.corner.x() * b.width() - row.edge.x() * shown.width(),
                                  b.y() + row.corner.y() * b.height() - row.edge.y() * shown.height());
            QCOMPARE(shown.isValid() ? shown.topLeft() : QPoint(), row.align < 8 ? expected : QPoint());
            QCOMPARE(f.button->popupFlags(), row.flagsAfter);
            QCOMPARE(defaultWhileOpen, row.align < 8 ? preferred : nullptr);
            QCOMPARE(menu.defaultAction(), nullptr);
            QCOMPARE(f.events, QStringList());
        }
    }

    // The menu closed with the cursor over the button: the next press does
    // not open it, the one after does; closed elsewhere: the button is normal
    // at once. The mouse raises no event while a menu is attached, Enter and
    // the space bar still click.
    void menuClosedOverTheButtonSuppressesTheNextPress()
    {
        Fixture f;
        QMenu menu;
        menu.addAction("One");
        f.button->SetPopupMenu(&menu, 0);
        int shows = 0;
        bool closeAway = false;
        connect(&menu, &QMenu::aboutToShow, &menu, [&] {
            ++shows;
            QTimer::singleShot(0, &menu, [&] {
                if (closeAway)
                    f.t.fake.input->cursor = {0, 0};
                menu.close();
            });
        });
        f.play("press"); // its release goes to the menu
        QVERIFY(f.button->MenuSuppress());
        f.play("press");
        QCOMPARE(shows, 1);
        f.play("release press");
        QCOMPARE(shows, 2);

        closeAway = true;
        f.play("release press");
        QCOMPARE(shows, 3);
        QVERIFY(!f.button->MenuSuppress() && !f.button->MenuOpen() && !f.button->LeftDown());
        QCOMPARE(f.button->ButtonState(), int32_t(StateNormal));
        f.play("enter space spaceup");
        QCOMPARE(f.events.filter("Click"), (QStringList{"Click", "Click"}));

        f.button->UnsetPopupMenu();
        f.events.clear();
        f.play("press release");
        QCOMPARE(f.events, (QStringList{"MouseDown(1)", "Click", "MouseUp(1)"}));
    }
};

QTEST_MAIN(GlintbuttonInputTest)
#include "glintbutton_input_test.moc"
