// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Windows window-manager calls of the timer window, in plain C++ on a window handle, so
// that they build and can be tested without Qt. The handle is an HWND.
#include <string>

namespace Win32Window {

// SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE): above every window that
// is not topmost, place and size kept.
void makeTopmost(void *window);
// The same without taking the activation: a slide show may have raised itself meanwhile.
void reassertTopmost(void *window);

// RegisterHotKey(nullptr, id, MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, virtualKey): Ctrl+Alt and
// the key ('A' to 'Z', VK_UP, ...) for the whole desktop, posted to the calling thread as
// WM_HOTKEY. Returns false when the combination is taken, by another program or by this one.
bool registerHotKey(int id, unsigned virtualKey);
void unregisterHotKey(int id);
// The id of a WM_HOTKEY message (message is a MSG*); -1 for any other message.
int hotKeyId(const void *message);
// For WM_MOUSEACTIVATE of a right-click on WINDOW (message is a MSG*): the answer that leaves
// the active window as it is, in RESULT; false for any other message.
bool keepsActivation(const void *message, void *window, long long *result);

// Whether layered windows are shown without the desktop's compositor: under Wine on X11,
// which cuts a layered window's shape from its alpha and shows every pixel that is not fully
// transparent, at full strength. Windows' own compositor blends the alpha.
bool drawsWithoutDesktopCompositor();

// The window in the foreground now, and bringing it back there: a dialog opened from a
// global shortcut returns the keyboard to the slide show when it closes.
void *foregroundWindow();
void restoreForeground(void *window);
// Whether WINDOW, a program's and not the desktop's own, covers the whole monitor that SHOWN
// is on (a slide show in full screen).
bool coversMonitorOf(void *window, void *shown);

// The settings folder: "D:\MorivTemp" when that folder exists or can be made, so files that
// already exist there keep working; otherwise "MorivTemp" under the user's local application
// data. The parameters are for tests; the program passes "D:\" and the real folder.
std::wstring settingsDirectory(const std::wstring &preferredRoot,
                               const std::wstring &localAppData);
// The user's local application-data folder (%LOCALAPPDATA%).
std::wstring localAppDataDirectory();

} // namespace Win32Window
