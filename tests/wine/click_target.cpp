// A plain Windows program for the tests under Wine, in three modes:
//
//   click_target.exe EVENTS X Y W H
//       Shows a window titled "Click target" at (X, Y), W x H pixels, and
//       appends one line per event to the file EVENTS as it happens:
//       "window L T R B" (its client area in screen pixels, after every move),
//       "down X Y" / "up X Y" (left button, screen pixels), "focus 1" /
//       "focus 0", "key VK" (a key press that reached the window).
//   click_target.exe --topmost TITLE
//       Exit code 1 when a top-level window titled TITLE is topmost, 0 when it
//       is not, 2 when there is none.
//   click_target.exe --client TITLE FILE
//       Writes "L T R B", the client area in screen pixels of the top-level
//       window titled TITLE, as Wine sees it, into FILE; exit code 2 when none.
//   click_target.exe --record FILE ARGUMENT
//       Appends ARGUMENT and a line end to FILE (UTF-8): a stand-in handler
//       that the tests register for the web and mail addresses.
#include <windows.h>

#include <shellapi.h>
#include <string>

namespace {

HANDLE events = INVALID_HANDLE_VALUE;

HANDLE openForAppending(const wchar_t* path)
{
    return CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Written at once, unbuffered, so the tests see each event as it happens.
void writeLine(HANDLE file, const std::string& line)
{
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void report(const std::string& what, long a, long b)
{
    writeLine(events, what + " " + std::to_string(a) + " " + std::to_string(b));
}

void reportWindow(HWND hwnd)
{
    RECT r{};
    GetClientRect(hwnd, &r);
    POINT topLeft{r.left, r.top}, bottomRight{r.right, r.bottom};
    ClientToScreen(hwnd, &topLeft);
    ClientToScreen(hwnd, &bottomRight);
    writeLine(events, "window " + std::to_string(topLeft.x) + " " + std::to_string(topLeft.y) + " " +
                          std::to_string(bottomRight.x) + " " + std::to_string(bottomRight.y));
}

void reportClick(const char* what, HWND hwnd, LPARAM lParam)
{
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(hwnd, &p);
    report(what, p.x, p.y);
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        reportClick("down", hwnd, lParam);
        return 0;
    case WM_LBUTTONUP:
        reportClick("up", hwnd, lParam);
        return 0;
    case WM_SETFOCUS:
        writeLine(events, "focus 1");
        return 0;
    case WM_KILLFOCUS:
        writeLine(events, "focus 0");
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        writeLine(events, "key " + std::to_string(wParam));
        break;
    case WM_WINDOWPOSCHANGED:
        reportWindow(hwnd);
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

int showWindow(const wchar_t* eventsPath, int x, int y, int width, int height)
{
    events = openForAppending(eventsPath);
    if (events == INVALID_HANDLE_VALUE)
        return 3;
    WNDCLASSW wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"VorlinClickTarget";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Click target", WS_OVERLAPPEDWINDOW, x, y, width, height,
                                nullptr, nullptr, wc.hInstance, nullptr);
    if (!hwnd)
        return 4;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    reportWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    CloseHandle(events);
    return 0;
}

int isTopmost(const wchar_t* title)
{
    HWND hwnd = FindWindowW(nullptr, title);
    if (!hwnd)
        return 2;
    return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0;
}

int writeClientArea(const wchar_t* title, const wchar_t* path)
{
    HWND hwnd = FindWindowW(nullptr, title);
    if (!hwnd)
        return 2;
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 3;
    events = file;
    reportWindow(hwnd);
    CloseHandle(file);
    return 0;
}

int record(const wchar_t* path, const wchar_t* argument)
{
    HANDLE file = openForAppending(path);
    if (file == INVALID_HANDLE_VALUE)
        return 3;
    const int n = WideCharToMultiByte(CP_UTF8, 0, argument, -1, nullptr, 0, nullptr, nullptr);
    std::string text(n > 0 ? n - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, argument, -1, text.data(), n, nullptr, nullptr);
    writeLine(file, text);
    CloseHandle(file);
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv)
        return 5;
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"--topmost" && argc == 3)
        return isTopmost(argv[2]);
    if (mode == L"--client" && argc == 4)
        return writeClientArea(argv[2], argv[3]);
    if (mode == L"--record" && argc == 4)
        return record(argv[2], argv[3]);
    if (argc == 6)
        return showWindow(argv[1], _wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]));
    return 5;
}
