// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray gbk(const char *utf8)
{
    return SettingsFile::encode(QString::fromUtf8(utf8));
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void defaultFileIsSeventeenExactBytes();
    void firstRunCreatesFolderAndFile();
    void missingFileInExistingFolderIsCreated();
    void existingFileIsNotWritten();

    void reading_data();
    void reading();
    void emptyFileKeepsEarlierValues();
    void writtenTextsReadBackUnchanged_data();
    void writtenTextsReadBackUnchanged();
    void emptyTitleWritesLeadingLineEnd();
    void saveReplacesTheWholeFile();
    void invalidBytesBecomeReplacementCharacters();
    void hugeLineIsCutNotHeld();
    void fileOverOneMebibyteIsRefusedUnread();

    void unusableLocationReportsFailure_data();
    void unusableLocationReportsFailure();
    void readOnlyFolderReportsFailureAndKeepsTheFile();
    void failedWriteKeepsTheOldBytes_data();
    void failedWriteKeepsTheOldBytes();
    void onlyRegularFilesAreUsed_data();
    void onlyRegularFilesAreUsed();

private:
    std::unique_ptr<QTemporaryDir> m_temp;
    QString folder() const { return m_temp->filePath(QStringLiteral("MorivTemp")); }
    QString file() const { return QDir(folder()).filePath(QStringLiteral("sys.txt")); }
};

void TestSettingsFile::init()
{
    m_temp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_temp->isValid());
}

void TestSettingsFile::defaultFileIsSeventeenExactBytes()
{
    QCOMPARE(SettingsFile::defaultContents().toHex(' '),
             QByteArray("b5 b9 bc c6 ca b1 b1 ea cc e2 0d 0a 20 33 20 0d 0a"));
}

void TestSettingsFile::firstRunCreatesFolderAndFile()
{
    const SettingsFile settings(folder());
    QVERIFY(settings.EnsureSettingsFile());
    QCOMPARE(readAll(file()), SettingsFile::defaultContents());
    QString title;
    QString minutes;
    QVERIFY(settings.ReadSettingsFile(title, minutes));
    QCOMPARE(title, QStringLiteral("倒计时标题"));
    QCOMPARE(minutes, QStringLiteral(" 3 "));
}

void TestSettingsFile::missingFileInExistingFolderIsCreated()
{
    QVERIFY(QDir().mkpath(folder()));
    QVERIFY(SettingsFile(folder()).EnsureSettingsFile());
    QCOMPARE(readAll(file()), SettingsFile::defaultContents());
}

void TestSettingsFile::existingFileIsNotWritten()
{
    QVERIFY(QDir().mkpath(folder()));
    const QByteArray contents = gbk("演讲\r\n20\r\n");
    writeAll(file(), contents);
    const SettingsFile settings(folder());
    QVERIFY(settings.EnsureSettingsFile());
    QCOMPARE(readAll(file()), contents);
    QString title;
    QString minutes;
    QVERIFY(settings.ReadSettingsFile(title, minutes));
    QCOMPARE(title, QStringLiteral("演讲"));
    QCOMPARE(minutes, QStringLiteral("20"));
}

void TestSettingsFile::reading_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("minutes");

    QTest::newRow("CR LF") << QByteArray("T\r\n5\r\n") << "T" << "5";
    QTest::newRow("four lines give lines 3 and 4")
        << QByteArray("a\r\n1\r\nb\r\n2\r\n") << "b" << "2";
    QTest::newRow("last line without line end") << QByteArray("T\r\n15") << "T" << "15";
    QTest::newRow("CR only") << QByteArray("T\r7\r") << "T" << "7";
    QTest::newRow("LF only") << QByteArray("T\n8\n") << "T" << "8";
    QTest::newRow("mixed") << QByteArray("a\n1\rb\r\n2") << "b" << "2";
    QTest::newRow("LF CR is two line ends") << QByteArray("T\n\r9\r\n") << "T" << "";
    QTest::newRow("unpaired last line ignored") << QByteArray("a\r\n1\r\nb\r\n") << "a" << "1";
    QTest::newRow("empty line after the pair") << QByteArray("a\r\n1\r\n\r\n") << "a" << "1";
    QTest::newRow("empty title") << QByteArray("\r\n4\r\n") << "" << "4";
    QTest::newRow("blanks kept") << QByteArray("  T  \r\n 3 \r\n") << "  T  " << " 3 ";
    QTest::newRow("Chinese") << gbk("倒计时标题\r\n十\r\n") << "倒计时标题" << "十";
}

