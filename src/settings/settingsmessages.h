// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settingsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QString>

// What the user is told when the settings file cannot be used. Each names the file and the
// reason the system gave.
namespace SettingsMessages {

inline QString location(const Outcome &result)
{
    return QDir::toNativeSeparators(result.path);
}

// Start-up could not ensure or read the file and goes on with the default countdown.
inline QString startupFailure(const Outcome &result)
{
    return QCoreApplication::translate("SettingsMessages",
                                       "无法使用设置文件 %1：%2\n本次使用默认的 3 分钟倒计时。")
        .arg(location(result), result.reason);
}

// Reset or the dialog could not read the file and keeps the minutes it already had.
inline QString readFailure(const Outcome &result)
{
    return QCoreApplication::translate("SettingsMessages",
                                       "无法读取设置文件 %1：%2\n仍使用当前的倒计时时间。")
        .arg(location(result), result.reason);
}

// The dialog's save could not write the file; nothing was changed.
inline QString saveFailure(const Outcome &result)
{
    return QCoreApplication::translate("SettingsMessages",
                                       "无法保存设置文件 %1：%2\n设置没有保存，倒计时未改变。")
        .arg(location(result), result.reason);
}

} // namespace SettingsMessages
