// The bordered text box's frame repaint: what one hover change costs.
#include <QApplication>
#include <QMouseEvent>
#include <cstdio>

#include "bench/bench_timing.h"
#include "bench/silent_message_box.h"
#include "controls/textbox/mtextbox.h"
#include "platform/fake/fake_platform.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::fake::FakePlatform fake;
    bench::SilentMessageBox messages;
    rt::Services services{fake.platform, messages};
    QWidget window;
    auto* box = new textbox::mTextBox(services, &window);
    box->setGeometry(0, 0, 41, 22);
    window.show();
    fake.input->cursor = {10000, 10000}; // the poll always finds the cursor outside

    // One cycle lights the ring (a move over the frame) and clears it (a poll tick): two repaints.
    QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    const double cycle = bench::bestTimePerCall<std::micro>([&] {
        QCoreApplication::sendEvent(box, &move);
        emit box->timMouse()->Tick();
    });
    const double blit = bench::bestTimePerCall<std::micro>([&] { (void)box->grab(); });
    const int before = box->frameDraws();
    QCoreApplication::sendEvent(box, &move);
    emit box->timMouse()->Tick();

    std::printf("%-48s %12s\n", "text box (41 x 22)", "us / call");
    std::printf("%-48s %12.2f\n", "frame repaint on a hover change", cycle / (box->frameDraws() - before));
    std::printf("%-48s %12.2f\n", "paint event (the frame shown from the surface)", blit);
    return 0;
}
