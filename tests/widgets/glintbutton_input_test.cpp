// The styled button's input: the state machine as one table of input
// sequences, option buttons, the arrow keys, access keys and the popup menu.
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
        // Each time it shows, the menu logs "Menu" and closes at once, over the
        // button unless "away" says the pointer has gone elsewhere.
        QMenu menu;
        QAction* preferred = (menu.addAction("One"), menu.addAction("Two"));
        QAction* defaultWhileOpen = nullptr;
        QRect shown;
        bool away = false;

        Fixture()
        {
            connect(&menu, &QMenu::aboutToShow, &menu, [this] {
                events << "Menu";
                defaultWhileOpen = menu.defaultAction();
                QTimer::singleShot(0, &menu, [this] {
                    shown = menu.geometry();
                    if (away)
                        t.fake.input->cursor = {0, 0};
                    menu.close();
                });
            });
            window.setGeometry(200, 150, 400, 300);
            window.show();
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
        }
        Glintbutton* make(QWidget* parent, QRect geometry)
        {
            auto* b = new Glintbutton(t.services, parent);
            b->setGeometry(geometry);
            b->initProperties();
            b->setButtonStyle(2); // a checked button draws pressed
            const auto log = [this](const char* name, int n = -1) { events << (n < 0 ? name : QString("%1(%2)").arg(name).arg(n)); };
            connect(b, &Glintbutton::Click, [log] { log("Click"); });
            connect(b, &Glintbutton::DblClick, [log] { log("DblClick"); });
            connect(b, &Glintbutton::MouseEnter, [log] { log("MouseEnter"); });
            connect(b, &Glintbutton::MouseLeave, [log] { log("MouseLeave"); });
            connect(b, &Glintbutton::MouseDown, [log](int16_t& n) { log("MouseDown", n); });
            connect(b, &Glintbutton::MouseUp, [log](int16_t& n) { log("MouseUp", n); });
            connect(b, &Glintbutton::KeyDown, [log](int16_t& k) { log("KeyDown", k); });
            connect(b, &Glintbutton::KeyUp, [log](int16_t& k) { log("KeyUp", k); });
            connect(b, &Glintbutton::KeyPress, [log](int16_t& k) { log("KeyPress", k); });
            return b;
        }
        template <typename E, typename... A> void send(A&&... args)
        {
            E e(std::forward<A>(args)...);
            QCoreApplication::sendEvent(button, &e);
        }
        // A mouse event at a point of the button, with the cursor there too.
        void mouse(QEvent::Type type, Qt::MouseButton which, QPoint at)
        {
            const QPoint screen = rt::toScreenPixels(*button, button->mapToGlobal(at));
            t.fake.input->cursor = {screen.x(), screen.y()};
            if (type == QEvent::Enter)
                return send<QEnterEvent>(at, at, button->mapToGlobal(at));
            send<QMouseEvent>(type, at, button->mapToGlobal(at), which, type == QEvent::MouseButtonRelease ? Qt::NoButton : which,
                              Qt::NoModifier);
        }
        // Plays inputs written as words: "over" (a move to 40,12, or to x,y
        // after "@"), "off" (to 200,12), "arrive" (an enter without a move),
        // "press", "release", "rpress", "rrelease", "dbl", "space", "spaceup",
        // "repeat" and "repeatup" (of space), "altspace", "enter", "a", "aup",
        // "ü" (of a German layout), "focusout", "leave", "disable", "enable",
        // "access:<code>", "menu" (attached, opening below), "nomenu" and "away".
        void play(const QString& steps)
        {
            for (const QString& word : steps.split(u' ', Qt::SkipEmptyParts)) {
                const QStringList parts = word.split(u'@'), xy = parts.value(1, "40,12").split(u',');
                const QPoint at(xy[0].toInt(), xy[1].toInt());
                const QString w = parts[0];
                const auto space = [&](QEvent::Type type, Qt::KeyboardModifiers m = {}) {
                    send<QKeyEvent>(type, Qt::Key_Space, m, " ", w.startsWith("repeat"));
                };
                if (w == "over" || w == "off") mouse(QEvent::MouseMove, Qt::NoButton, w == "over" ? at : QPoint(200, 12));
                else if (w == "arrive") mouse(QEvent::Enter, Qt::NoButton, at);
                else if (w == "press" || w == "rpress") mouse(QEvent::MouseButtonPress, w == "press" ? Qt::LeftButton : Qt::RightButton, at);
                else if (w == "release" || w == "rrelease") mouse(QEvent::MouseButtonRelease, w == "release" ? Qt::LeftButton : Qt::RightButton, at);
                else if (w == "dbl") mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, at);
                else if (w == "space" || w == "repeat") space(QEvent::KeyPress);
                else if (w == "spaceup" || w == "repeatup") space(QEvent::KeyRelease);
                else if (w == "altspace") space(QEvent::KeyPress, Qt::AltModifier);
                else if (w == "enter") send<QKeyEvent>(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
                else if (w == "a" || w == "aup") send<QKeyEvent>(w == "a" ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a");
                else if (w == "ü") send<QKeyEvent>(QEvent::KeyPress, Qt::Key_Udiaeresis, Qt::NoModifier, 26, 0, 0, "ü"); // where "[" is
                else if (w == "disable" || w == "enable") button->setEnabled(w == "enable");
                else if (w == "focusout") send<QFocusEvent>(QEvent::FocusOut);
                else if (w == "leave") send<QEvent>(QEvent::Leave);
                else if (w == "menu") button->SetPopupMenu(&menu, 0);
                else if (w == "nomenu") button->UnsetPopupMenu();
                else if (w == "away") away = true;
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
            {ModePush, false, "ü", StateNormal, false, "KeyDown(219) KeyPress(252)"},
            {ModePush, false, "over press space spaceup release", StateNormal, false,
             "MouseEnter MouseDown(1) KeyDown(32) KeyPress(32) KeyUp(32) Click MouseUp(1)"},
            // Space under a held left button only follows the pointer: no toggle.
            {ModeCheck, false, "press off space", StateNormal, false, "MouseDown(1) KeyDown(32) KeyPress(32)"},
            {ModePush, false, "space focusout spaceup", StateNormal, false, "KeyDown(32) KeyPress(32) KeyUp(32)"},
            {ModePush, false, "over press focusout", StateHot, false, "MouseEnter MouseDown(1)"},
            // A disabled button does not hear the pointer, and is normal under it.
            {ModePush, false, "over disable arrive", StateNormal, false, "MouseEnter"},
            {ModePush, false, "disable arrive leave", StateNormal, false, ""},
            {ModePush, false, "access:115 access:13 access:27", StateNormal, false, "Click Click Click"},
            {ModeCheck, false, "access:115", StateDown, true, "Click"},
            {ModeCheck, true, "access:115", StateNormal, false, "Click"},
            {ModeCheck, false, "access:13 access:27", StateNormal, false, ""},
            {ModeOption, false, "access:27 access:115", StateDown, true, "Click"},
            // A menu closed over the button keeps the next press from opening
            // it; closed elsewhere, the button is normal at once. The mouse
            // raises no event while a menu is attached; Enter and space click.
            {ModePush, false, "menu press press release press", StateDown, false, "Menu Menu"},
            {ModePush, false, "menu away press", StateNormal, false, "Menu"},
            {ModePush, false, "menu away press press over", StateHot, false, "Menu Menu MouseEnter"},
            {ModePush, false, "menu away press over leave", StateNormal, false, "Menu MouseEnter MouseLeave"},
            // The menu is closed once its call returns, whether a leave came or not.
            {ModePush, false, "menu press release over leave press", StateDown, false, "Menu MouseEnter MouseLeave Menu"},
            {ModePush, false, "menu enter space spaceup", StateNormal, false,
             "Click KeyDown(13) KeyPress(13) KeyDown(32) KeyPress(32) Click KeyUp(32)"},
            {ModePush, false, "menu nomenu press release", StateNormal, false, "MouseDown(1) Click MouseUp(1)"},
        };
        for (const auto& row : rows) {
            Fixture f;
            f.button->setMode(row.mode);
            f.button->setValue(row.value);
            f.play(row.steps);
            const QString got = QString("%1: %2 %3 %4").arg(row.steps).arg(f.button->ButtonState()).arg(f.button->Value());
            QCOMPARE(got.arg(f.events.join(' ')), QString("%1: %2 %3 %4").arg(row.steps).arg(row.state).arg(row.valueAfter).arg(row.events));
        }
    }

    // An option button clears the option buttons of its own container only;
    // the arrow keys move the focus like Tab and Shift+Tab and still raise KeyDown.
    void optionButtonsAndArrowKeys()
    {
        Fixture f;
        Glintbutton* sibling = f.make(&f.window, {10, 40, 80, 25});
        Glintbutton* check = f.make(&f.window, {10, 70, 80, 25});
        Glintbutton* elsewhere = f.make(new QWidget(&f.window), {0, 0, 80, 25});
        for (Glintbutton* b : {f.button, sibling, check, elsewhere})
            b->setMode(b == check ? ModeCheck : ModeOption), b->setValue(b != f.button), b->show();
        f.play("press release");
        QCOMPARE((QList<bool>{f.button->Value(), sibling->Value(), check->Value(), elsewhere->Value()}),
                 (QList<bool>{true, false, true, true}));
        QCOMPARE(sibling->ButtonState(), int32_t(StateNormal));

        const std::pair<int, Glintbutton*> rows[] = {{Qt::Key_Left, f.button}, {Qt::Key_Up, f.button}, {Qt::Key_Right, check}, {Qt::Key_Down, check}};
        for (const auto& [qtKey, next] : rows) {
            f.button = sibling;
            sibling->setFocus();
            QTRY_VERIFY(sibling->hasFocus());
            f.events.clear();
            f.send<QKeyEvent>(QEvent::KeyPress, qtKey, Qt::NoModifier);
            QTRY_VERIFY(next->hasFocus());
            QCOMPARE(f.events, QStringList{QString("KeyDown(%1)").arg(rt::virtualKeyOf(QKeyEvent(QEvent::KeyPress, qtKey, {})))});
        }
    }

    // The caption's "&" marks the access key, "&&" is an ampersand; Alt with
    // the key clicks the button while it is enabled.
    void accessKeyFromTheCaption()
    {
        const char* rows[][2] = {{"&Save", "s"}, {"Save && Exit", ""}, {"A&&B &C", "c"}, {"a", ""}, {"&", ""},
                                 {"&&", ""},     {"Go&", ""},          {"A&&B&&C", ""},  {"A&&B&", ""}};
        Fixture f;
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
    // action while it is open.
    void popupMenuOpensWhereAlignPutsIt()
    {
        // corner: the button's corner as (right?, bottom?); edge: the menu's edge on it.
        const struct {
            int32_t align, flags, flagsAfter;
            QPoint corner;
            QPointF edge;
        } rows[] = {{0, 0, 0, {0, 1}, {0, 0}},    {1, 0x4, 0x20, {0, 0}, {0, 1}}, {2, 0, 0x8, {0, 0}, {1, 0}},
                    {3, 0, 0, {1, 0}, {0, 0}},    {4, 0, 0x28, {0, 0}, {1, 1}},   {5, 0, 0x8, {0, 1}, {1, 0}},
                    {6, 0x8, 0x20, {1, 0}, {0, 1}}, {7, 0, 0, {1, 1}, {0, 0}},    {8, 0x4, 0x4, {}, {}},
                    {0, 0x4, 0x4, {0, 1}, {0.5, 0}}}; // centred on the button's left edge
        for (const auto& row : rows) {
            Fixture f;
            f.button->setGeometry(150, 120, 80, 25);
            f.button->SetPopupMenu(&f.menu, row.align, row.flags, f.preferred);
            f.play("press");
            const QRect b(f.button->mapToGlobal(QPoint(0, 0)), f.button->size());
            const QPoint expected(b.x() + row.corner.x() * b.width() - int(row.edge.x() * f.shown.width()),
                                  b.y() + row.corner.y() * b.height() - int(row.edge.y() * f.shown.height()));
            QCOMPARE(f.shown.isValid() ? f.shown.topLeft() : QPoint(), row.align < 8 ? expected : QPoint());
            QCOMPARE(f.button->popupFlags(), row.flagsAfter);
            QCOMPARE(f.defaultWhileOpen, row.align < 8 ? f.preferred : nullptr);
            QCOMPARE(f.menu.defaultAction(), nullptr);
        }
    }
};

QTEST_MAIN(GlintbuttonInputTest)
#include "glintbutton_input_test.moc"
