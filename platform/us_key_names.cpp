#include "platform/us_key_names.h"

#include <string_view>
#include <utility>

namespace platform {

QString UsKeyNames::keyName(int32_t vk) const
{
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return QString(QChar(vk));
    if (vk >= 96 && vk <= 105)
        return QStringLiteral("Num %1").arg(vk - 96);
    if (vk >= 112 && vk <= 135)
        return QStringLiteral("F%1").arg(vk - 111);

    static constexpr std::pair<int32_t, const char*> names[] = {
        {8, "Backspace"},   {9, "Tab"},          {12, "Clear"},        {13, "Enter"},
        {16, "Shift"},      {17, "Ctrl"},        {18, "Alt"},          {19, "Pause"},
        {20, "Caps Lock"},  {27, "Esc"},         {32, "Space"},        {33, "Page Up"},
        {34, "Page Down"},  {35, "End"},         {36, "Home"},         {37, "Left"},
        {38, "Up"},         {39, "Right"},       {40, "Down"},         {44, "Print Screen"},
        {45, "Insert"},     {46, "Delete"},      {91, "Left Win"},     {92, "Right Win"},
        {93, "Application"}, {106, "Num *"},     {107, "Num +"},       {109, "Num -"},
        {110, "Num ."},     {111, "Num /"},      {144, "Num Lock"},    {145, "Scroll Lock"},
        {160, "Shift"},     {161, "Right Shift"}, {162, "Ctrl"},       {163, "Right Ctrl"},
        {164, "Alt"},       {165, "Right Alt"},  {186, ";"},           {187, "="},
        {188, ","},         {189, "-"},          {190, "."},           {191, "/"},
        {192, "`"},         {219, "["},          {220, "\\"},         {221, "]"},
        {222, "'"},         {226, "\\"},
    };
    for (const auto& [code, name] : names)
        if (code == vk)
            return QString::fromLatin1(name);
    return {};
}

int32_t UsKeyNames::virtualKeyAtPlace(uint32_t scanCode) const
{
    // The typing keys of a US keyboard, row by row from their first scan code.
    static constexpr std::pair<uint32_t, const char*> rows[] = {
        {2, "1234567890-="}, {16, "QWERTYUIOP[]"}, {30, "ASDFGHJKL;'`"}, {43, "\\ZXCVBNM,./"}};
    static constexpr std::pair<char, int32_t> punctuation[] = {
        {';', 186}, {'=', 187}, {',', 188}, {'-', 189}, {'.', 190}, {'/', 191},
        {'`', 192}, {'[', 219}, {'\\', 220}, {']', 221}, {'\'', 222},
    };
    if (scanCode == 86)
        return 226; // the key beside the left Shift of a 102-key keyboard
    for (const auto& [first, keys] : rows) {
        const std::string_view row(keys);
        if (scanCode < first || scanCode >= first + row.size())
            continue;
        const char key = row[scanCode - first];
        for (const auto& [symbol, vk] : punctuation)
            if (symbol == key)
                return vk;
        return key; // letters and digits are their capital characters
    }
    return 0;
}

} // namespace platform
