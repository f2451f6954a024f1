#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "harness/process.h"

typedef struct _XDisplay Display;

namespace e2e {

// Records the button presses and releases that reach the X server, with the
// server's timestamps (milliseconds), through the RECORD extension. Synthetic
// clicks from XTest are seen exactly like real ones.
class ClickRecorder {
public:
    explicit ClickRecorder(const std::string& displayName);
    ~ClickRecorder();

    bool ok() const { return ok_; }
    // Timestamps of left-button presses seen so far.
    std::vector<uint32_t> presses() const;
    // The presses seen since the last call (or the start), handed over and forgotten.
    std::vector<uint32_t> takePresses();
    int pressCount() const;
    int releaseCount() const;
    void clear();

private:
    friend struct RecordCallback;
    void onLeftButton(bool press, uint32_t serverTime);

    Display* control_ = nullptr;
    Display* data_ = nullptr;
    unsigned long context_ = 0;
    bool ok_ = false;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<uint32_t> presses_;
    int releases_ = 0;
};

// Waits until no press has arrived for `quiet`; false if presses keep coming until the deadline.
bool waitForQuiet(const ClickRecorder& rec, std::chrono::milliseconds quiet, std::chrono::milliseconds timeout);

} // namespace e2e
