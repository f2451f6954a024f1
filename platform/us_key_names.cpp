#include "platform/us_key_names.h"

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

} // namespace platform
