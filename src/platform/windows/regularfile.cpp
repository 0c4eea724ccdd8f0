// SPDX-License-Identifier: GPL-3.0-or-later
// Settings-file checks on Windows, where a path on a drive names a folder or a disk file.
#include "platform/files.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace RegularFile {

Outcome openForReading(QFile &file, const QString &path)
{
    if (const Outcome replaceable = mayReplace(path); !replaceable)
        return replaceable;
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return Outcome::failure(path, file.errorString());
    return {};
}

Outcome mayReplace(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return {};
    return Outcome::failure(path, info.isDir()
                                      ? QCoreApplication::translate("RegularFile", "它是文件夹")
                                      : QCoreApplication::translate("RegularFile",
                                                                    "它不是普通文件"));
}

} // namespace RegularFile
