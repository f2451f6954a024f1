// The styled button's input: the state machine as one table of input
// sequences, option buttons and their containers, the arrow keys, access
// keys and the popup menu.
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "controls/button/glintbutton.h"
#include "runtime/screen_pixels.h"
#include "support/test_services.h"

using namespace glint;

namespace {

enum Op { Move, Press, Release, RightPress, RightRelease, DoubleClick, Key, KeyRepeat, KeyUpRepeat, KeyUp, FocusOut };

// One input: a mouse event at (x, y) in the button's pixels (the cursor is
// there too), or a key press or release of a Qt key with its modifiers.
struct Step {
    Op op;
    int x = 0;
    int y = 0;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

Step at(Op op, int x, int y) { return {op, x, y}; }
Step key(Op op, int qtKey, Qt::KeyboardModifiers m = Qt::NoModifier) { return {op, qtKey, 0, m}; }

const Step over = at(Move, 40, 12);
const Step off = at(Move, 200, 12);
const Step press = at(Press, 40, 12);
const Step release = at(Release, 40, 12);
const Step space = key(Key, Qt::Key_Space);
const Step spaceUp = key(KeyUp, Qt::Key_Space);

QString textOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Space: return QStringLiteral(" ");
    case Qt::Key_Return: return QStringLiteral("\r");
    case Qt::Key_A: return QStringLiteral("a");
    default: return {};
    }
}

} // namespace

class GlintbuttonInputTest : public QObject {
    Q_OBJECT

    struct Fixture {
        TestServices t;
        QWidget window;
        QStringList events;
        Glintbutton* button;

        Fixture() : button(make(&window, QStringLiteral("Glintbutton1"), {10, 10, 80, 25}))
        {
            window.resize(400, 300);
            window.show();
            window.activateWindow();
        }
        Glintbutton* make(QWidget* parent, const QString& name, QRect geometry)
        {
            auto* b = new Glintbutton(t.services, parent);
            b->setAmbient({true, name, QFont(QStringLiteral("DejaVu Sans"), 9), false});
            b->setGeometry(geometry);
            b->initProperties();
            record(b);
            return b;
        }
        void record(Glintbutton* b)
        {
            const auto log = [this](const QString& e) { events << e; };
            connect(b, &Glintbutton::Click, [log] { log(QStringLiteral("Click")); });
            connect(b, &Glintbutton::DblClick, [log] { log(QStringLiteral("DblClick")); });
            connect(b, &Glintbutton::MouseEnter, [log] { log(QStringLiteral("MouseEnter")); });
            connect(b, &Glintbutton::MouseDown, [log](int16_t& button, int16_t&, float&, float&) {
                log(QStringLiteral("MouseDown(%1)").arg(button));
            });
            connect(b, &Glintbutton::MouseUp, [log](int16_t& button, int16_t&, float&, float&) {
                log(QStringLiteral("MouseUp(%1)").arg(button));
            });
            connect(b, &Glintbutton::KeyDown, [log](int16_t& k, int16_t& s) { log(QStringLiteral("KeyDown(%1,%2)").arg(k).arg(s)); });
            connect(b, &Glintbutton::KeyUp, [log](int16_t& k, int16_t&) { log(QStringLiteral("KeyUp(%1)").arg(k)); });
            connect(b, &Glintbutton::KeyPress, [log](int16_t& k) { log(QStringLiteral("KeyPress(%1)").arg(k)); });
        }
        void cursorAt(QPoint local)
        {
            const QPoint screen = rt::toScreenPixels(*button, button->mapToGlobal(local));
            t.fake.input->cursor = {screen.x(), screen.y()};
        }
        void mouse(QEvent::Type type, Qt::MouseButton which, QPoint local)
        {
            cursorAt(local);
            const Qt::MouseButtons held = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove ? Qt::NoButton : which;
            QMouseEvent e(type, QPointF(local), QPointF(button->mapToGlobal(local)), which, held, Qt::NoModifier);
            QCoreApplication::sendEvent(button, &e);
        }
        void keyEvent(QEvent::Type type, int qtKey, Qt::KeyboardModifiers m, bool repeat)
        {
            QKeyEvent e(type, qtKey, m, textOf(qtKey), repeat);
            QCoreApplication::sendEvent(button, &e);
        }
        void run(const Step& s)
        {
            const QPoint p(s.x, s.y);
            switch (s.op) {
            case Move: mouse(QEvent::MouseMove, Qt::NoButton, p); break;
            case Press: mouse(QEvent::MouseButtonPress, Qt::LeftButton, p); break;
            case Release: mouse(QEvent::MouseButtonRelease, Qt::LeftButton, p); break;
            case RightPress: mouse(QEvent::MouseButtonPress, Qt::RightButton, p); break;
            case RightRelease: mouse(QEvent::MouseButtonRelease, Qt::RightButton, p); break;
            case DoubleClick: mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, p); break;
            case Key: keyEvent(QEvent::KeyPress, s.x, s.modifiers, false); break;
            case KeyRepeat: keyEvent(QEvent::KeyPress, s.x, s.modifiers, true); break;
            case KeyUpRepeat: keyEvent(QEvent::KeyRelease, s.x, s.modifiers, true); break;
            case KeyUp: keyEvent(QEvent::KeyRelease, s.x, s.modifiers, false); break;
            case FocusOut: {
                QFocusEvent e(QEvent::FocusOut, Qt::OtherFocusReason);
                QCoreApplication::sendEvent(button, &e);
                break;
            }
            }
        }
    };

