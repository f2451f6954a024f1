#pragma once
// The message box service of the benchmarks: nothing shows, nothing waits.
#include "runtime/message_box.h"

namespace bench {

class SilentMessageBox : public rt::MessageBoxService {
public:
    void msgBox(const QString&, int, const QString&) override {}
};

} // namespace bench
