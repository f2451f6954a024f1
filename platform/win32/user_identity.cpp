#include "platform/win32/user_identity.h"

#include <windows.h>
#include <sddl.h>

#include <memory>
#include <vector>

namespace platform::win32 {
namespace {

struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// The TOKEN_USER of a process's token; empty when any step fails.
std::vector<char> tokenUser(HANDLE process)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token))
        return {};
    const Handle tokenGuard(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    if (size == 0)
        return {};
    std::vector<char> buffer(size);
    if (!GetTokenInformation(token, TokenUser, buffer.data(), size, &size))
        return {};
    return buffer;
}

PSID userSid(std::vector<char>& user) { return reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid; }

} // namespace

QString currentUserSid()
{
    std::vector<char> user = tokenUser(GetCurrentProcess());
    if (user.empty())
        return {};
    wchar_t* text = nullptr;
    if (!ConvertSidToStringSidW(userSid(user), &text))
        return {};
    const QString sid = QString::fromWCharArray(text);
    LocalFree(text);
    return sid;
}

bool processRunsAsThisUser(unsigned long processId)
{
    const Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process)
        return false;
    std::vector<char> theirs = tokenUser(process.get());
    std::vector<char> ours = tokenUser(GetCurrentProcess());
    return !theirs.empty() && !ours.empty() && EqualSid(userSid(theirs), userSid(ours));
}

unsigned long currentSessionId()
{
    DWORD session = 0;
    return ProcessIdToSessionId(GetCurrentProcessId(), &session) ? session : 0;
}

} // namespace platform::win32
