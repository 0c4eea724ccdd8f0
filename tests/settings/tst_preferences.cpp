// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/preferences.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestPreferences : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void storeKeepsWhatItDoesNotKnow();

private:
    QTemporaryDir m_temp;
    const bool m_folder = QDir(m_temp.path()).mkdir(QStringLiteral("moriv"));
    QString path() const { return m_temp.filePath(QStringLiteral("moriv/moriv.conf")); }
    void write(const QByteArray &bytes)
    {
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
};

void TestPreferences::read_data()
{
    // "-": no file; "fifo": a FIFO; "read-only:" before the contents: a file nobody may write
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("damaged");
    QTest::addColumn<bool>("flags"); // overtime, phases, sound and remote (port 9000) alike
    QTest::addColumn<int>("warn");
    QTest::addColumn<int>("place");
    QTest::addColumn<int>("size");
    QTest::newRow("no file: the defaults") << QByteArray("-") << false << false << 1 << 0 << 100;
    QTest::newRow("every choice")
        << QByteArray("[choices]\r\novertime=true\nwarning=5\nplace=bottom-right\nsize=300\n"
                      "phases=true\nsound=true\nremote=true\nremote-port=9000\n")
        << false << true << 5 << 4 << 300;
    QTest::newRow("values this version cannot take: their defaults")
        << QByteArray("[choices]\novertime=yes\nwarning=-3\nplace=middle\nsize=9000\n"
                      "remote-port=65536\n")
        << false
        << false << 1 << 0 << 100;
    QTest::newRow("another section's keys are not choices")
        << QByteArray("[later]\novertime=true\n[choices]\nsize=150\n") << false << false << 1 << 0
        << 150;
    QTest::newRow("a line that is no key=value: damaged")
        << QByteArray("[choices]\novertime=true\ngarbage\n") << true << false << 1 << 0 << 100;
    QTest::newRow("not UTF-8: damaged") << QByteArray("[choices]\novertime=true\n\xff\xfe\n")
                                        << true << false << 1 << 0 << 100;
    // Reading it would wait for ever, and a save would replace it.
    QTest::newRow("a FIFO: neither read nor replaced") << QByteArray("fifo") << true << false << 1
                                                       << 0 << 100;
    QTest::newRow("read-only: read, and never replaced")
        << QByteArray("read-only:[choices]\nsize=150\n") << false << false << 1 << 0 << 150;
    QTest::newRow("too long: damaged")
        << QByteArray("[choices]\n#") + QByteArray(PreferencesFile::maxBytes, 'x') << true << false
        << 1 << 0 << 100;
}

void TestPreferences::read()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, damaged);
    QFETCH(bool, flags);
    QFETCH(int, warn);
    QFETCH(int, place);
    QFETCH(int, size);
    QFile::remove(path());
    const bool readOnly = contents.startsWith("read-only:");
    if (readOnly)
        contents.remove(0, qstrlen("read-only:"));
    if (contents == "fifo")
        QCOMPARE(mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
    else if (contents != "-")
        write(contents);
    if (readOnly)
        QVERIFY(QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    PreferencesFile file(path());
    Outcome problem;
    Choices choices = file.read(&problem);
    QCOMPARE(!problem, damaged);
    QCOMPARE(choices.overtime, flags);
    QCOMPARE(choices.phases, flags);
    QCOMPARE(choices.sound, flags);
    QCOMPARE(choices.remote, flags);
    QCOMPARE(choices.remotePort, flags ? 9000 : 7270);
    QCOMPARE(choices.warnMinutes, warn);
    QCOMPARE(int(choices.place), place);
    QCOMPARE(choices.sizePercent, size);
    if (contents == "fifo" || readOnly) {
        choices.warnMinutes = 5;
        const Outcome stored = file.store(choices);
        QVERIFY(!stored && stored.path == path());
        QCOMPARE(QFileInfo(path()).isFile(), readOnly);
    }
    if (contents != "-" && contents != "fifo") {
        // Reading never writes: a damaged file stays as it was until a choice is made.
        QFile again(path());
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), contents);
    }
}

void TestPreferences::storeKeepsWhatItDoesNotKnow()
{
    // A newer version's file: a key and a section this one does not know, and a comment.
    write("# mine\n[choices]\nwarning=2\ncolour=green\n\n[remote]\nport=8080\n");
    PreferencesFile file(path());
    Choices choices = file.read();
    choices.overtime = true;
    QVERIFY(file.store(choices));
    QFile stored(path());
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QCOMPARE(stored.readAll(), QByteArray("# mine\n[choices]\nwarning=2\ncolour=green\n"
                                          "overtime=true\nstart-with-show=false\nplace=as-designed\n"
                                          "size=100\nscreen=0\nphases=false\nsound=false\n"
                                          "remote=false\n"
                                          "remote-port=7270\n\n[remote]\n"
                                          "port=8080\n"));
    QCOMPARE(PreferencesFile(path()).read(), choices);
}

QTEST_GUILESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
