// What the button hears from its own window and its top-level window: the pointer
// leaving, style, theme and palette changes, the window's activation; nothing in a designer.
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <array>

#include "controls/button/glintbutton.h"
#include "controls/button/themed_face.h"
#include "support/test_services.h"

using namespace glint;

namespace {

constexpr uint32_t Marker = 0x00123456;

// A button loaded from an empty bag, as the window loader makes it, its surface painted over.
Glintbutton* load(TestServices& t, QWidget* window, bool userMode = true)
{
    auto* b = new Glintbutton(t.services, window);
    b->setAmbient({userMode, QStringLiteral("Glintbutton1"), QFont(QStringLiteral("DejaVu Sans"), 9), false});
    b->setGeometry(5, 5, 80, 25);
    b->readProperties(rt::PropertyBag{});
    b->surface().fill(b->surface().rect(), Marker);
    return b;
}

void send(QObject* to, QEvent::Type type, int times = 1)
{
    for (QEvent e(type); times-- > 0;)
        QCoreApplication::sendEvent(to, &e);
}

} // namespace

class GlintbuttonHooksTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { setIsThemedOverride(std::nullopt); }

    // A hot button (pressed with a menu open or the space bar held) gets each event twice.
    void eventsOnTheControl()
    {
        const struct Row {
            const char* name;
            QEvent::Type event;
            bool toWindow = false, userMode = true, themed = true, asked = true, menuOpen = false, menuClosed = false, spaceDown = false;
            int leaves = 0, state = StateHot;
            bool over = true, suppress = false, redraws = false;
        } rows[] = {
            {.name = "leave", .event = QEvent::Leave, .leaves = 1, .state = StateNormal, .over = false, .redraws = true},
            {.name = "leave not asked for", .event = QEvent::Leave, .asked = false},
            {.name = "leave of the window", .event = QEvent::Leave, .toWindow = true},
            {.name = "leave, menu open", .event = QEvent::Leave, .menuOpen = true, .state = StateDown, .over = false,
             .suppress = true},
            {.name = "leave, menu closed", .event = QEvent::Leave, .menuClosed = true, .leaves = 1,
             .state = StateNormal, .over = false, .redraws = true},
            {.name = "leave, space held", .event = QEvent::Leave, .spaceDown = true, .state = StateDown, .over = false},
            {.name = "leave, designer", .event = QEvent::Leave, .userMode = false},
            {.name = "palette", .event = QEvent::PaletteChange, .redraws = true},
            {.name = "application palette", .event = QEvent::ApplicationPaletteChange, .redraws = true},
            {.name = "palette, no theme", .event = QEvent::PaletteChange, .themed = false},
            {.name = "palette, designer", .event = QEvent::PaletteChange, .userMode = false},
            {.name = "style", .event = QEvent::StyleChange, .redraws = true},
            {.name = "theme, no theme", .event = QEvent::ThemeChange, .themed = false, .redraws = true},
            {.name = "font", .event = QEvent::FontChange},
            {.name = "deactivation, designer", .event = QEvent::WindowDeactivate, .toWindow = true, .userMode = false},
        };
        for (const Row& r : rows) {
            setIsThemedOverride(r.themed);
            TestServices t;
            QWidget window;
            QMenu menu;
            Glintbutton* b = load(t, &window, r.userMode);
            if (r.menuOpen || r.menuClosed)
                b->SetPopupMenu(&menu, 0);
            b->setMenuOpen(r.menuOpen);
            b->setMenuSuppress(r.menuClosed);
            b->setSpaceDown(r.spaceDown);
            b->setMouseOver(true);
            b->setButtonState(r.menuOpen || r.spaceDown ? StateDown : StateHot);
            QSignalSpy leaves(b, &Glintbutton::MouseLeave);
            if (r.asked)
                b->TrackLeave();
            send(r.toWindow ? static_cast<QObject*>(&window) : b, r.event, 2);
            const bool redrawn = b->surface().pixel(40, 12) != Marker;
            QVERIFY2(leaves.count() == r.leaves && b->ButtonState() == r.state && b->MouseOver() == r.over &&
                         b->MenuSuppress() == r.suppress && !b->MenuOpen() && redrawn == r.redraws,
                     r.name);
        }
    }

    // Three buttons share the window's activation, whichever go first. Deactivation
    // lets go of a press and of the focus; activation keeps them.
    void threeButtonsDestroyedInEveryOrder()
    {
        std::array<int, 3> order{0, 1, 2};
        do {
            TestServices t;
            QWidget window;
            std::array<QPointer<Glintbutton>, 3> buttons{load(t, &window), load(t, &window), load(t, &window)};
            for (size_t gone = 0; gone <= buttons.size(); ++gone) {
                for (bool active : {true, false}) {
                    for (Glintbutton* b : buttons)
                        if (b) {
                            b->setHasFocus(true), b->setLeftDown(true), b->setSpaceDown(true);
                            b->setButtonState(StateDown);
                        }
                    send(&window, active ? QEvent::WindowActivate : QEvent::WindowDeactivate);
                    for (Glintbutton* b : buttons)
                        QVERIFY(!b || (b->ParentActive() == active && b->ButtonState() == StateNormal &&
                                       b->HasFocus() == active && b->LeftDown() == active && b->SpaceDown() == active));
                }
                if (gone < buttons.size())
                    delete buttons[size_t(order[gone])].data();
            }
        } while (std::next_permutation(order.begin(), order.end()));
    }
};

QTEST_MAIN(GlintbuttonHooksTest)
#include "glintbutton_hooks_test.moc"
