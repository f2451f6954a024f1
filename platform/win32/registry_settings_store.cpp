#include "platform/win32/registry_settings_store.h"

#include <windows.h>

#include <vector>

namespace platform::win32 {
namespace {

QString keyPart(QString name)
{
    name.replace(u'\\', u'_');
    return name.isEmpty() ? QStringLiteral("_") : name;
}

const wchar_t* wide(const QString& s) { return reinterpret_cast<const wchar_t*>(s.utf16()); }

QString systemReason(LSTATUS status)
{
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   DWORD(status), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const QString reason = text ? QString::fromWCharArray(text).trimmed() : QStringLiteral("错误 %1").arg(status);
    LocalFree(text);
    return reason;
}

} // namespace

RegistrySettingsStore::RegistrySettingsStore(QString root) : root_(std::move(root)) {}

QString RegistrySettingsStore::keyPath(const QString& application, const QString& section) const
{
    return QStringLiteral("Software\\") + root_ + u'\\' + keyPart(application) + u'\\' + keyPart(section);
}

QString RegistrySettingsStore::get(const QString& application, const QString& section, const QString& key,
                                   const QString& defaultValue)
{
    const QString path = keyPath(application, section);
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, wide(path), wide(key), RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
        return defaultValue;
    std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = DWORD(text.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, wide(path), wide(key), RRF_RT_REG_SZ, nullptr, text.data(), &bytes) != ERROR_SUCCESS)
        return defaultValue;
    return QString::fromWCharArray(text.data());
}

SaveResult RegistrySettingsStore::save(const QString& application, const QString& section, const QString& key,
                                       const QString& value)
{
    const QString path = keyPath(application, section);
    HKEY handle = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, wide(path), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr);
    if (status == ERROR_SUCCESS) {
        status = RegSetValueExW(handle, wide(key), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.utf16()),
                                DWORD((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(handle);
    }
    if (status == ERROR_SUCCESS)
        return {};
    return SaveResult::failed(QStringLiteral("HKEY_CURRENT_USER\\%1：%2").arg(path, systemReason(status)));
}

} // namespace platform::win32
