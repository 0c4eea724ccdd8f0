// SPDX-License-Identifier: GPL-3.0-or-later
// Where the settings file and the command pipe live on Windows.
#include "platform/files.h"
#include "platform/globalshortcuts.h"
#include "platform/windows/win32window.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace Platform {

QString settingsDirectory()
{
    return QString::fromStdWString(
        Win32Window::settingsDirectory(L"D:\\", Win32Window::localAppDataDirectory()));
}

QString preferencesPath()
{
    QString base = qEnvironmentVariable("APPDATA");
    if (base.isEmpty())
        base = QString::fromStdWString(Win32Window::localAppDataDirectory());
    return QDir::fromNativeSeparators(base) + QStringLiteral("/Moriv/moriv.ini");
}

QString commandSocketName()
{
    // Pipe names are seen by every user of the machine: the name carries the user's, and the
    // server lets only that user in.
    return QStringLiteral("moriv-command-") + qEnvironmentVariable("USERNAME");
}

Outcome changeDesktopShortcuts(const QString &, bool)
{
    std::printf("moriv: %s\n",
                qPrintable(QCoreApplication::translate(
                    "DesktopShortcuts", "在 Windows 上，Ctrl+Alt 快捷键无需任何设置就能使用")));
    return {};
}

} // namespace Platform
