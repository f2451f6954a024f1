#pragma once
// setting.ini as saving Ctrl+F1, nothing and Alt+F3 in the hotkey window's
// three controls writes it: GBK text ("无" is CE DE), CR LF line ends.
inline constexpr char ExampleSettingsIni[] = "[RKHotKey]\r\n"
                                             "RKHotKey1Text=Ctrl + F1\r\n"
                                             "RKHotKey1KeyCode=112\r\n"
                                             "RKHotKey1ModKeyCode=2\r\n"
                                             "RKHotKey2Text=\xCE\xDE\r\n"
                                             "RKHotKey2KeyCode=0\r\n"
                                             "RKHotKey2ModKeyCode=0\r\n"
                                             "RKHotKey3Text=Alt + F3\r\n"
                                             "RKHotKey3KeyCode=114\r\n"
                                             "RKHotKey3ModKeyCode=1\r\n";
