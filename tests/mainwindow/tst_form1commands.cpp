// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1fixture.h"

#include "forms/formtimer.h"
#include "mainwindow/timeractions.h"
#include "settings/form2.h"

#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace std::chrono;
using namespace std::chrono_literals;

namespace {

const QString timeIsUp = QStringLiteral("倒计时时间到！！！");

QByteArray settingsWith(const char *minutes)
{
    return QByteArray("T\r\n") + minutes + "\r\n";
}

} // namespace

class TestForm1Commands : public QObject
{
    Q_OBJECT

private slots:
    void onlyLowerCaseKeysAct_data();
    void onlyLowerCaseKeysAct();
    void resetAnsweredYesShowsTheStoredMinutes();
    void settingsOpenWhileTheCountGoesOn();
    void savedMinutesStartAFreshCount();
    void timeUpWhileTheResetQuestionIsOpen_data();
    void timeUpWhileTheResetQuestionIsOpen();
    void timeUpWhileTheSettingsDialogIsOpen();
    void accessibleNameSaysTheTimeLeft();
    void globalCommandGivesTheKeyboardBack_data();
    void globalCommandGivesTheKeyboardBack();
    void commandQuestionGivesUpAfterTwentySeconds();
};

void TestForm1Commands::onlyLowerCaseKeysAct_data()
{
    QTest::addColumn<char>("key");
    QTest::addColumn<bool>("starts");
    QTest::newRow("a") << 'a' << true;
    QTest::newRow("A") << 'A' << false;
    QTest::newRow("S") << 'S' << false;
    QTest::newRow("D") << 'D' << false;
    QTest::newRow("F") << 'F' << false;
    QTest::newRow("q") << 'q' << false;
    QTest::newRow("space") << ' ' << false;
}

void TestForm1Commands::onlyLowerCaseKeysAct()
{
    QFETCH(char, key);
    QFETCH(bool, starts);
    Form1Fixture fixture;
    Form1 &form = fixture.load();
    QTest::keyClick(&form, key);
    QCOMPARE(formTimer(form.session(), "Timer1").Enabled(), starts);
    QVERIFY(fixture.messages.shown.isEmpty());
    // Start counts the minutes in the dialog's box, loaded hidden.
    QCOMPARE(form.settingsDialog().isLoaded(), starts);
    QVERIFY(!form.settingsDialog().isVisible());
}

void TestForm1Commands::resetAnsweredYesShowsTheStoredMinutes()
{
    Form1Fixture fixture;
    fixture.writeSettings(settingsWith("5"));
    Form1 &form = fixture.load();
    QTest::keyClick(&form, 'a');
    fixture.elapse(10s + 300ms);
    fixture.writeSettings(settingsWith("7")); // edited by hand meanwhile
    QTest::keyClick(&form, 'd');
    QVERIFY(!formTimer(form.session(), "Timer1").Enabled());
    QCOMPARE(fixture.display(), QStringLiteral("7:00"));
    QCOMPARE(fixture.caption("Labhm"), QStringLiteral("00"));
    QCOMPARE(form.session().sj(), QStringLiteral("7"));
    QCOMPARE(form.session().m(), 59);
    QCOMPARE(form.session().hm(), 99);
    fixture.elapse(5s);
    QCOMPARE(fixture.display(), QStringLiteral("7:00"));
    // A fresh count, of the minutes the dialog loaded at the first start.
    QTest::keyClick(&form, 'a');
    fixture.elapse(999ms);
    QCOMPARE(fixture.display(), QStringLiteral("7:00"));
    fixture.elapse(1ms);
    QCOMPARE(fixture.display(), QStringLiteral("4:59"));
}

void TestForm1Commands::settingsOpenWhileTheCountGoesOn()
{
    Form1Fixture fixture;
    fixture.writeSettings(settingsWith("5"));
    Form1 &form = fixture.load();
    QTest::keyClick(&form, 'a');
    fixture.elapse(1s);
    QString shownBehind;
    bool dialogShown = false;
    const auto whileOpen = [&] {
        dialogShown = form.settingsDialog().isVisible();
        fixture.elapse(3s);
        shownBehind = fixture.display();
        form.settingsDialog().close();
    };
    QTest::keyClick(&form, 'f');
    whileOpen();
    QVERIFY(dialogShown);
    QCOMPARE(shownBehind, QStringLiteral("4:56"));
    QVERIFY(formTimer(form.session(), "Timer1").Enabled());
}

void TestForm1Commands::savedMinutesStartAFreshCount()
{
    Form1Fixture fixture;
    fixture.writeSettings(settingsWith("5"));
    Form1 &form = fixture.load();
    QTest::keyClick(&form, 'a');
    fixture.elapse(23s + 500ms);
    const auto whileOpen = [&] {
        form.settingsDialog().Textsj()->setText(QStringLiteral("15"));
        form.settingsDialog().Comok_Click();
    };
    QTest::keyClick(&form, 'f');
    whileOpen();
    QCOMPARE(fixture.settingsBytes(), QByteArray("T\r\n15\r\n"));
    QCOMPARE(fixture.display(), QStringLiteral("15:00"));
    QCOMPARE(fixture.caption("Labhm"), QStringLiteral("00"));
    QVERIFY(!formTimer(form.session(), "Timer1").Enabled());
    QVERIFY(!formTimer(form.session(), "Timer2").Enabled());
    QCOMPARE(fixture.messages.texts("information"),
             QStringList{QStringLiteral("倒计时时间已修改，请点击重置按钮！")});
    fixture.elapse(3s);
    QCOMPARE(fixture.display(), QStringLiteral("15:00"));
    QTest::keyClick(&form, 'a'); // without Reset
    fixture.elapse(1s);
    QCOMPARE(fixture.display(), QStringLiteral("14:59"));
}

