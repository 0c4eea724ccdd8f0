// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gb18030.h"

#include <QTest>

// The settings file's code page gives the same bytes on every platform, through ICU on Linux
// and through Windows' code page 54936 there.
class TestGb18030 : public QObject
{
    Q_OBJECT

private slots:
    void sameBytesEverywhere_data();
    void sameBytesEverywhere();
};

void TestGb18030::sameBytesEverywhere_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("the default title") << QStringLiteral("倒计时标题")
                                       << QByteArray::fromHex("b5b9bcc6cab1b1eacce2");
    QTest::newRow("minutes") << QStringLiteral(" 3 ") << QByteArray(" 3 ");
    QTest::newRow("GBK two bytes") << QStringLiteral("é") << QByteArray::fromHex("a8a6");
    QTest::newRow("four bytes, BMP") << QStringLiteral("\u9fff") << QByteArray::fromHex("82359832");
    QTest::newRow("four bytes, beyond BMP") << QString::fromUcs4(U"\U00020000")
                                            << QByteArray::fromHex("95328236");
    QTest::newRow("nothing") << QString() << QByteArray();
}

void TestGb18030::sameBytesEverywhere()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    if (QByteArray(QTest::currentDataTag()).startsWith("four bytes") && !Gb18030::isComplete())
        QSKIP("This system has only the two-byte part of GB18030 (Wine lacks code page 54936)");
    QCOMPARE(Gb18030::encode(text).toHex(), bytes.toHex());
    QCOMPARE(Gb18030::decode(bytes), text);
}

QTEST_GUILESS_MAIN(TestGb18030)
#include "tst_gb18030.moc"
