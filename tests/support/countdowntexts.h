// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// What the countdown tells the speaker, and a settings file for a count of some minutes.
namespace CountdownTexts {

inline const QString invalidMinutes =
    QStringLiteral("倒计时时间设置无效，请按 f 键打开设置，输入 1 到 32768 之间的分钟数！");
inline const QString timeIsUp = QStringLiteral("倒计时时间到！！！");

inline QByteArray settingsWith(const char *minutes)
{
    return QByteArray("T\r\n") + minutes + "\r\n";
}

} // namespace CountdownTexts
