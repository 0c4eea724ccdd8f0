// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settingsfile.h"

#include "platform/files.h"
#include "platform/gb18030.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr qsizetype chunkBytes = 64 * 1024;

QString systemReason(const QString &qtReason)
{
    return qtReason.isEmpty() ? SettingsFile::tr("未知错误") : qtReason;
}

// The file's code page is GB18030 on every system; in any other the texts would change.
QString noCodePage()
{
    return SettingsFile::tr("这个系统没有设置文件所用的 GB18030 编码");
}

// Splits a byte stream into lines. A line ends at CR, at LF, or at CR LF taken as one; the
// last line may lack its end. Keeps only the last complete pair of lines.
class PairCollector
{
public:
    void feed(const char *data, qsizetype size)
    {
        for (qsizetype i = 0; i < size; ++i) {
            const char c = data[i];
            if (c == '\n' && m_afterCr) {
                m_afterCr = false;
                continue;
            }
            m_afterCr = c == '\r';
            if (c == '\r' || c == '\n') {
                endLine();
            } else {
                m_pending = true;
                if (m_line.size() < SettingsFile::maxLineBytes)
                    m_line.append(c);
            }
        }
    }

    void finish()
    {
        if (m_pending)
            endLine();
    }

    bool hasPair() const { return m_hasPair; }
    const QByteArray &title() const { return m_pairTitle; }
    const QByteArray &minutes() const { return m_pairMinutes; }

private:
    void endLine()
    {
        if (m_haveFirst) {
            m_pairTitle = m_first;
            m_pairMinutes = m_line;
            m_hasPair = true;
            m_haveFirst = false;
        } else {
            m_first = m_line;
            m_haveFirst = true;
        }
        m_line.clear();
        m_pending = false;
    }

    QByteArray m_line;
    QByteArray m_first;
    QByteArray m_pairTitle;
    QByteArray m_pairMinutes;
    bool m_afterCr = false;
    bool m_pending = false;
    bool m_haveFirst = false;
    bool m_hasPair = false;
};

} // namespace

SettingsFile::SettingsFile(QString directory)
    : m_directory(std::move(directory))
{
}

QString SettingsFile::filePath() const
{
    return QDir(m_directory).filePath(QLatin1String(fileName));
}

QByteArray SettingsFile::encode(const QString &text)
{
    return Gb18030::encode(text);
}

QString SettingsFile::decode(const QByteArray &bytes)
{
    // A line end never continues a character, so one appended here ends a character cut off
    // at the end of the line, which the decoder would otherwise hold back and drop.
    QString text = Gb18030::decode(bytes + '\n');
    text.chop(1);
    return text;
}

QByteArray SettingsFile::defaultContents()
{
    return encode(defaultTitle()) + "\r\n" + encode(defaultMinutes()) + "\r\n";
}

// A save killed between writing its temporary file and renaming it leaves the file behind:
// sys.txt, a dot and six random letters and digits. One that has not changed for a minute is
// no save of another timer still in progress, so the next start or save removes it. A name
// of one kind of character only ("backup", "BACKUP", "202412") is taken for the user's own.
void SettingsFile::removeLeftovers() const
{
    const auto isRandom = [](QStringView suffix) {
        int lower = 0, upper = 0, digits = 0;
        for (const QChar c : suffix) {
            lower += c >= u'a' && c <= u'z';
            upper += c >= u'A' && c <= u'Z';
            digits += c >= u'0' && c <= u'9';
        }
        return lower + upper + digits == 6 && (lower > 0) + (upper > 0) + (digits > 0) >= 2;
    };
    const QDateTime stale = QDateTime::currentDateTime().addSecs(-60);
    const QDir folder(m_directory);
    const QString pattern = QLatin1String(fileName) + QStringLiteral(".??????");
    for (const QFileInfo &left : folder.entryInfoList({pattern}, QDir::Files | QDir::Hidden)) {
        if (!left.isSymLink() && left.lastModified() < stale
            && isRandom(QStringView(left.fileName()).right(6)))
            QFile::remove(left.filePath());
    }
}

Outcome SettingsFile::EnsureSettingsFile() const
{
    removeLeftovers();
    const QFileInfo folder(m_directory);
    if (folder.exists() && !folder.isDir())
        return Outcome::failure(
            filePath(), tr("%1 不是文件夹").arg(QDir::toNativeSeparators(m_directory)));
    const QFileInfo file(filePath());
    if (file.exists()) {
        if (file.isDir())
            return Outcome::failure(filePath(), tr("它是文件夹"));
        return {};
    }
    return writeBytes(defaultContents());
}

Outcome SettingsFile::ReadSettingsFile(QString &title, QString &minutes) const
{
    if (!Gb18030::isAvailable())
        return Outcome::failure(filePath(), noCodePage());
    QFile file;
    if (const Outcome opened = RegularFile::openForReading(file, filePath()); !opened)
        return opened;
    if (file.size() > maxFileBytes)
        return Outcome::failure(filePath(), tr("它大于 %1 KiB，作为设置文件太大")
                                                .arg(maxFileBytes / 1024));
    Outcome result = readPairs(file, title, minutes);
    result.path = filePath();
    return result;
}

Outcome SettingsFile::readPairs(QIODevice &device, QString &title, QString &minutes)
{
    // Read in chunks: memory stays small whatever the size of the file.
    PairCollector lines;
    QByteArray chunk(chunkBytes, Qt::Uninitialized);
    for (;;) {
        const qint64 got = device.read(chunk.data(), chunk.size());
        if (got < 0)
            return Outcome::failure({}, systemReason(device.errorString()));
        if (got == 0)
            break;
        lines.feed(chunk.constData(), got);
    }
    lines.finish();

    if (lines.hasPair()) {
        title = decode(lines.title());
        minutes = decode(lines.minutes());
    }
    return {};
}

Outcome SettingsFile::WriteSettingsFile(const QString &title, const QString &minutes) const
{
    return writeBytes(encode(title) + "\r\n" + encode(minutes) + "\r\n");
}

Outcome SettingsFile::writeBytes(const QByteArray &contents) const
{
    if (!Gb18030::isAvailable())
        return Outcome::failure(filePath(), noCodePage());
    // A save replaces a regular file (or the one a link leads to) and nothing else: a FIFO or
    // a device under the name stays what it is.
    if (const Outcome replaceable = RegularFile::mayReplace(filePath()); !replaceable)
        return replaceable;
    if (!QFileInfo(m_directory).isDir() && !QDir().mkpath(m_directory))
        return Outcome::failure(filePath(), tr("无法创建文件夹 %1")
                                                .arg(QDir::toNativeSeparators(m_directory)));

    removeLeftovers();
    // The new contents go to a temporary file beside the old one and replace it in one step
    // once they are on the disk, so a crash or a full disk never leaves half a file. Unbuffered:
    // a full disk then fails the write itself, where it is seen, instead of the flush inside
    // commit(), whose failure QSaveFile does not report.
    QSaveFile file(filePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Outcome::failure(filePath(), systemReason(file.errorString()));
    if (file.write(contents) != contents.size() || !file.flush()) {
        const QString reason = file.error() == QFileDevice::NoError
                                   ? tr("磁盘只写入了文件的一部分")
                                   : systemReason(file.errorString());
        file.cancelWriting();
        return Outcome::failure(filePath(), reason);
    }
    if (!file.commit())
        return Outcome::failure(filePath(), systemReason(file.errorString()));
    return {};
}
