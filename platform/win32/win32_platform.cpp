// The platform services on Windows, as the native backend.
#include <QCoreApplication>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "platform/ini_file_profile.h"
#include "platform/native_platform.h"
#include "platform/win32/named_mutex_instance.h"
#include "platform/win32/registry_settings_store.h"
#include "platform/win32/user_identity.h"
#include "platform/win32/waitable_timer_ticker.h"
#include "platform/win32/win32_hotkeys.h"
#include "platform/win32/win32_input.h"
#include "platform/win32/win32_key_names.h"
#include "platform/win32/win32_shell.h"

namespace platform {

InstanceRendezvous findInstanceRendezvous()
{
    using win32::NamedMutexInstance;
    const QString sid = win32::currentUserSid();
    InstanceRendezvous r;
    r.lock = std::make_unique<NamedMutexInstance>(NamedMutexInstance::nameFor(sid));
    // Pipe names are machine-wide, so the session goes into the name beside the user.
    if (!sid.isEmpty())
        r.commandAddress = QStringLiteral("Vorlin-%1-%2").arg(sid).arg(win32::currentSessionId());
    return r;
}

bool commandPeerIsThisUser(qintptr descriptor)
{
    ULONG processId = 0;
    return GetNamedPipeClientProcessId(reinterpret_cast<HANDLE>(descriptor), &processId) &&
           win32::processRunsAsThisUser(processId);
}

void useParentConsole()
{
    // Output that already goes somewhere (a pipe, a file, a console handed
    // down by the starter) stays there; only a missing stream is taken from
    // the parent's console, if it has one.
    const auto goesSomewhere = [](DWORD stream) {
        const HANDLE h = GetStdHandle(stream);
        return h != nullptr && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
    };
    const bool out = goesSomewhere(STD_OUTPUT_HANDLE), err = goesSomewhere(STD_ERROR_HANDLE);
    if ((out && err) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    // The console goes to the descriptors, since C's streams of a program
    // started without a console cannot always be reopened (Wine's cannot).
    const auto toConsole = [](DWORD stream, int descriptor) {
        const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, 0, nullptr);
        if (console == INVALID_HANDLE_VALUE)
            return;
        const int opened = _open_osfhandle(reinterpret_cast<intptr_t>(console), _O_TEXT);
        if (opened < 0) {
            CloseHandle(console);
            return;
        }
        if (opened != descriptor) {
            _dup2(opened, descriptor);
            _close(opened);
        }
        SetStdHandle(stream, reinterpret_cast<HANDLE>(_get_osfhandle(descriptor)));
    };
    if (!out)
        toConsole(STD_OUTPUT_HANDLE, 1);
    if (!err)
        toConsole(STD_ERROR_HANDLE, 2);
}

bool prepareNativeGui() { return true; }

Platform makeNativePlatform(std::unique_ptr<SingleInstance> singleInstance)
{
    Platform p;
    p.input = std::make_unique<win32::Win32Input>();
    p.windowOrder = std::make_unique<win32::Win32WindowOrder>();
    p.singleInstance = std::move(singleInstance);
    p.makeTicker = [] { return std::unique_ptr<Ticker>(std::make_unique<win32::WaitableTimerTicker>()); };
    p.systemColors = std::make_unique<win32::Win32SystemColors>();
    p.shell = std::make_unique<win32::Win32Shell>();
    p.hotkeys = std::make_unique<win32::Win32Hotkeys>();
    p.keyNames = std::make_unique<win32::Win32KeyNames>();
    p.ini = std::make_unique<IniFileProfile>();
    p.settings = std::make_unique<win32::RegistrySettingsStore>();
    return p;
}

QString nativeSessionNote() { return {}; }

} // namespace platform
