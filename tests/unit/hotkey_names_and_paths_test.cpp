// Key names, and where the hotkey controls' INI file lies.
#include <gtest/gtest.h>

#include "controls/hotkey/module5.h"
#include "platform/us_key_names.h"

TEST(KeyNames, NavigationKeysAreNamedAsThemselvesAndTheKeypadAsTheKeypad)
{
    const platform::UsKeyNames names;
    const std::pair<int, const char*> expected[] = {
        {37, "Left"},    {38, "Up"},     {39, "Right"},     {40, "Down"},      {45, "Insert"},
        {46, "Delete"},  {36, "Home"},   {35, "End"},       {33, "Page Up"},   {34, "Page Down"},
        {96, "Num 0"},   {105, "Num 9"}, {110, "Num ."},    {112, "F1"},       {135, "F24"},
        {65, "A"},       {90, "Z"},      {48, "0"},         {27, "Esc"},       {8, "Backspace"},
        {13, "Enter"},   {32, "Space"},  {92, "Right Win"}, {186, ";"},        {222, "'"},
    };
    for (const auto& [vk, name] : expected)
        EXPECT_EQ(names.keyName(vk).toStdString(), name) << vk;
    EXPECT_TRUE(names.keyName(0).isEmpty());
    EXPECT_TRUE(names.keyName(255).isEmpty());
    EXPECT_TRUE(names.keyName(-1).isEmpty());
}

TEST(Module5, SetIniPathPutsTheFileInTheProgramFolderWithOneSeparator)
{
    Module5::SetIniPath("setting.ini", "/");
    EXPECT_EQ(Module5::IniPath(), "/setting.ini");
    Module5::SetIniPath("setting.ini", "/opt/vorlin");
    EXPECT_EQ(Module5::IniPath(), "/opt/vorlin/setting.ini");
    Module5::SetIniPath("set.ini", "/opt/vorlin/");
    EXPECT_EQ(Module5::IniPath(), "/opt/vorlin/set.ini");
}
