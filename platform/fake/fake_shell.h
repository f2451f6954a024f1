#pragma once
#include <QString>
#include <vector>

#include "platform/shell.h"

namespace platform::fake {

// Records every address it is asked to open, in order, and opens nothing.
class FakeShell : public Shell {
public:
    void openUrl(const QString& url) override { opened.push_back(url); }
    std::vector<QString> opened;
};

} // namespace platform::fake