void TestSettingsFile::reading()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, title);
    QFETCH(QString, minutes);
    QVERIFY(QDir().mkpath(folder()));
    writeAll(file(), contents);
    QString readTitle = QStringLiteral("before");
    QString readMinutes = QStringLiteral("before");
    QVERIFY(SettingsFile(folder()).ReadSettingsFile(readTitle, readMinutes));
    QCOMPARE(readTitle, title);
    QCOMPARE(readMinutes, minutes);
}

void TestSettingsFile::emptyFileKeepsEarlierValues()
{
    QVERIFY(QDir().mkpath(folder()));
    writeAll(file(), QByteArray());
    QString title = QStringLiteral("old title");
    QString minutes = QStringLiteral("12");
    QVERIFY(SettingsFile(folder()).ReadSettingsFile(title, minutes));
    QCOMPARE(title, QStringLiteral("old title"));
    QCOMPARE(minutes, QStringLiteral("12"));
}

void TestSettingsFile::writtenTextsReadBackUnchanged_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("minutes");
    QTest::newRow("digits") << "倒计时标题" << "15";
    QTest::newRow("not a number") << "T" << "abc";
    QTest::newRow("empty minutes") << "T" << "";
    QTest::newRow("blanks") << " T " << "  7  ";
    QTest::newRow("emoji outside GBK") << QString::fromUtf8("讲座 😀") << QString::fromUtf8("５");
    QTest::newRow("euro and rare Han") << QString::fromUtf8("€ 𠀀") << "1";
}

void TestSettingsFile::writtenTextsReadBackUnchanged()
{
    QFETCH(QString, title);
    QFETCH(QString, minutes);
    const SettingsFile settings(folder());
    QVERIFY(settings.WriteSettingsFile(title, minutes));
    QString readTitle;
    QString readMinutes;
    QVERIFY(settings.ReadSettingsFile(readTitle, readMinutes));
    QCOMPARE(readTitle, title);
    QCOMPARE(readMinutes, minutes);
    QCOMPARE(readAll(file()),
             SettingsFile::encode(title) + "\r\n" + SettingsFile::encode(minutes) + "\r\n");
}

void TestSettingsFile::emptyTitleWritesLeadingLineEnd()
{
    QVERIFY(SettingsFile(folder()).WriteSettingsFile(QString(), QStringLiteral("9")));
    QCOMPARE(readAll(file()), QByteArray("\r\n9\r\n"));
}

void TestSettingsFile::saveReplacesTheWholeFile()
{
    QVERIFY(QDir().mkpath(folder()));
    writeAll(file(), "a\r\n1\r\nb\r\n2\r\n");
    QVERIFY(SettingsFile(folder()).WriteSettingsFile(QStringLiteral("c"), QStringLiteral("3")));
    QCOMPARE(readAll(file()), QByteArray("c\r\n3\r\n"));
    // No temporary file is left beside it.
    QCOMPARE(QDir(folder()).entryList(QDir::Files), QStringList{QStringLiteral("sys.txt")});
}

void TestSettingsFile::invalidBytesBecomeReplacementCharacters()
{
    QVERIFY(QDir().mkpath(folder()));
    writeAll(file(), QByteArray("\x81\r\n\xff" "7\r\n"));
    QString title;
    QString minutes;
    QVERIFY(SettingsFile(folder()).ReadSettingsFile(title, minutes));
    QCOMPARE(title, QString(QChar(0xFFFD)));
    QCOMPARE(minutes, QString(QChar(0xFFFD)) + u'7');
}

