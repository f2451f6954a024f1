// The edges of the key tables: the virtual-key numbers the hotkey box gives Qt
// keys, the names it shows for them, and the numbers the X backend reads from
// keysyms, which must agree with the box for every key it can record.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <X11/keysym.h>

#include "platform/us_key_names.h"
#include "platform/x11/x11_keysyms.h"
#include "runtime/virtual_keys.h"

namespace {

int16_t recorded(int qtKey, Qt::KeyboardModifiers modifiers = {})
{
    const QKeyEvent event(QEvent::KeyPress, qtKey, modifiers);
    return rt::virtualKeyOf(event);
}

TEST(KeyTables, TheRecorderNumbersRangesUpToTheirEdges)
{
    const struct {
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        int16_t virtualKey;
    } cases[] = {
        {Qt::Key_A, {}, 65},          {Qt::Key_Z, {}, 90},          {Qt::Key_0, {}, 48},
        {Qt::Key_9, {}, 57},          {Qt::Key_F1, {}, 112},        {Qt::Key_F24, {}, 135},
        {Qt::Key_0, Qt::KeypadModifier, 96}, {Qt::Key_9, Qt::KeypadModifier, 105},
        {Qt::Key_F25, {}, 0},         {Qt::Key_BracketLeft, {}, 219}, {Qt::Key_Colon, {}, 186},
        {Qt::Key_At, {}, '2'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(recorded(c.qtKey, c.modifiers), c.virtualKey) << std::hex << c.qtKey;

    const std::pair<int16_t, int> back[] = {
        {65, Qt::Key_A}, {90, Qt::Key_Z}, {48, Qt::Key_0}, {57, Qt::Key_9}, {112, Qt::Key_F1}, {135, Qt::Key_F24},
        {136, Qt::Key_unknown}, {64, Qt::Key_unknown}, {91, Qt::Key_Super_L},
    };
    for (const auto& [vk, qtKey] : back)
        EXPECT_EQ(rt::qtKeyFromVirtualKey(vk), qtKey) << vk;
}

// The first and last names of each range are pinned by the names test; here
// the last digit and the numbers just outside the ranges.
TEST(KeyTables, NamesEndWhereTheirRangesEnd)
{
    const platform::UsKeyNames names;
    const std::pair<int, const char*> cases[] = {
        {57, "9"}, {47, ""}, {58, ""}, {64, ""}, {91, "Left Win"}, {95, ""}, {106, "Num *"}, {111, "Num /"}, {136, ""},
    };
    for (const auto& [vk, name] : cases)
        EXPECT_EQ(names.keyName(vk).toStdString(), name) << vk;
}

// Every press the X backend sees must get the number the box records for it,
// or a recorded hotkey would not fire.
TEST(KeyTables, KeysymsGiveTheNumbersTheRecorderGives)
{
    const std::pair<unsigned long, int32_t> cases[] = {
        // Range edges, letters in either case.
        {XK_a, 65}, {XK_z, 90}, {XK_A, 65}, {XK_Z, 90}, {XK_0, 48}, {XK_9, 57}, {XK_F1, 112}, {XK_F24, 135},
        {XK_KP_0, 96}, {XK_KP_9, 105}, {XK_F25, 0}, {XK_at, '2'}, {XK_bracketleft, 219}, {XK_grave, 192},
        // The keypad's Enter and, with Num Lock off, its navigation keys act as the main keys.
        {XK_KP_Enter, 13}, {XK_Return, 13}, {XK_KP_Insert, 45}, {XK_KP_Delete, 46}, {XK_KP_Home, 36},
        {XK_KP_End, 35}, {XK_KP_Prior, 33}, {XK_KP_Next, 34}, {XK_KP_Left, 37}, {XK_KP_Up, 38},
        {XK_KP_Right, 39}, {XK_KP_Down, 40}, {XK_KP_Begin, 12},
        // With Num Lock on they are the keypad's own numbers.
        {XK_KP_Decimal, 110}, {XK_KP_Multiply, 106}, {XK_KP_Divide, 111},
        // Shifted symbols are their keys.
        {XK_exclam, '1'}, {XK_parenright, '0'}, {XK_question, 191}, {XK_bar, 220},
        {XK_VoidSymbol, 0},
    };
    for (const auto& [keysym, vk] : cases)
        EXPECT_EQ(platform::x11::virtualKeyOfKeysym(keysym), vk) << std::hex << keysym;
}

// A key without a number of its own gets the US number of its place, read from
// its X key code: ü and § of a German layout lie where "[" and 3 do.
TEST(KeyTables, KeyCodesGiveTheUsNumbersOfTheirPlaces)
{
    const platform::x11::X11KeyNames names;
    const std::pair<uint32_t, int32_t> cases[] = {
        {0, 0},     {9, 0},      {10, '1'},  {12, '3'},  {19, '0'},  {21, 187},  {22, 0},  {24, 'Q'},
        {34, 219},  {35, 221},   {36, 0},    {38, 'A'},  {47, 186},  {48, 222},  {49, 192}, {50, 0},
        {51, 220},  {52, 'Z'},   {58, 'M'},  {61, 191},  {62, 0},    {94, 226},
    };
    for (const auto& [keycode, vk] : cases)
        EXPECT_EQ(names.virtualKeyAtPlace(keycode), vk) << keycode;
}

} // namespace
