// The light grey style writes the caption colour into the button's ForeColor:
// white while pressed, the system button text otherwise, and draws with it.
#include <QTest>

#include "controls/button/glintbutton.h"
#include "support/test_services.h"

using namespace glint;

class GlintbuttonLightStyleTest : public QObject {
    Q_OBJECT

private slots:
    void pressedCaptionIsWhiteUntilTheNextStateRepaints()
    {
        TestServices t;
        QWidget window;
        auto* button = new Glintbutton(t.services, &window);
        button->setAmbient({true, QStringLiteral("Glintbutton1"), QFont(QStringLiteral("DejaVu Sans"), 9), false});
        button->setGeometry(5, 5, 80, 25);
        button->initProperties();
        button->setButtonStyle(6);
        button->setCaption(QStringLiteral("HHHH"));

        // Pixels near white: the smoothed caption, since no face pixel comes close.
        const auto whitishPixels = [&] {
            const rt::PixelSurface& s = button->surface();
            int n = 0;
            for (int y = 0; y < s.height(); ++y)
                for (int x = 0; x < s.width(); ++x) {
                    const uint32_t c = s.pixel(x, y);
                    n += redOf(c) >= 0xF0 && greenOf(c) >= 0xF0 && blueOf(c) >= 0xF0;
                }
            return n;
        };
        button->setButtonState(StateDown);
        button->Redraw();
        QCOMPARE(button->ForeColor(), 0x00FFFFFFu);
        QVERIFY(whitishPixels() > 20);

        button->setButtonState(StateNormal);
        button->Redraw();
        QCOMPARE(button->ForeColor(), 0x80000012u);
        QCOMPARE(whitishPixels(), 0);
    }
};

QTEST_MAIN(GlintbuttonLightStyleTest)
#include "glintbutton_light_style_test.moc"
