#pragma once
#include <QTimer>

#include "platform/ticker.h"
#include "platform/x11/pointer_pacing.h"

namespace platform::x11 {

class X11Input;

// Ticks for a display of the pointer position that reads it with
// cursorPosRecent(). While the pointer rests the ticks slow down to the rest
// poll and the device's motion wakes them (PointerPacing); the first tick after
// a device move comes at once, so the display never lags more than an interval.
class PointerPollTicker : public Ticker {
public:
    explicit PointerPollTicker(X11Input& input);
    ~PointerPollTicker() override;
    void start(int intervalMs) override;
    void stop() override;
    bool active() const override { return timer_.isActive(); }

private:
    void tick();
    void onMotion();
    void applyPace();

    X11Input& input_;
    PointerPacing pacing_;
    QTimer timer_;
};

} // namespace platform::x11
