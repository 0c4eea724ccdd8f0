// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/win32window.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <shlobj.h>

namespace Win32Window {

namespace {

HWND handle(void *window)
{
    return static_cast<HWND>(window);
}

} // namespace

bool keepsActivation(const void *message, void *window, long long *result)
{
    const auto *msg = static_cast<const MSG *>(message);
    if (msg->hwnd != handle(window) || msg->message != WM_MOUSEACTIVATE
        || HIWORD(msg->lParam) != WM_RBUTTONDOWN)
        return false;
    *result = MA_NOACTIVATE;
    return true;
}

namespace {

bool isFolder(const std::wstring &path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring join(std::wstring folder, const wchar_t *name)
{
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/')
        folder += L'\\';
    return folder + name;
}

} // namespace

void makeTopmost(void *window)
{
    SetWindowPos(handle(window), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void reassertTopmost(void *window)
{
    SetWindowPos(handle(window), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool registerHotKey(int id, unsigned virtualKey)
{
    return RegisterHotKey(nullptr, id, MOD_CONTROL | MOD_ALT | MOD_NOREPEAT,
                          static_cast<UINT>(virtualKey))
           != FALSE;
}

void unregisterHotKey(int id)
{
    UnregisterHotKey(nullptr, id);
}

int hotKeyId(const void *message)
{
    const MSG *msg = static_cast<const MSG *>(message);
    return msg->message == WM_HOTKEY ? static_cast<int>(msg->wParam) : -1;
}

bool coversMonitorOf(void *window, void *shown)
{
    const HWND hwnd = static_cast<HWND>(window);
    if (!hwnd || hwnd == GetShellWindow() || hwnd == GetDesktopWindow())
        return false;
    wchar_t className[32] = {};
    GetClassNameW(hwnd, className, 32);
    // The desktop's icons and wallpaper cover the monitor too.
    if (std::wstring(className) == L"Progman" || std::wstring(className) == L"WorkerW")
        return false;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    RECT covered = {};
    if (!GetMonitorInfoW(MonitorFromWindow(static_cast<HWND>(shown), MONITOR_DEFAULTTONEAREST),
                         &monitor)
        || !GetWindowRect(hwnd, &covered))
        return false;
    return covered.left <= monitor.rcMonitor.left && covered.top <= monitor.rcMonitor.top
           && covered.right >= monitor.rcMonitor.right
           && covered.bottom >= monitor.rcMonitor.bottom;
}

bool drawsWithoutDesktopCompositor()
{
    // Wine exports its version from its ntdll; Windows' own has no such entry.
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

void *foregroundWindow()
{
    return GetForegroundWindow();
}

void restoreForeground(void *window)
{
    if (window && IsWindow(handle(window)))
        SetForegroundWindow(handle(window));
}

std::wstring settingsDirectory(const std::wstring &preferredRoot,
                               const std::wstring &localAppData)
{
    const std::wstring preferred = join(preferredRoot, L"MorivTemp");
    if (isFolder(preferred))
        return preferred;
    // A missing drive, a CD drive or a drive we may not write to refuses the folder.
    if (isFolder(preferredRoot) && CreateDirectoryW(preferred.c_str(), nullptr))
        return preferred;
    return join(localAppData, L"MorivTemp");
}

std::wstring localAppDataDirectory()
{
    PWSTR path = nullptr;
    std::wstring result;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path)) && path)
        result = path;
    CoTaskMemFree(path);
    return result;
}

} // namespace Win32Window
