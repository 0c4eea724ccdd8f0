// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/outcome.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

class QIODevice;

// The two-line settings file: the countdown's title, then its length in minutes, each line
// ended by CR LF, in the Chinese code page (GBK, and GB18030 for characters GBK lacks).
// Nothing is cached: every read goes to the disk.
class SettingsFile
{
    Q_DECLARE_TR_FUNCTIONS(SettingsFile)

public:
    static constexpr auto fileName = "sys.txt";
    // Lines longer than this are cut when read, so that a huge file that is not a settings
    // file cannot take up memory.
    static constexpr qsizetype maxLineBytes = 64 * 1024;
    // A larger file is refused unread: two short lines never come near it, and reading it
    // would hold up start-up.
    static constexpr qint64 maxFileBytes = 1024 * 1024;

    explicit SettingsFile(QString directory);

    QString directory() const { return m_directory; }
    QString filePath() const;

    // Creates the folder and the default file (title "倒计时标题", minutes " 3 ") when they
    // are missing; an existing file is left as it is.
    Outcome EnsureSettingsFile() const;
    // Reads the last complete pair of lines into title and minutes. A file of no lines, or a
    // failure, leaves both as they were. Only a regular file of at most maxFileBytes is read.
    Outcome ReadSettingsFile(QString &title, QString &minutes) const;
    // Replaces the file with the two texts, atomically: a failure leaves the old file whole.
    Outcome WriteSettingsFile(const QString &title, const QString &minutes) const;

    // The reading rules of ReadSettingsFile, on any device.
    static Outcome readPairs(QIODevice &device, QString &title, QString &minutes);

    static QByteArray encode(const QString &text);
    static QString decode(const QByteArray &bytes);
    static QByteArray defaultContents();

    // What the first start writes, and what counts when no file can be used.
    static QString defaultTitle() { return QStringLiteral("倒计时标题"); }
    // The number 3 as a number prints: a blank for the sign, 3, a blank.
    static QString defaultMinutes() { return QStringLiteral(" 3 "); }

private:
    Outcome writeBytes(const QByteArray &contents) const;
    void removeLeftovers() const;

    QString m_directory;
};
