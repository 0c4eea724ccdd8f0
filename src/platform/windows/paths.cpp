// SPDX-License-Identifier: GPL-3.0-or-later
// Where the settings file and the command pipe live on Windows.
#include "platform/platform.h"
#include "platform/windows/win32window.h"

#include <cstdio>

namespace Platform {

QString settingsDirectory()
{
    return QString::fromStdWString(
        Win32Window::settingsDirectory(L"D:\\", Win32Window::localAppDataDirectory()));
}

QString commandSocketName()
{
    // Pipe names are seen by every user of the machine: the name carries the user's, and the
    // server lets only that user in.
    return QStringLiteral("moriv-command-") + qEnvironmentVariable("USERNAME");
}

Outcome changeDesktopShortcuts(const QString &, bool)
{
    std::puts("moriv: on Windows the Ctrl+Alt shortcuts work without any setup");
    return {};
}

} // namespace Platform
