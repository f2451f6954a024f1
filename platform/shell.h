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

// The address as it may be handed to a desktop handler: an http or https
// address with a host, or a mailto address with a recipient, fully
// percent-encoded (so it holds no blanks or control characters and starts with
// its scheme, never with "-"). Empty for anything else, which is not opened.
QString openableAddress(const QString& url);

} // namespace platform
