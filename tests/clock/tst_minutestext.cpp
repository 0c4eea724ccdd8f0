// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/minutestext.h"

#include <QTest>

class TestMinutesText : public QObject
{
    Q_OBJECT

private slots:
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
};

void TestMinutesText::accepted_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("counter");

    QTest::newRow("plain") << "10" << 9;
    QTest::newRow("default with blanks") << " 3 " << 2;
    QTest::newRow("tab and ideographic blank") << QString("\t3\u3000") << 2;
    QTest::newRow("plus sign") << "+3" << 2;
    QTest::newRow("one minute") << "1" << 0;
    QTest::newRow("2.5 rounds to even") << "2.5" << 2;
    QTest::newRow("1.5 rounds to even") << "1.5" << 0;
    QTest::newRow("0.5 rounds to even") << "0.5" << 0;
    QTest::newRow("3.5 rounds to even") << "3.5" << 2;
    QTest::newRow("4.5 rounds to even") << "4.5" << 4;
    QTest::newRow("just above a half") << "2.5000001" << 2;
    QTest::newRow("just above a half, odd") << "1.5000001" << 1;
    QTest::newRow("just below a half") << "2.4999999" << 1;
    QTest::newRow("trailing point") << "3." << 2;
    QTest::newRow("leading point") << ".6" << 0;
    QTest::newRow("leading zeros") << "007" << 6;
    QTest::newRow("full-width digits") << QString("\uFF11\uFF10") << 9;
    QTest::newRow("full-width full stop") << QString("\uFF12\uFF0E\uFF15") << 2;
    QTest::newRow("largest") << "32768" << 32767;
    QTest::newRow("largest with a small fraction") << "32768.4" << 32767;
}

void TestMinutesText::accepted()
{
    QFETCH(QString, text);
    QFETCH(int, counter);
    const auto result = MinutesText::toMinutesCounter(text);
    QVERIFY(result.has_value());
    QCOMPARE(*result, counter);
}

void TestMinutesText::refused_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << "";
    QTest::newRow("blanks only") << "   ";
    QTest::newRow("letters") << "abc";
    QTest::newRow("digits then letters") << "3min";
    QTest::newRow("zero") << "0";
    QTest::newRow("below a half") << "0.4";
    QTest::newRow("negative") << "-1";
    QTest::newRow("minus zero") << "-0";
    QTest::newRow("negative fraction") << "-0.5";
    QTest::newRow("above the range") << "32769";
    QTest::newRow("half above the range rounds up") << "32768.5";
    QTest::newRow("huge") << "99999999999999999999";
    QTest::newRow("exponent") << "1e3";
    QTest::newRow("two points") << "1.2.3";
    QTest::newRow("lone point") << ".";
    QTest::newRow("lone sign") << "+";
    QTest::newRow("blank inside") << "1 0";
    QTest::newRow("Arabic-Indic digits") << QString("\u0663");
}

void TestMinutesText::refused()
{
    QFETCH(QString, text);
    QVERIFY(!MinutesText::toMinutesCounter(text).has_value());
}

QTEST_APPLESS_MAIN(TestMinutesText)
#include "tst_minutestext.moc"
