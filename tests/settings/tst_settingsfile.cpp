// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settingsfile.h"

#include "tst_settingsfile.h"

#include <QDir>
#include <QFile>

namespace {

QByteArray gbk(const char *utf8)
{
    return SettingsFile::encode(QString::fromUtf8(utf8));
}

} // namespace


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

QTEST_GUILESS_MAIN(TestSettingsFile)
