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
#include "controls/button/glintbutton.h"
#include "platform/fake/fake_platform.h"
#include "runtime/message_box.h"

using namespace glint;

namespace {

class SilentMessageBox : public rt::MessageBoxService {
public:
    void msgBox(const QString&, int, const QString&) override {}
};

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
    SilentMessageBox messages;
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
    const auto peerTime = [&](int i) {
        peer->setGeometry(QRect(QPoint(0, 100), sizes[i]));
        return bench::medianTimePerCall<std::micro>([&] { peer->paintInto(images[i]); });
    };
    // Wake the processor up before the first figure.
    bench::bestTimePerCall<std::micro>([&] { peer->paintInto(images[0]); });

    // The peer is timed next to each style, so both figures of a row see the same machine.
    std::printf("Styled button, one full Redraw (median), against a push button of the \"%s\" style\n",
                qPrintable(QApplication::style()->name()));
    std::printf("%-7s %12s %10s %7s %12s %10s %7s\n", "style", "65x41 us", "peer us", "ratio", "200x60 us",
                "peer us", "ratio");
    for (int style = 0; style <= StyleThemed; ++style) {
        double t[2] = {}, p[2] = {};
        for (int i = 0; i < 2; ++i) {
            button->setGeometry(QRect(QPoint(0, 0), sizes[i]));
            button->setButtonStyle(style);
            t[i] = bench::medianTimePerCall<std::micro>([&] { button->Redraw(); });
            p[i] = peerTime(i);
        }
        std::printf("%-7d %12.2f %10.2f %7.2f %12.2f %10.2f %7.2f\n", style, t[0], p[0], t[0] / p[0], t[1], p[1],
                    t[1] / p[1]);
    }
    return 0;
}
