// One full repaint of the styled button, every style at two sizes, against
// the paint of a Qt push button of the same size in the application's style.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <cstdio>

#include "bench/bench_timing.h"
#include "bench/silent_message_box.h"
#include "controls/button/glintbutton.h"
#include "platform/fake/fake_platform.h"

using namespace glint;

namespace {

// What a push button's paint event does, into an image cleared first as the
// styled button's surface is.
class PeerButton : public QPushButton {
public:
    using QPushButton::QPushButton;
    void paintInto(QImage& image)
    {
        image.fill(palette().button().color());
        QPainter p(&image);
        QStyleOptionButton option;
        initStyleOption(&option);
        style()->drawControl(QStyle::CE_PushButton, &option, &p, this);
    }
};

// The main window's start button caption.
const QString Caption = QStringLiteral("开始点击");

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::fake::FakePlatform fake;
    bench::SilentMessageBox messages;
    rt::Services services{fake.platform, messages};
    QWidget window;
    window.resize(400, 200);
    auto* button = new Glintbutton(services, &window);
    button->setAmbient({true, QStringLiteral("Glintbutton1"), QApplication::font(), false});
    button->initProperties();
    button->setCaption(Caption);
    auto* peer = new PeerButton(Caption, &window);
    window.show();

    const QSize sizes[] = {{65, 41}, {200, 60}};
    QImage images[] = {QImage(sizes[0], QImage::Format_RGB32), QImage(sizes[1], QImage::Format_RGB32)};
    // Wake the processor up before the first figure.
    bench::bestTimePerCall<std::micro>([&] { peer->paintInto(images[0]); });

    std::printf("Styled button, one full Redraw, against a push button of the \"%s\" style painted into an image\n",
                qPrintable(QApplication::style()->name()));
    std::printf("(medians of 301 rounds of 40 calls; the ratio is the median of the rounds' ratios)\n");
    std::printf("%-7s %10s %10s %7s %10s %10s %7s\n", "style", "65x41 us", "peer us", "ratio", "200x60 us",
                "peer us", "ratio");
    for (int style = 0; style <= StyleThemed; ++style) {
        bench::PairTiming t[2];
        for (int i = 0; i < 2; ++i) {
            button->setGeometry(QRect(QPoint(0, 0), sizes[i]));
            button->setButtonStyle(style);
            peer->setGeometry(QRect(QPoint(0, 100), sizes[i]));
            t[i] = bench::medianPairTimePerCall<std::micro>([&] { button->Redraw(); },
                                                            [&] { peer->paintInto(images[i]); });
        }
        std::printf("%-7d %10.2f %10.2f %7.2f %10.2f %10.2f %7.2f\n", style, t[0].first, t[0].second, t[0].ratio,
                    t[1].first, t[1].second, t[1].ratio);
    }
    return 0;
}
