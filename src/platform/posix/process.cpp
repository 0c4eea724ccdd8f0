// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/process.h"

#include <QByteArray>
#include <QFile>

namespace Platform {

bool isProcessStopped(qint64 pid)
{
    // Linux's /proc: the state follows the command's name in parentheses, which may itself
    // hold spaces and parentheses. T is stopped by a signal. A traced process held by its
    // tracer (t) is not counted: a tracer that delays a slow call lets it go on later.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.read(512);
    const qsizetype name = line.lastIndexOf(')');
    if (name < 0 || name + 2 >= line.size())
        return false;
    const char state = line.at(name + 2);
    return state == 'T';
}

void attachParentConsole()
{
    // A Unix program always prints where it was started from.
}

} // namespace Platform
