// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file where the system refuses: unusable folders, full disks, FIFOs, devices.
#include "tst_settingsfile.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

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

// A save killed before its rename leaves its temporary file; the next start or save removes it
// once it is a minute old, and leaves a save in progress and other files alone.
void TestSettingsFile::killedSavesLeaveNothingBehind_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("age"); // seconds
    QTest::addColumn<bool>("removed");
    QTest::newRow("killed an hour ago") << "sys.txt.aB3xYz" << 3600 << true;
    QTest::newRow("another timer saving now") << "sys.txt.aB3xYz" << 0 << false;
    QTest::newRow("the user's own copy") << "sys.txt.backup" << 3600 << false;
}

void TestSettingsFile::killedSavesLeaveNothingBehind()
{
    QFETCH(QString, name);
    QFETCH(int, age);
    QFETCH(bool, removed);
    QVERIFY(QDir().mkpath(folder()));
    const SettingsFile settings(folder());
    for (const bool start : {true, false}) {
        QFile left(QDir(folder()).filePath(name));
        QVERIFY(left.open(QIODevice::WriteOnly) && left.write("T\r\n") == 3 && left.flush());
        QVERIFY(left.setFileTime(QDateTime::currentDateTime().addSecs(-age),
                                 QFileDevice::FileModificationTime));
        left.close();
        QVERIFY(start ? settings.EnsureSettingsFile()
                      : settings.WriteSettingsFile(QStringLiteral("t"), QStringLiteral("5")));
        QCOMPARE(left.exists(), !removed);
    }
}