private slots:
    // Each row starts a fresh button (style 2, so checked buttons draw pressed)
    // in a mode and with a value, plays the inputs and compares the state,
    // Value and the events raised in order.
    void stateMachine()
    {
        const struct {
            const char* name;
            int32_t mode;
            bool value;
            std::vector<Step> steps;
            int32_t state;
            bool valueAfter;
            QStringList events;
        } rows[] = {
            {"move over turns hot", ModePush, false, {over}, StateHot, false, {"MouseEnter"}},
            {"MouseEnter on every move", ModePush, false, {over, over}, StateHot, false, {"MouseEnter", "MouseEnter"}},
            {"move off turns normal", ModePush, false, {over, off}, StateNormal, false, {"MouseEnter"}},
            {"press shows down", ModePush, false, {over, press}, StateDown, false, {"MouseEnter", "MouseDown(1)"}},
            {"click inside", ModePush, false, {over, press, release}, StateNormal, false,
             {"MouseEnter", "MouseDown(1)", "Click", "MouseUp(1)"}},
            {"release on x = 0 does not click", ModePush, false, {press, at(Release, 0, 12)}, StateDown, false,
             {"MouseDown(1)", "MouseUp(1)"}},
            {"release on y = 0 does not click", ModePush, false, {press, at(Release, 40, 0)}, StateDown, false,
             {"MouseDown(1)", "MouseUp(1)"}},
            {"release on x = 1, y = 1 clicks", ModePush, false, {press, at(Release, 1, 1)}, StateNormal, false,
             {"MouseDown(1)", "Click", "MouseUp(1)"}},
            {"release on the far edge does not click", ModePush, false, {press, at(Release, 80, 12)}, StateDown, false,
             {"MouseDown(1)", "MouseUp(1)"}},
            {"drag off shows normal", ModePush, false, {press, off}, StateNormal, false, {"MouseDown(1)"}},
            {"drag back on shows down", ModePush, false, {press, off, over}, StateDown, false, {"MouseDown(1)", "MouseEnter"}},
            {"drag off and release: no click", ModePush, false, {press, off, at(Release, 200, 12)}, StateNormal, false,
             {"MouseDown(1)", "MouseUp(1)"}},
            {"right button: only MouseUp", ModePush, false, {over, at(RightPress, 40, 12), at(RightRelease, 40, 12)}, StateHot,
             false, {"MouseEnter", "MouseUp(2)"}},
            {"double click", ModePush, false, {press, release, at(DoubleClick, 40, 12), release}, StateNormal, false,
             {"MouseDown(1)", "Click", "MouseUp(1)", "MouseDown(1)", "DblClick", "Click", "MouseUp(1)"}},
            {"check: click toggles on", ModeCheck, false, {press, release}, StateDown, true,
             {"MouseDown(1)", "Click", "MouseUp(1)"}},
            {"check: click toggles off", ModeCheck, true, {press, release}, StateNormal, false,
             {"MouseDown(1)", "Click", "MouseUp(1)"}},
            {"option: click sets", ModeOption, false, {press, release}, StateDown, true, {"MouseDown(1)", "Click", "MouseUp(1)"}},
            {"check: Enter clicks without toggling", ModeCheck, false, {key(Key, Qt::Key_Return)}, StateNormal, false,
             {"Click", "KeyDown(13,0)", "KeyPress(13)"}},
            {"space down shows down", ModePush, false, {space}, StateDown, false, {"KeyDown(32,0)", "KeyPress(32)"}},
            {"space up clicks", ModePush, false, {space, spaceUp}, StateNormal, false,
             {"KeyDown(32,0)", "KeyPress(32)", "Click", "KeyUp(32)"}},
            {"space up over the button shows hot", ModePush, false, {over, space, spaceUp}, StateHot, false,
             {"MouseEnter", "KeyDown(32,0)", "KeyPress(32)", "Click", "KeyUp(32)"}},
            {"check: space toggles on each repeat", ModeCheck, false,
             {space, key(KeyUpRepeat, Qt::Key_Space), key(KeyRepeat, Qt::Key_Space), key(KeyUpRepeat, Qt::Key_Space),
              key(KeyRepeat, Qt::Key_Space), spaceUp},
             StateDown, true,
             {"KeyDown(32,0)", "KeyPress(32)", "KeyDown(32,0)", "KeyPress(32)", "KeyDown(32,0)", "KeyPress(32)", "Click",
              "KeyUp(32)"}},
            {"a repeat's release does not end the space press", ModePush, false, {space, key(KeyUpRepeat, Qt::Key_Space)},
             StateDown, false, {"KeyDown(32,0)", "KeyPress(32)"}},
            {"space then another key cancels", ModePush, false, {space, key(Key, Qt::Key_A), spaceUp}, StateNormal, false,
             {"KeyDown(32,0)", "KeyPress(32)", "KeyDown(65,0)", "KeyPress(97)", "KeyUp(32)"}},
            {"Alt+Space raises nothing", ModePush, false, {key(Key, Qt::Key_Space, Qt::AltModifier)}, StateNormal, false, {}},
            {"space during a press keeps it down", ModePush, false, {over, press, space}, StateDown, false,
             {"MouseEnter", "MouseDown(1)", "KeyDown(32,0)", "KeyPress(32)"}},
            {"space during a press: the release still clicks", ModePush, false, {over, press, space, spaceUp, release},
             StateNormal, false,
             {"MouseEnter", "MouseDown(1)", "KeyDown(32,0)", "KeyPress(32)", "KeyUp(32)", "Click", "MouseUp(1)"}},
            {"other keys raise no KeyUp", ModePush, false, {key(Key, Qt::Key_A), key(KeyUp, Qt::Key_A)}, StateNormal, false,
             {"KeyDown(65,0)", "KeyPress(97)"}},
            {"focus lost cancels the space press", ModePush, false, {space, at(FocusOut, 0, 0), spaceUp}, StateNormal, false,
             {"KeyDown(32,0)", "KeyPress(32)", "KeyUp(32)"}},
            {"focus lost over the active window shows hot", ModePush, false, {over, press, at(FocusOut, 0, 0)}, StateHot,
             false, {"MouseEnter", "MouseDown(1)"}},
        };
        for (const auto& row : rows) {
            Fixture f;
            QVERIFY(QTest::qWaitForWindowActive(&f.window));
            f.button->setButtonStyle(2);
            f.button->setMode(row.mode);
            f.button->setValue(row.value);
            f.events.clear();
            for (const Step& s : row.steps)
                f.run(s);
            QVERIFY2(f.button->ButtonState() == row.state,
                     qPrintable(QStringLiteral("%1: state %2").arg(row.name).arg(f.button->ButtonState())));
            QVERIFY2(f.button->Value() == row.valueAfter, row.name);
            QVERIFY2(f.events == row.events, qPrintable(QStringLiteral("%1: %2").arg(row.name, f.events.join(u' '))));
        }
    }
};

QTEST_MAIN(GlintbuttonInputTest)
#include "glintbutton_input_test.moc"
