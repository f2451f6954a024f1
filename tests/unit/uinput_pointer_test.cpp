// The virtual pointer's event stream, written to a pipe in place of the device.
#include <gtest/gtest.h>
#include <linux/input.h>
#include <unistd.h>

#include <cstdlib>
#include <tuple>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "platform/uinput/uinput_input.h"
#include "platform/uinput/uinput_pointer.h"

using platform::Point;
using platform::uinput::UinputPointer;

namespace {

using Event = std::tuple<int, int, int>; // type, code, value

struct PipedPointer {
    PipedPointer(Point screen)
    {
        int ends[2];
        EXPECT_EQ(pipe(ends), 0);
        readEnd = ends[0];
        pointer = std::make_unique<UinputPointer>(ends[1], screen);
    }
    ~PipedPointer() { close(readEnd); }

    // What the last call wrote, in one piece.
    std::vector<Event> written()
    {
        input_event buffer[16];
        const ssize_t bytes = read(readEnd, buffer, sizeof buffer);
        std::vector<Event> out;
        for (ssize_t i = 0; i < bytes / ssize_t(sizeof(input_event)); ++i)
            out.emplace_back(buffer[i].type, buffer[i].code, buffer[i].value);
        EXPECT_EQ(bytes % sizeof(input_event), 0u);
        return out;
    }

    int readEnd = -1;
    std::unique_ptr<UinputPointer> pointer;
};

std::vector<Event> move(int x, int y) { return {{EV_ABS, ABS_X, x}, {EV_ABS, ABS_Y, y}, {EV_SYN, SYN_REPORT, 0}}; }

} // namespace

TEST(UinputPointer, AClickIsAPressAndAReleaseEachFollowedByAReport)
{
    PipedPointer device({800, 600});
    device.pointer->click();
    EXPECT_EQ(device.written(), (std::vector<Event>{{EV_KEY, BTN_LEFT, 1}, {EV_SYN, SYN_REPORT, 0},
                                                    {EV_KEY, BTN_LEFT, 0}, {EV_SYN, SYN_REPORT, 0}}));
}

TEST(UinputPointer, AMoveIsBothAxesInUnitsAndAReportClampedToTheScreenAndARepeatStaysInThePixel)
{
    constexpr int u = UinputPointer::kUnitsPerPixel;
    PipedPointer device({800, 600});
    const struct {
        Point to;
        std::vector<Event> events;
    } rows[] = {
        {{10, 20}, move(10 * u, 20 * u)},
        {{10, 20}, move(10 * u + 1, 20 * u)}, // the kernel would drop the same values
        {{10, 20}, move(10 * u, 20 * u)},
        {{0, 0}, move(0, 0)},
        {{799, 599}, move(799 * u, 599 * u)},
        {{-5, 700}, move(0, 599 * u)},
        {{900, -1}, move(799 * u, 0)},
    };
    for (const auto& row : rows) {
        device.pointer->moveTo(row.to);
        EXPECT_EQ(device.written(), row.events) << row.to.x << ", " << row.to.y;
    }
}

TEST(UinputPointer, TheDeviceFileIsClosedWithThePointer)
{
    PipedPointer device({800, 600});
    device.pointer.reset();
    char byte;
    EXPECT_EQ(read(device.readEnd, &byte, 1), 0); // end of file: no writer left
}

TEST(UinputPointer, WhereNoDeviceCanBeMadeTheInputStaysAndTheReasonIsGiven)
{
    const struct {
        const char* path;
        const char* reason;
    } rows[] = {
        {"", "is told by an empty VORLIN_UINPUT not to use uinput"},
        {"/nonexistent/uinput", "cannot open /nonexistent/uinput for writing (No such file or directory)"},
        {"/dev/null", "cannot make a device through /dev/null (Inappropriate ioctl for device)"},
    };
    for (const auto& row : rows) {
        setenv("VORLIN_UINPUT", row.path, 1);
        std::unique_ptr<platform::Input> input = std::make_unique<platform::fake::FakeInput>();
        const platform::Input* before = input.get();
        EXPECT_EQ(platform::uinput::routeThroughUinput(input, {800, 600}), row.reason);
        EXPECT_EQ(input.get(), before);
    }
    unsetenv("VORLIN_UINPUT");
}
