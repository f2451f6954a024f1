#include "harness/click_recorder.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/record.h>
#include <utility>

namespace e2e {

struct RecordCallback {
    static void intercept(char* self, XRecordInterceptData* data)
    {
        auto* me = reinterpret_cast<ClickRecorder*>(self);
        if (data->category == XRecordFromServer && data->data) {
            const auto* ev = reinterpret_cast<const xEvent*>(data->data);
            const int type = ev->u.u.type & 0x7f;
            if (ev->u.u.detail == 1 && (type == ButtonPress || type == ButtonRelease))
                me->onLeftButton(type == ButtonPress, ev->u.keyButtonPointer.time);
        }
        XRecordFreeData(data);
    }
};

ClickRecorder::ClickRecorder(const std::string& displayName)
{
    control_ = XOpenDisplay(displayName.c_str());
    data_ = XOpenDisplay(displayName.c_str());
    if (!control_ || !data_)
        return;
    int major = 0, minor = 0;
    if (!XRecordQueryVersion(control_, &major, &minor))
        return;
    XRecordRange* range = XRecordAllocRange();
    range->device_events.first = ButtonPress;
    range->device_events.last = ButtonRelease;
    XRecordClientSpec clients = XRecordAllClients;
    context_ = XRecordCreateContext(control_, 0, &clients, 1, &range, 1);
    XFree(range);
    if (!context_)
        return;
    XSync(control_, False);
    ok_ = true;
    thread_ = std::thread([this] {
        XRecordEnableContext(data_, context_, &RecordCallback::intercept, reinterpret_cast<char*>(this));
    });
}

ClickRecorder::~ClickRecorder()
{
    if (ok_) {
        XRecordDisableContext(control_, context_);
        XSync(control_, False);
        thread_.join();
        XRecordFreeContext(control_, context_);
    }
    if (data_)
        XCloseDisplay(data_);
    if (control_)
        XCloseDisplay(control_);
}

void ClickRecorder::onLeftButton(bool press, uint32_t serverTime)
{
    std::lock_guard lock(mutex_);
    if (press)
        presses_.push_back(serverTime);
    else
        ++releases_;
}

std::vector<uint32_t> ClickRecorder::presses() const
{
    std::lock_guard lock(mutex_);
    return presses_;
}

std::vector<uint32_t> ClickRecorder::takePresses()
{
    std::lock_guard lock(mutex_);
    return std::exchange(presses_, {});
}

int ClickRecorder::pressCount() const
{
    std::lock_guard lock(mutex_);
    return static_cast<int>(presses_.size());
}

int ClickRecorder::releaseCount() const
{
    std::lock_guard lock(mutex_);
    return releases_;
}

void ClickRecorder::clear()
{
    std::lock_guard lock(mutex_);
    presses_.clear();
    releases_ = 0;
}

bool waitForQuiet(const ClickRecorder& rec, std::chrono::milliseconds quiet, std::chrono::milliseconds timeout)
{
    int last = rec.pressCount();
    auto since = Clock::now();
    return waitFor(
        [&] {
            const int now = rec.pressCount();
            if (now != last) {
                last = now;
                since = Clock::now();
            }
            return Clock::now() - since >= quiet;
        },
        timeout);
}

} // namespace e2e