void TestSettingsFile::hugeLineIsCutNotHeld()
{
    QVERIFY(QDir().mkpath(folder()));
    QByteArray contents(3 * SettingsFile::maxLineBytes, 'x');
    contents += "\r\n42\r\n";
    writeAll(file(), contents);
    QString title;
    QString minutes;
    QVERIFY(SettingsFile(folder()).ReadSettingsFile(title, minutes));
    QCOMPARE(title.size(), SettingsFile::maxLineBytes);
    QCOMPARE(minutes, QStringLiteral("42"));
}

void TestSettingsFile::fileOverOneMebibyteIsRefusedUnread()
{
    QVERIFY(QDir().mkpath(folder()));
    writeAll(file(), "t\r\n5\r\n" + QByteArray(SettingsFile::maxFileBytes, 'x'));
    QString title;
    QString minutes;
    const Outcome read = SettingsFile(folder()).ReadSettingsFile(title, minutes);
    QVERIFY(!read);
    QVERIFY2(read.reason.contains("太大"), qPrintable(read.reason));
    QVERIFY(minutes.isEmpty());
}

void TestSettingsFile::unusableLocationReportsFailure_data()
{
    QTest::addColumn<QString>("setup");
    QTest::newRow("sys.txt is a folder") << "fileIsFolder";
    QTest::newRow("a plain file stands where the folder should be") << "folderIsFile";
    QTest::newRow("folder inside a plain file") << "parentIsFile";
}

void TestSettingsFile::unusableLocationReportsFailure()
{
    QFETCH(QString, setup);
    QString location = folder();
    if (setup == "fileIsFolder") {
        QVERIFY(QDir().mkpath(file()));
    } else if (setup == "folderIsFile") {
        writeAll(folder(), "not a folder");
    } else {
        writeAll(m_temp->filePath("plain"), "x");
        location = m_temp->filePath("plain/MorivTemp");
    }
    const SettingsFile settings(location);
    QString title = QStringLiteral("kept");
    QString minutes = QStringLiteral("11");

    const Outcome ensured = settings.EnsureSettingsFile();
    QVERIFY(!ensured);
    QCOMPARE(ensured.path, settings.filePath());
    QVERIFY(!ensured.reason.isEmpty());

    const Outcome read = settings.ReadSettingsFile(title, minutes);
    QVERIFY(!read);
    QVERIFY(!read.reason.isEmpty());
    QCOMPARE(title, QStringLiteral("kept"));
    QCOMPARE(minutes, QStringLiteral("11"));

    QVERIFY(!settings.WriteSettingsFile(QStringLiteral("t"), QStringLiteral("1")));
    if (setup == "folderIsFile")
        QCOMPARE(readAll(folder()), QByteArray("not a folder"));
}

void TestSettingsFile::readOnlyFolderReportsFailureAndKeepsTheFile()
{
    if (geteuid() == 0)
        QSKIP("the superuser writes into read-only folders");
    const SettingsFile settings(folder());
    QVERIFY(settings.WriteSettingsFile(QStringLiteral("old"), QStringLiteral("5")));
    QVERIFY(QFile::setPermissions(folder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const Outcome written = settings.WriteSettingsFile(QStringLiteral("new"),
                                                              QStringLiteral("6"));
    QFile::setPermissions(folder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                        | QFileDevice::ExeOwner);
    QVERIFY(!written);
    QVERIFY(!written.reason.isEmpty());
    QCOMPARE(readAll(file()), QByteArray("old\r\n5\r\n"));
}

void TestSettingsFile::failedWriteKeepsTheOldBytes_data()
{
    QTest::addColumn<bool>("fullDisk");
    QTest::newRow("a tmpfs filled to the last byte") << true;
    QTest::newRow("a file-size limit of 4 bytes") << false;
}

void TestSettingsFile::failedWriteKeepsTheOldBytes()
{
    QFETCH(bool, fullDisk);
    const QString disk = m_temp->filePath(QStringLiteral("disk"));
    QVERIFY(QDir().mkpath(disk));
    const QByteArray diskPath = QFile::encodeName(disk);
    if (fullDisk && ::mount("tmpfs", diskPath.constData(), "tmpfs", 0, "size=64k") != 0)
        QSKIP(qPrintable(QStringLiteral("mounting a tmpfs needs the superuser (%1)")
                             .arg(qt_error_string(errno))));
    const auto unmount = qScopeGuard([&] {
        if (fullDisk)
            ::umount(diskPath.constData());
    });
    const SettingsFile settings(QDir(disk).filePath(QStringLiteral("MorivTemp")));
    const QByteArray old = "old\r\n5\r\n";
    QVERIFY(settings.WriteSettingsFile(QStringLiteral("old"), QStringLiteral("5")));

    const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
    if (fullDisk) {
        QFile filler(QDir(disk).filePath(QStringLiteral("filler")));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'x')) == 4096) {}
        while (filler.write("x", 1) == 1) {}
    } else {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit fourBytes{4, RLIM_INFINITY};
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &fourBytes), 0);
    }
    const Outcome written = settings.WriteSettingsFile(QStringLiteral("a new title"),
                                                              QStringLiteral("12345"));
    ::setrlimit(RLIMIT_FSIZE, &unlimited);

    QVERIFY(!written);
    QCOMPARE(written.path, settings.filePath());
    QVERIFY2(written.reason.contains(fullDisk ? "No space left" : "一部分"),
             qPrintable(written.reason));
    QCOMPARE(readAll(settings.filePath()), old);
    QCOMPARE(QDir(settings.directory()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("sys.txt")});
}

