// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1fixture.h"
#include "mainwindow/interfacelanguage.h"

#include "settings/form2.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace std::chrono_literals;

// What a speaker whose desktop is not Chinese reads, with the translators the program
// installs for their locale.
class TestInterfaceLanguage : public QObject
{
    Q_OBJECT

private slots:
    void chineseUnlessAnotherLanguageIsChosen_data();
    void chineseUnlessAnotherLanguageIsChosen();
    void chineseLocaleKeepsTheSourceTexts();
    void everyTextIsEnglishUnderEnglish();
};

void TestInterfaceLanguage::chineseUnlessAnotherLanguageIsChosen_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("chinese");
    QTest::newRow("zh_CN") << "zh_CN" << true;
    QTest::newRow("zh_TW") << "zh_TW" << true;
    QTest::newRow("no language chosen") << "C" << true;
    QTest::newRow("en_US") << "en_US" << false;
    QTest::newRow("de_DE") << "de_DE" << false;
}

void TestInterfaceLanguage::chineseUnlessAnotherLanguageIsChosen()
{
    QFETCH(QString, locale);
    QFETCH(bool, chinese);
    QCOMPARE(InterfaceLanguage::isChinese(QLocale(locale)), chinese);
}

void TestInterfaceLanguage::chineseLocaleKeepsTheSourceTexts()
{
    QVERIFY(InterfaceLanguage::install(QLocale(QStringLiteral("zh_CN"))));
    Form1Fixture fixture;
    fixture.writeSettings("T\r\n1\r\n");
    Form1 &form = fixture.load();
    QCOMPARE(form.accessibleName(), QStringLiteral("剩余 1 分 00 秒"));
    form.Comstart_Click();
    fixture.elapse(60s);
    QCOMPARE(fixture.messages.texts("information"), QStringList{"倒计时时间到！！！"});
}

void TestInterfaceLanguage::everyTextIsEnglishUnderEnglish()
{
    QVERIFY(!InterfaceLanguage::install(QLocale(QStringLiteral("en_US"))));
    Form1Fixture fixture;
    QVERIFY(QDir().mkpath(fixture.settingsPath())); // sys.txt a folder: the start-up message
    Form1 &form = fixture.load();
    QTRY_COMPARE(fixture.messages.shown.size(), 1);
    QVERIFY(fixture.messages.shown.at(0).text.startsWith(
        QStringLiteral("Cannot use the settings file ")));
    QVERIFY(fixture.messages.shown.at(0).text.endsWith(
        QStringLiteral(": it is a folder\nThis time the default countdown of 3 minutes is used.")));
    QCOMPARE(form.accessibleName(), QStringLiteral("3 min 00 s left"));
    QStringList captions;
    for (const char *name : {"Comstart", "Compause", "Comhuifu", "Comgjsz"})
        captions << form.findChild<QPushButton *>(QLatin1String(name))->text();
    QCOMPARE(captions, (QStringList{"Start", "Pause", "Reset", "Settings"}));

    Form2 &dialog = form.settingsDialog();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Settings"));
    QCOMPARE(dialog.Textsj()->accessibleName(), QStringLiteral("Countdown length (minutes)"));
    QStringList labels;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        labels << label->text();
    labels.sort();
    QCOMPARE(labels, (QStringList{"Length in minutes ——>", "Title above the timer —>"}));

    fixture.messages.nextAnswer = false;
    form.Comhuifu_Click();
    QCOMPARE(fixture.messages.shown.last().text,
             QStringLiteral("Do you really want to reset the time?"));
    QCOMPARE(fixture.messages.shown.last().title, QStringLiteral("Confirm"));

    dialog.Textsj()->setText(QStringLiteral("abc"));
    form.Comstart_Click();
    QCOMPARE(fixture.messages.shown.last().text,
             QStringLiteral("The countdown length is not valid. Press f to open the settings "
                            "and enter a number of minutes from 1 to 32768!"));
    dialog.Comok_Click(); // the folder is in the way: the save fails
    QVERIFY(fixture.messages.shown.last().text.startsWith(
        QStringLiteral("Cannot save the settings file ")));
    QVERIFY(QDir(fixture.settingsPath()).removeRecursively());
    dialog.Textsj()->setText(QStringLiteral("1"));
    dialog.Comok_Click();
    QCOMPARE(fixture.messages.shown.last().text,
             QStringLiteral("The countdown length has been changed. Please press Reset (d)!"));
    QCOMPARE(fixture.settingsBytes(), QByteArray("\xb5\xb9\xbc\xc6\xca\xb1\xb1\xea\xcc\xe2\r\n1\r\n"));

    form.Comstart_Click();
    fixture.elapse(60s);
    QCOMPARE(fixture.messages.shown.last().text, QStringLiteral("Time is up!!!"));
}

QTEST_MAIN(TestInterfaceLanguage)
#include "tst_interfacelanguage.moc"
