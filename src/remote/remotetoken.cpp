// SPDX-License-Identifier: GPL-3.0-or-later
#include "remote/remotecontrol.h"

#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <algorithm>
#include <array>

namespace {

// A token is what a person may type into a controller's URL field: letters, digits and the
// few marks a URL carries unescaped, long enough that nobody guesses it.
bool isToken(const QByteArray &text)
{
    return text.size() >= 32 && text.size() <= 256
           && std::all_of(text.cbegin(), text.cend(), [](char c) {
                  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')
                         || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_'
                         || c == '~';
              });
}

QByteArray newToken()
{
    std::array<quint32, 8> bits{};
    QRandomGenerator::system()->fillRange(bits.data(), bits.size());
    return QByteArray(reinterpret_cast<const char *>(bits.data()), sizeof bits).toHex();
}

Outcome write(const QString &path, const QByteArray &token)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return Outcome::failure(path, QStringLiteral("its folder cannot be made"));
    if (const Outcome may = RegularFile::mayReplace(path); !may)
        return may;
    QSaveFile file(path);
    // Private before a byte of the token is in it.
    if (!file.open(QIODevice::WriteOnly)
        || !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)
        || file.write(token + '\n') != token.size() + 1 || !file.commit())
        return Outcome::failure(path, file.errorString());
    return {};
}

} // namespace

Outcome Remote::readOrMakeToken(const QString &path, QByteArray *token)
{
    if (QFileInfo::exists(path)) {
        QFile file;
        if (const Outcome opened = RegularFile::openForReading(file, path); !opened)
            return opened;
        const QByteArray read = file.read(1024).trimmed();
        if (file.error() != QFileDevice::NoError)
            return Outcome::failure(path, file.errorString());
        bool othersMayRead = false;
#ifndef Q_OS_WIN
        othersMayRead = file.permissions()
                        & (QFileDevice::ReadGroup | QFileDevice::ReadOther
                           | QFileDevice::WriteGroup | QFileDevice::WriteOther);
#endif
        // One that others could read may be known already: a new one replaces it.
        if (isToken(read) && !othersMayRead) {
            *token = read;
            return {};
        }
    }
    const QByteArray made = newToken();
    if (const Outcome written = write(path, made); !written)
        return written;
    *token = made;
    return {};
}