void TestSettingsFile::onlyRegularFilesAreUsed_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a FIFO with no writer") << "fifo" << "FIFO";
    QTest::newRow("links to a FIFO") << "linked fifo" << "FIFO";
    QTest::newRow("a link to a zero device") << "device" << "设备";
    QTest::newRow("a link to a regular file") << "linked file" << "";
}

void TestSettingsFile::onlyRegularFilesAreUsed()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QVERIFY(QDir().mkpath(folder()));
    const QString target = m_temp->filePath(QStringLiteral("target"));
    const QByteArray targetName = QFile::encodeName(target);
    if (kind.endsWith("fifo")) {
        QCOMPARE(::mkfifo(targetName.constData(), 0600), 0);
    } else if (kind == "linked file") {
        writeAll(target, "t\r\n4\r\n");
        QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    } else if (::mknod(targetName.constData(), S_IFCHR | 0600, makedev(1, 5)) != 0) {
        // Only the superuser makes device nodes; a link to the system's own device serves,
        // as nobody else could replace it.
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), target));
    }
    const QString link = kind == "linked fifo" ? m_temp->filePath("link") : target;
    if (link != target)
        QVERIFY(QFile::link(target, link));
    const QString via = kind == "fifo" ? file() : link;
    if (kind == "fifo")
        QVERIFY(QFile::rename(target, file()));
    else
        QVERIFY(QFile::link(via, file()));

    const SettingsFile settings(folder());
    QString title = QStringLiteral("kept");
    QString minutes = QStringLiteral("11");
    const Outcome read = settings.ReadSettingsFile(title, minutes);
    const Outcome written = settings.WriteSettingsFile(QStringLiteral("n"), "6");
    const QFileInfo after(file());
    if (reason.isEmpty()) {
        QVERIFY(read && written);
        QCOMPARE(title, QStringLiteral("t"));
        QVERIFY(after.isSymLink());
        QCOMPARE(readAll(target), QByteArray("n\r\n6\r\n"));
        const auto readWrite = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                               | QFileDevice::ReadUser | QFileDevice::WriteUser;
        QCOMPARE(QFile::permissions(target), readWrite);
        return;
    }
    QVERIFY(!read);
    QVERIFY2(read.reason.contains(reason), qPrintable(read.reason));
    QCOMPARE(title, QStringLiteral("kept"));
    QCOMPARE(minutes, QStringLiteral("11"));
    QVERIFY(!written);
    QVERIFY2(written.reason.contains(reason), qPrintable(written.reason));
    QCOMPARE(after.isSymLink(), kind != "fifo");
    struct stat info = {};
    QCOMPARE(::stat(QFile::encodeName(file()).constData(), &info), 0);
    QVERIFY(kind == "device" ? S_ISCHR(info.st_mode) : S_ISFIFO(info.st_mode));
    QCOMPARE(QDir(folder()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             QStringList{QStringLiteral("sys.txt")});
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
