#pragma once
#include <QString>

namespace platform {

// Opening web and mail addresses with the desktop's default handlers. Nothing
// runs through a command shell, and a missing handler is not an error the
// caller sees: the call returns at once either way.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void openUrl(const QString& url) = 0; // "https://…" or "mailto:…"
};

} // namespace platform
