// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/timecaptions.h"

TimeCaptions TimeCaptions::of(const ShownTime &shown)
{
    const QString cleared = QStringLiteral("00");
    switch (shown.kind) {
    case ShownTime::Kind::Setting:
        return {shown.setting, cleared};
    case ShownTime::Kind::Left:
        return {QString::number(shown.seconds / 60), QString::number(shown.seconds % 60)};
    case ShownTime::Kind::Zero:
        return {QStringLiteral("0"), cleared};
    case ShownTime::Kind::Over:
        return {QLatin1Char('-') + QString::number(shown.seconds / 60),
                QStringLiteral("%1").arg(shown.seconds % 60, 2, 10, QLatin1Char('0'))};
    case ShownTime::Kind::TimeUp:
        break;
    }
    return {cleared, cleared};
}

QString TimeCaptions::hundredths(qint16 hundredths)
{
    return hundredths == 0 ? QStringLiteral("00") : QString::number(hundredths);
}
