#pragma once
// What a widget test hands the windows and controls: the fake platform, a
// message box that records instead of showing, and an end-of-program hook
// that only counts.
#include <QString>
#include <functional>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "runtime/message_box.h"
#include "runtime/services.h"

struct RecordedMessage {
    QString text;
    int style = 0;
    QString title;
    friend bool operator==(const RecordedMessage&, const RecordedMessage&) = default;
};

class RecordingMessageBox : public rt::MessageBoxService {
public:
    void msgBox(const QString& text, int style, const QString& title) override
    {
        messages.push_back({text, style, title});
        if (whileOpen)
            whileOpen();
    }
    std::vector<RecordedMessage> messages;
    // Runs as if inside the modal loop (for example to let timers tick).
    std::function<void()> whileOpen;
};

struct TestServices {
    TestServices() { services.endProgram = [this] { ++programEnds; }; }

    platform::fake::FakePlatform fake;
    RecordingMessageBox messageBox;
    rt::Services services{fake.platform, messageBox};
    int programEnds = 0;
};
