// The platform services on Windows, as the native backend.
#include <QCoreApplication>
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
