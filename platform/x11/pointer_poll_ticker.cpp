#include "platform/x11/pointer_poll_ticker.h"

#include "platform/x11/x11_input.h"

namespace platform::x11 {

PointerPollTicker::PointerPollTicker(X11Input& input) : input_(input)
{
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
}

PointerPollTicker::~PointerPollTicker() { input_.unwatchMotion(); }

void PointerPollTicker::start(int intervalMs)
{
    if (intervalMs <= 0)
        return;
    pacing_ = PointerPacing(intervalMs);
    applyPace();
}

void PointerPollTicker::stop()
{
    timer_.stop();
    input_.unwatchMotion();
}

void PointerPollTicker::tick()
{
    if (onTick)
        onTick();
    if (!timer_.isActive()) // the tick's handler stopped the display
        return;
    if (pacing_.polled(input_.lastRecentPos()))
        applyPace();
}

void PointerPollTicker::onMotion()
{
    if (!timer_.isActive() || !pacing_.moved())
        return;
    applyPace();
    tick();
}

void PointerPollTicker::applyPace()
{
    // Where the device's moves cannot be heard, the pointer is polled as if it moved.
    if (pacing_.resting() && !input_.watchMotion([this] { onMotion(); }))
        pacing_.moved();
    if (!pacing_.resting())
        input_.unwatchMotion();
    timer_.start(pacing_.pollIntervalMs());
}

} // namespace platform::x11
