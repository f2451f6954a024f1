// The redraw dispatcher of the styled button: the pressed look of checked
// buttons, unknown styles, the themed style and its fall-back, and the flags
// the control hands its painters.
#include <QTest>

#include "controls/button/glintbutton.h"
#include "controls/button/themed_face.h"
#include "support/test_services.h"

using namespace glint;

class GlintbuttonRedrawTest : public QObject {
    Q_OBJECT

    struct Fixture {
        TestServices t;
        QWidget window;
        Glintbutton* button;
        Fixture() : button(new Glintbutton(t.services, &window))
        {
            button->setAmbient({true, QStringLiteral("Glintbutton1"), QFont(QStringLiteral("DejaVu Sans"), 9), false});
            button->setGeometry(5, 5, 80, 25);
            button->initProperties();
        }
        int pixelsOtherThan(uint32_t colour) const
        {
            const rt::PixelSurface& s = button->surface();
            int n = 0;
            for (int y = 0; y < s.height(); ++y)
                for (int x = 0; x < s.width(); ++x)
                    n += s.pixel(x, y) != colour;
            return n;
        }
    };

private slots:
    void cleanup() { setIsThemedOverride(std::nullopt); }

    void checkedButtonsAreDrawnPressedExceptStyles0And6()
    {
        const struct {
            int style;
            bool pressed;
        } cases[] = {{0, false}, {1, true}, {2, true}, {3, true}, {6, false}, {10, true}};
        for (const auto& c : cases) {
            Fixture f;
            f.button->setButtonStyle(c.style);
            f.button->setMode(ModeCheck);
            f.button->setValue(true);
            QCOMPARE(f.button->ButtonState(), c.pressed ? int(StateDown) : int(StateNormal));
        }
    }

    void styleOutsideTheRangeShowsOnlyTheClearedSurface()
    {
        for (int style : {14, -1}) {
            Fixture f;
            f.button->setCaption(QStringLiteral("Start"));
            f.button->setButtonStyle(style);
            QCOMPARE(f.pixelsOtherThan(f.button->surface().backColor()), 0);
        }
    }

    void themedStyleFallsBackToTheGradientFaceForGood()
    {
        Fixture f;
        f.button->setBackColor(0x00336699);
        QCOMPARE(f.button->ButtonStyle(), int(StyleThemed));
        QVERIFY(f.pixelsOtherThan(f.button->surface().backColor()) > 0);

        setIsThemedOverride(false);
        f.button->Redraw();
        QCOMPARE(f.button->ButtonStyle(), 2);
        QCOMPARE(f.button->ColorScheme(), int(SchemeBlue));
        QCOMPARE(f.button->BackColor(), 0x00E7EBECu);
        QCOMPARE(f.button->surface().pixel(0, 12), 0x00743C00u); // the gradient face's frame

        setIsThemedOverride(std::nullopt);
        f.button->Redraw();
        QCOMPARE(f.button->ButtonStyle(), 2);
    }

    // Focus and activation of the window reach the painters: style 0 draws its
    // black default frame around a focused button.
    void focusAndActivationReachThePainters()
    {
        Fixture f;
        f.button->setButtonStyle(0);
        QVERIFY(f.button->surface().pixel(79, 24) != 0u);
        f.window.show();
        f.window.activateWindow();
        f.button->setFocus();
        QTRY_VERIFY(f.button->HasFocus());
        QTRY_VERIFY(f.button->ParentActive());
        QCOMPARE(f.button->surface().pixel(79, 24), 0u);
        f.button->clearFocus();
        QTRY_VERIFY(!f.button->HasFocus());
        QVERIFY(f.button->surface().pixel(79, 24) != 0u);
    }
};

QTEST_MAIN(GlintbuttonRedrawTest)
#include "glintbutton_redraw_test.moc"
