// SPDX-License-Identifier: GPL-3.0-or-later
// Settings-file checks on POSIX systems: what an open descriptor really is.
#include "platform/files.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString describe(mode_t mode)
{
    const char *kind = QT_TRANSLATE_NOOP("RegularFile", "它不是普通文件");
    if (S_ISDIR(mode))
        kind = QT_TRANSLATE_NOOP("RegularFile", "它是文件夹");
    else if (S_ISFIFO(mode))
        kind = QT_TRANSLATE_NOOP("RegularFile", "它是 FIFO（命名管道），不是普通文件");
    else if (S_ISCHR(mode) || S_ISBLK(mode))
        kind = QT_TRANSLATE_NOOP("RegularFile", "它是设备，不是普通文件");
    else if (S_ISSOCK(mode))
        kind = QT_TRANSLATE_NOOP("RegularFile", "它是套接字，不是普通文件");
    return QCoreApplication::translate("RegularFile", kind);
}

} // namespace

namespace RegularFile {

Outcome openForReading(QFile &file, const QString &path)
{
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return Outcome::failure(path, qt_error_string(errno));
    struct stat info = {};
    QString refusal;
    if (::fstat(fd, &info) != 0)
        refusal = qt_error_string(errno);
    else if (!S_ISREG(info.st_mode))
        refusal = describe(info.st_mode);
    if (!refusal.isEmpty()) {
        ::close(fd);
        return Outcome::failure(path, refusal);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Outcome::failure(path, file.errorString());
    }
    return {};
}

Outcome mayReplace(const QString &path)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {}; // nothing there yet, or a dangling link: the save makes the file
    return S_ISREG(info.st_mode) ? Outcome() : Outcome::failure(path, describe(info.st_mode));
}

} // namespace RegularFile
