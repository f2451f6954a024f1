#pragma once
#include "platform/shell.h"
#include "platform/system_colors.h"

namespace platform::win32 {

// Opens web and mail addresses with their registered handlers through
// ShellExecuteW "open". Only addresses openableAddress() accepts are handed on,
// as the one file argument (never a command line); the result is not read.
class Win32Shell : public Shell {
public:
    void openUrl(const QString& url) override;
};

// The system colour table as the user's Windows has it (GetSysColor).
class Win32SystemColors : public SystemColors {
public:
    std::optional<uint32_t> color(int index) const override;
};

} // namespace platform::win32
