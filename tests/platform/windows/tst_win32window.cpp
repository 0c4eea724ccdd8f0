// SPDX-License-Identifier: GPL-3.0-or-later
// Checks the Windows window services through the Win32 API on a real window, and the rule
// that picks the settings folder. Exits non-zero on any mismatch.
//
// Usage: tst_win32window.exe window [seconds-to-stay-open]
//        tst_win32window.exe hotkeys
//        tst_win32window.exe location <preferred root> <expected folder>
#include "platform/windows/win32window.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

int failures = 0;

void check(bool ok, const char *what)
{
    std::printf("%s: %s\n", ok ? "PASS" : "FAIL", what);
    std::fflush(stdout);
    if (!ok)
        ++failures;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        // Black everywhere but a red bar: the black must be keyed out.
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT all;
        GetClientRect(window, &all);
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        RECT bar{20, 20, all.right - 20, 60};
        FillRect(dc, &bar, red);
        DeleteObject(red);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int testWindow(int seconds)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"MorivWin32Test";
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    check(RegisterClassW(&windowClass) != 0, "window class registered");
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Moriv Win32 test", WS_POPUP,
                                  100, 100, 300, 80, nullptr, nullptr, instance, nullptr);
    check(window != nullptr, "window created");
    if (!window)
        return 1;
    ShowWindow(window, SW_SHOWNOACTIVATE);

    check(!(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST), "not topmost at first");
    RECT before;
    GetWindowRect(window, &before);

    Win32Window::makeTopmost(window);

    check(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST, "topmost (WS_EX_TOPMOST)");
    RECT after;
    GetWindowRect(window, &after);
    check(EqualRect(&before, &after), "place and size kept");

    Win32Window::reassertTopmost(window);
    check(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST, "still topmost after re-assert");

    // A box opened by a shortcut: Windows hands the activation to its owner, the timer, when
    // it closes; the keyboard must go back to the window that had it before.
    const auto popup = [&](const wchar_t *title) {
        return CreateWindowExW(0, windowClass.lpszClassName, title, WS_POPUP | WS_VISIBLE, 450,
                               100, 200, 80, nullptr, nullptr, instance, nullptr);
    };
    HWND show = popup(L"slide show");
    SetForegroundWindow(show);
    void *remembered = Win32Window::foregroundWindow();
    check(remembered == show, "the slide show's window is remembered");
    HWND box = popup(L"question");
    SetForegroundWindow(box);
    DestroyWindow(box);
    SetForegroundWindow(window);
    Win32Window::restoreForeground(remembered);
    check(GetForegroundWindow() == show, "the slide show has the foreground again");
    check(!Win32Window::coversMonitorOf(show, window), "a window is no full-screen show");
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(show, nullptr, 0, 0, width, height, SWP_NOZORDER);
    check(Win32Window::coversMonitorOf(show, window), "the show covers the timer's monitor");
    check(!Win32Window::coversMonitorOf(GetShellWindow(), window), "the desktop is no show");
    DestroyWindow(show);

    // Stay up for a screenshot when asked.
    const DWORD until = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    MSG message;
    while (GetTickCount() < until) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
    DestroyWindow(window);
    return failures == 0 ? 0 : 1;
}

int testLocation(const std::wstring &root, const std::wstring &expected)
{
    const std::wstring localAppData = Win32Window::localAppDataDirectory();
    check(!localAppData.empty(), "local application-data folder known");
    std::wstring wanted = expected;
    if (wanted == L"fallback")
        wanted = localAppData + L"\\MorivTemp";
    const std::wstring chosen = Win32Window::settingsDirectory(root, localAppData);
    std::printf("chosen: %ls\n", chosen.c_str());
    check(chosen == wanted, "the expected settings folder");
    if (expected != L"fallback") {
        const DWORD attributes = GetFileAttributesW(chosen.c_str());
        check(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY),
              "the folder exists");
    }
    return failures == 0 ? 0 : 1;
}

// The global shortcuts: registered, delivered as WM_HOTKEY with their id, and a combination
// that is taken already is refused rather than fatal.
int testHotKeys()
{
    check(Win32Window::registerHotKey(1, 'A'), "Ctrl+Alt+A registered");
    check(!Win32Window::registerHotKey(2, 'A'), "a second registration of Ctrl+Alt+A refused");
    check(Win32Window::registerHotKey(3, 'S'), "Ctrl+Alt+S registered");
    check(Win32Window::registerHotKey(4, VK_PRIOR) && Win32Window::registerHotKey(5, VK_NEXT),
          "Ctrl+Alt+PageUp and Ctrl+Alt+PageDown registered");
    const LPARAM keys = MAKELPARAM(MOD_CONTROL | MOD_ALT, 'S');
    PostThreadMessageW(GetCurrentThreadId(), WM_HOTKEY, 3, keys);
    MSG message{};
    int delivered = -1;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (Win32Window::hotKeyId(&message) >= 0)
            delivered = Win32Window::hotKeyId(&message);
    }
    check(delivered == 3, "WM_HOTKEY comes with the id of Ctrl+Alt+S");
    message.message = WM_KEYDOWN;
    check(Win32Window::hotKeyId(&message) == -1, "other messages are not hot keys");
    Win32Window::unregisterHotKey(1);
    check(Win32Window::registerHotKey(2, 'A'), "Ctrl+Alt+A free again once unregistered");
    Win32Window::unregisterHotKey(2);
    for (int id : {3, 4, 5})
        Win32Window::unregisterHotKey(id);
    return failures == 0 ? 0 : 1;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc >= 2 && std::wstring(argv[1]) == L"window")
        return testWindow(argc >= 3 ? _wtoi(argv[2]) : 0);
    if (argc == 2 && std::wstring(argv[1]) == L"hotkeys")
        return testHotKeys();
    if (argc == 4 && std::wstring(argv[1]) == L"location")
        return testLocation(argv[2], argv[3]);
    std::printf("usage: tst_win32window window [seconds] | hotkeys | "
                "location <root> <expected>\n");
    return 2;
}
