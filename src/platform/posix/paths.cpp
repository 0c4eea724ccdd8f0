// SPDX-License-Identifier: GPL-3.0-or-later
// Where the settings file and the command socket live on a Unix desktop: the XDG folders.
#include "platform/files.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace Platform {

namespace {

QString configHome()
{
    // The XDG base directory rules: a relative or empty XDG_CONFIG_HOME is invalid and is
    // ignored, rather than taken relative to whatever folder the program was started in.
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base;
}

} // namespace

QString settingsDirectory()
{
    return QDir(configHome()).filePath(QStringLiteral("MorivTemp"));
}

QString preferencesPath()
{
    return QDir(configHome()).filePath(QStringLiteral("moriv/moriv.conf"));
}

namespace {

// A folder only this user can enter: a real folder (not a link), ours, mode 0700.
bool isPrivateFolder(const QString &path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISDIR(status.st_mode)
           && status.st_uid == ::getuid() && (status.st_mode & 0777) == 0700;
}

} // namespace

QString commandSocketName()
{
    // A socket's path has room for sizeof sun_path bytes, its terminating zero included.
    const auto fits = [](const QString &folder) {
        const QString base = QDir(folder).filePath(QStringLiteral("moriv-command"));
        constexpr qsizetype room = sizeof(sockaddr_un::sun_path);
        return QFile::encodeName(base).size() + commandSocketSuffix < room;
    };
    // The session's runtime folder; without one, or with one whose path leaves no room for
    // the socket's name, a folder of our own in the temporary folder, made private and
    // refused if someone else made it first.
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || QDir::isRelativePath(folder) || !isPrivateFolder(folder)
        || !fits(folder)) {
        folder = QDir(QDir::tempPath()).filePath(QStringLiteral("moriv-%1").arg(::getuid()));
        ::mkdir(QFile::encodeName(folder).constData(), 0700);
        if (!isPrivateFolder(folder) || !fits(folder))
            return {};
    }
    return QDir(folder).filePath(QStringLiteral("moriv-command"));
}

} // namespace Platform
