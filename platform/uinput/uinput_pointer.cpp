#include "platform/uinput/uinput_pointer.h"

#include <fcntl.h>
#include <linux/uinput.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <initializer_list>

namespace platform::uinput {

namespace {

bool setUp(int fd, Point screen)
{
    uinput_setup setup{};
    setup.id = {BUS_VIRTUAL, 0x1, 0x1, 1};
    std::strncpy(setup.name, "Vorlin virtual pointer", UINPUT_MAX_NAME_SIZE - 1);
    const auto axis = [fd](int code, int pixels) {
        uinput_abs_setup abs{};
        abs.code = code;
        abs.absinfo.maximum = pixels * UinputPointer::kUnitsPerPixel - 1;
        return ioctl(fd, UI_ABS_SETUP, &abs) == 0;
    };
    return ioctl(fd, UI_SET_EVBIT, EV_SYN) == 0 && ioctl(fd, UI_SET_EVBIT, EV_KEY) == 0
        && ioctl(fd, UI_SET_KEYBIT, BTN_LEFT) == 0 && ioctl(fd, UI_SET_EVBIT, EV_ABS) == 0
        && ioctl(fd, UI_SET_ABSBIT, ABS_X) == 0 && ioctl(fd, UI_SET_ABSBIT, ABS_Y) == 0
        && axis(ABS_X, screen.x) && axis(ABS_Y, screen.y) && ioctl(fd, UI_DEV_SETUP, &setup) == 0
        && ioctl(fd, UI_DEV_CREATE) == 0;
}

Point atLeastOnePixel(Point screen) { return {std::max(screen.x, 1), std::max(screen.y, 1)}; }

} // namespace

std::unique_ptr<UinputPointer> UinputPointer::create(const std::string& path, Point screen, std::string* error)
{
    screen = atLeastOnePixel(screen);
    const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = "cannot open " + path + " for writing (" + std::strerror(errno) + ")";
        return nullptr;
    }
    if (!setUp(fd, screen)) {
        *error = "cannot make a device through " + path + " (" + std::strerror(errno) + ")";
        close(fd);
        return nullptr;
    }
    return std::make_unique<UinputPointer>(fd, screen);
}

UinputPointer::UinputPointer(int fd, Point screen) : fd_(fd), screen_(atLeastOnePixel(screen)) {}

UinputPointer::~UinputPointer()
{
    ioctl(fd_, UI_DEV_DESTROY); // closing alone would do it too
    close(fd_);
}

void UinputPointer::click()
{
    send({{EV_KEY, BTN_LEFT, 1}, {EV_SYN, SYN_REPORT, 0}, {EV_KEY, BTN_LEFT, 0}, {EV_SYN, SYN_REPORT, 0}});
}

void UinputPointer::moveTo(Point p)
{
    Point units{std::clamp(p.x, 0, screen_.x - 1) * kUnitsPerPixel, std::clamp(p.y, 0, screen_.y - 1) * kUnitsPerPixel};
    if (units == lastSent_)
        ++units.x; // still inside the same pixel
    lastSent_ = units;
    send({{EV_ABS, ABS_X, units.x}, {EV_ABS, ABS_Y, units.y}, {EV_SYN, SYN_REPORT, 0}});
}

void UinputPointer::send(std::initializer_list<Event> events)
{
    // One write for the lot; the kernel stamps the time itself.
    input_event out[4]{};
    size_t n = 0;
    for (const Event& e : events) {
        out[n].type = e.type;
        out[n].code = e.code;
        out[n].value = e.value;
        ++n;
    }
    while (write(fd_, out, n * sizeof(input_event)) < 0 && errno == EINTR) {
    }
}

} // namespace platform::uinput