void TestForm1Commands::timeUpWhileTheResetQuestionIsOpen_data()
{
    QTest::addColumn<bool>("shortcut");
    QTest::newRow("key d") << false;
    QTest::newRow("shortcut") << true;
}

void TestForm1Commands::timeUpWhileTheResetQuestionIsOpen()
{
    QFETCH(bool, shortcut);
    Form1Fixture fixture;
    fixture.writeSettings(settingsWith("1"));
    Form1 &form = fixture.load();
    QTest::keyClick(&form, 'a');
    fixture.elapse(50s);
    fixture.messages.nextAnswer = true; // even a Yes that comes after time-up is void
    fixture.messages.whileOpen = [&] {
        // The time-up message stays open past the question's 20 s: it is not the question.
        fixture.messages.whileOpen = [&] {
            fixture.clock.advance(25s);
            formTimer(form.actions(), "GiveUp").catchUp();
        };
        fixture.elapse(15s);
    };
    if (shortcut)
        form.actions().fromElsewhere(Command::Reset);
    else
        QTest::keyClick(&form, 'd');
    QCOMPARE(fixture.messages.aborts, 1);
    QCOMPARE(fixture.finished, 1);
    QCOMPARE(fixture.messages.texts("information"), QStringList{timeIsUp});
    QCOMPARE(fixture.display(), QStringLiteral("00:00"));
    QVERIFY(!formTimer(form.session(), "Timer1").Enabled());
}

void TestForm1Commands::timeUpWhileTheSettingsDialogIsOpen()
{
    Form1Fixture fixture;
    fixture.writeSettings(settingsWith("1"));
    Form1 &form = fixture.load();
    QTest::keyClick(&form, 'a');
    fixture.elapse(58s);
    const auto whileOpen = [&] {
        form.settingsDialog().Textsj()->setText(QStringLiteral("30"));
        fixture.elapse(5s);
    };
    QTest::keyClick(&form, 'f');
    whileOpen();
    QCOMPARE(fixture.finished, 1);
    QVERIFY(!form.settingsDialog().isVisible());
    QCOMPARE(fixture.settingsBytes(), settingsWith("1")); // closed unsaved
    QCOMPARE(fixture.messages.texts("information"), QStringList{timeIsUp});
}

void TestForm1Commands::accessibleNameSaysTheTimeLeft()
{
    Form1Fixture fixture;
    fixture.writeSettings(settingsWith("10"));
    Form1 &form = fixture.load();
    form.Comstart_Click();
    fixture.elapse(1s);
    QCOMPARE(form.accessibleName(), QStringLiteral("剩余 9 分 59 秒"));
}

void TestForm1Commands::globalCommandGivesTheKeyboardBack_data()
{
    QTest::addColumn<bool>("timerHadIt"); // a click on the digits gave the timer the keyboard
    QTest::newRow("the slide show had it") << false;
    QTest::newRow("the timer had it") << true;
}

void TestForm1Commands::globalCommandGivesTheKeyboardBack()
{
    QFETCH(bool, timerHadIt);
    Form1Fixture fixture;
    Form1 &form = fixture.load();
    const quintptr before = timerHadIt ? form.winId() : 42;
    fixture.windows.focus = before;
    fixture.messages.nextAnswer = false;
    fixture.messages.whileOpen = [&] { fixture.windows.focus = 7; }; // the question takes it
    form.actions().fromElsewhere(Command::Reset);
    QCOMPARE(fixture.messages.texts("question").size(), 1);
    QCOMPARE(fixture.windows.focus, timerHadIt ? quintptr(7) : before);
    form.actions().fromElsewhere(Command::Start);
    QCOMPARE(form.session().clockState(), CountdownClock::State::Running);
}

void TestForm1Commands::commandQuestionGivesUpAfterTwentySeconds()
{
    Form1Fixture fixture;
    Form1 &form = fixture.load();
    fixture.messages.nextAnswer = true; // a Yes after giving up is void
    bool busy = false;
    int abortsBefore20s = -1;
    fixture.messages.whileOpen = [&] {
        busy = form.actions().isWaitingForAnswer();
        fixture.clock.advance(19999ms);
        formTimer(form.actions(), "GiveUp").catchUp();
        abortsBefore20s = fixture.messages.aborts;
        fixture.clock.advance(1ms);
        formTimer(form.actions(), "GiveUp").catchUp();
    };
    form.actions().fromElsewhere(Command::Reset);
    QVERIFY(busy);
    QCOMPARE(abortsBefore20s, 0);
    QCOMPARE(fixture.messages.aborts, 1);
    QVERIFY(!form.actions().isWaitingForAnswer());
}

QTEST_MAIN(TestForm1Commands)
#include "tst_form1commands.moc"
