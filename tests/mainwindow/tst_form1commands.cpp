// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1fixture.h"

#include "forms/formtimer.h"
#include "mainwindow/commanddispatcher.h"
#include "settings/form2.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace std::chrono;
using namespace std::chrono_literals;

namespace {

const QString invalidMinutes =
    QStringLiteral("倒计时时间设置无效，请按 f 键打开设置，输入 1 到 32768 之间的分钟数！");
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
    void oneMinuteCountEndsAtSixtySeconds();
    void twoMinuteCountCrossesTheMinute();
    void pauseAndResumeKeepTheTime();
    void startWhileRunningDoesNothing();
    void minutesTextGivesTheCounter_data();
    void minutesTextGivesTheCounter();
    void invalidMinutesAreRefused_data();
    void invalidMinutesAreRefused();
    void resetAnsweredNoChangesNothing();
    void resetAnsweredYesShowsTheStoredMinutes();
    void resetWithAnUnreadableFileSaysSoAndKeepsTheMinutes();
    void settingsOpenWhileTheCountGoesOn();
    void savedMinutesStartAFreshCount();
    void timeUpWhileTheResetQuestionIsOpen_data();
    void timeUpWhileTheResetQuestionIsOpen();
    void timeUpWhileTheSettingsDialogIsOpen();
    void hundredthsAreDeliveredInBatches();
    void accessibleNameSaysTheTimeLeft();
    void colonBlinksInTheLastMinute();
    void runMinutesLeaveTheFileAlone();
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
    QVERIFY(!form.settingsDialog().isVisible());
}

void TestForm1Commands::oneMinuteCountEndsAtSixtySeconds()
{
    Form1Fixture fixture;
    fixture.writeSettings(settingsWith("1"));
    Form1 &form = fixture.load();
    QTest::keyClick(&form, 'a');
    QCOMPARE(form.session().f(), 0);
    fixture.elapse(1s);
    QCOMPARE(fixture.display(), QStringLiteral("0:59"));
    fixture.elapse(58s);
    QCOMPARE(fixture.display(), QStringLiteral("0:1"));
    QCOMPARE(fixture.finished, 0);
    fixture.elapse(999ms);
    QCOMPARE(fixture.finished, 0);
    fixture.elapse(1ms);
    QCOMPARE(fixture.finished, 1);
    QCOMPARE(fixture.display(), QStringLiteral("00:00"));
    QCOMPARE(fixture.caption("Labhm"), QStringLiteral("00"));
    QCOMPARE(fixture.messages.texts("information"), QStringList{timeIsUp});
    for (const char *name : {"Timer1", "Timer2", "Timer3"})
        QVERIFY(!formTimer(form.session(), name).Enabled());
    QCOMPARE(form.session().clockState(), CountdownClock::State::Closed);
    // Nothing acts any more.
    QTest::keyClick(&form, 'a');
    QVERIFY(!formTimer(form.session(), "Timer1").Enabled());
}

void TestForm1Commands::twoMinuteCountCrossesTheMinute()
{
    Form1Fixture fixture;
    fixture.writeSettings(settingsWith("2"));
    Form1 &form = fixture.load();
    QTest::keyClick(&form, 'a');
    fixture.elapse(1s);
    QCOMPARE(fixture.display(), QStringLiteral("1:59"));
    fixture.elapse(58s);
    QCOMPARE(fixture.display(), QStringLiteral("1:1"));
    fixture.elapse(1s);
    QCOMPARE(fixture.display(), QStringLiteral("1:0"));
    fixture.elapse(1s);
    QCOMPARE(fixture.display(), QStringLiteral("0:59"));
    fixture.elapse(58s);
    QCOMPARE(fixture.display(), QStringLiteral("0:1"));
    QCOMPARE(fixture.finished, 0);
    fixture.elapse(1s);
    QCOMPARE(fixture.finished, 1);
}

void TestForm1Commands::pauseAndResumeKeepTheTime()
{
    Form1Fixture fixture;
    fixture.writeSettings(settingsWith("10"));
    Form1 &form = fixture.load();
    QTest::keyClick(&form, 'a');
    fixture.elapse(1s);
    QCOMPARE(fixture.display(), QStringLiteral("9:59"));
    fixture.elapse(202s + 400ms); // 6 : 37 shown, 400 ms into the next second
    QCOMPARE(fixture.display(), QStringLiteral("6:37"));
    QTest::keyClick(&form, 's');
    QVERIFY(!formTimer(form.session(), "Timer1").Enabled());
    fixture.elapse(30s);
    QCOMPARE(fixture.display(), QStringLiteral("6:37"));
    QTest::keyClick(&form, 's'); // pausing again changes nothing
    QTest::keyClick(&form, 'a');
    fixture.elapse(599ms);
    QCOMPARE(fixture.display(), QStringLiteral("6:37"));
    fixture.elapse(1ms);
    QCOMPARE(fixture.display(), QStringLiteral("6:36"));
}

void TestForm1Commands::startWhileRunningDoesNothing()
{
    Form1Fixture fixture;
    fixture.writeSettings(settingsWith("10"));
    Form1 &form = fixture.load();
    QTest::keyClick(&form, 'a');
    fixture.elapse(75s);
    QCOMPARE(fixture.display(), QStringLiteral("8:45"));
    QTest::keyClick(&form, 'a');
    fixture.elapse(1s);
    QCOMPARE(fixture.display(), QStringLiteral("8:44"));
}

void TestForm1Commands::minutesTextGivesTheCounter_data()
{
    QTest::addColumn<QByteArray>("minutes");
    QTest::addColumn<int>("counter");
    QTest::newRow("blanks around 3") << QByteArray(" 3 ") << 2;
    QTest::newRow("2.5") << QByteArray("2.5") << 2;
    QTest::newRow("1.5") << QByteArray("1.5") << 0;
    QTest::newRow("0.5") << QByteArray("0.5") << 0;
    QTest::newRow("32768") << QByteArray("32768") << 32767;
}

void TestForm1Commands::minutesTextGivesTheCounter()
{
    QFETCH(QByteArray, minutes);
    QFETCH(int, counter);
    Form1Fixture fixture;
    fixture.writeSettings("T\r\n" + minutes + "\r\n");
    Form1 &form = fixture.load();
    form.Comstart_Click();
    QCOMPARE(form.session().f(), counter);
    QVERIFY(formTimer(form.session(), "Timer1").Enabled());
    QVERIFY(form.settingsDialog().isLoaded());
    QVERIFY(!form.settingsDialog().isVisible());
    fixture.elapse(1s);
    QCOMPARE(fixture.display(), QString::number(counter) + QStringLiteral(":59"));
}

void TestForm1Commands::invalidMinutesAreRefused_data()
{
    QTest::addColumn<QByteArray>("minutes");
    for (const char *text : {"0", "-1", "32769", "", "abc", "1e3", "0.4"})
        QTest::newRow(*text ? text : "empty") << QByteArray(text);
}

void TestForm1Commands::invalidMinutesAreRefused()
{
    QFETCH(QByteArray, minutes);
    Form1Fixture fixture;
    fixture.writeSettings("T\r\n" + minutes + "\r\n");
    Form1 &form = fixture.load();
    const QString shownBefore = fixture.display();
    QTest::keyClick(&form, 'a');
    QCOMPARE(fixture.messages.texts("information"), QStringList{invalidMinutes});
    QVERIFY(!formTimer(form.session(), "Timer1").Enabled());
    QVERIFY(!formTimer(form.session(), "Timer2").Enabled());
    QCOMPARE(form.session().f(), 0);
    QCOMPARE(form.session().m(), 59);
    QCOMPARE(form.session().clockState(), CountdownClock::State::Ready);
    fixture.elapse(3s);
    QCOMPARE(fixture.display(), shownBefore);
}

void TestForm1Commands::resetAnsweredNoChangesNothing()
{
    Form1Fixture fixture;
    fixture.writeSettings(settingsWith("5"));
    Form1 &form = fixture.load();
    QTest::keyClick(&form, 'a');
    fixture.elapse(10s);
    fixture.messages.nextAnswer = false;
    fixture.messages.whileOpen = [&] { fixture.elapse(2s); }; // the count goes on behind it
    QTest::keyClick(&form, 'd');
    QCOMPARE(fixture.messages.shown.size(), 1);
    QCOMPARE(fixture.messages.shown.first().kind, QStringLiteral("question"));
    QCOMPARE(fixture.messages.shown.first().text, QStringLiteral("您是否真的要重置时间？"));
    QCOMPARE(fixture.messages.shown.first().title, QStringLiteral("提示"));
    QCOMPARE(fixture.display(), QStringLiteral("4:48"));
    QVERIFY(formTimer(form.session(), "Timer1").Enabled());
    fixture.elapse(1s);
    QCOMPARE(fixture.display(), QStringLiteral("4:47"));
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

void TestForm1Commands::resetWithAnUnreadableFileSaysSoAndKeepsTheMinutes()
{
    Form1Fixture fixture;
    fixture.writeSettings(settingsWith("5"));
    Form1 &form = fixture.load();
    QVERIFY(QFile::remove(fixture.settingsPath()));
    QVERIFY(QDir().mkpath(fixture.settingsPath()));
    QTest::keyClick(&form, 'd');
    QCOMPARE(fixture.messages.shown.size(), 2);
    QVERIFY(fixture.messages.shown.at(1).text.contains(
        QDir::toNativeSeparators(fixture.settingsPath())));
    QCOMPARE(fixture.display(), QStringLiteral("5:00"));
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
    QTimer::singleShot(0, &form, [&] {
        dialogShown = form.settingsDialog().isVisible();
        fixture.elapse(3s);
        shownBehind = fixture.display();
        form.settingsDialog().close();
    });
    QTest::keyClick(&form, 'f');
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
    QTimer::singleShot(0, &form, [&] {
        form.settingsDialog().Textsj()->setText(QStringLiteral("15"));
        form.settingsDialog().Comok_Click();
    });
    QTest::keyClick(&form, 'f');
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
            formTimer(form.dispatcher(), "GiveUp").catchUp();
        };
        fixture.elapse(15s);
    };
    if (shortcut)
        form.globalCommand(Command::Reset);
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
    QTimer::singleShot(0, &form, [&] {
        form.settingsDialog().Textsj()->setText(QStringLiteral("30"));
        fixture.elapse(5s);
    });
    QTest::keyClick(&form, 'f');
    QCOMPARE(fixture.finished, 1);
    QVERIFY(!form.settingsDialog().isVisible());
    QCOMPARE(fixture.settingsBytes(), settingsWith("1")); // closed unsaved
    QCOMPARE(fixture.messages.texts("information"), QStringList{timeIsUp});
}

void TestForm1Commands::hundredthsAreDeliveredInBatches()
{
    Form1Fixture fixture;
    Form1 &form = fixture.load();
    form.Comstart_Click();
    QVERIFY(formTimer(form.session(), "Timer1").isWakeScheduled());
    QVERIFY(!formTimer(form.session(), "Timer2").isWakeScheduled()); // its label is hidden
    fixture.clock.advance(250ms);
    QCOMPARE(form.hundredthsCaption(), QStringLiteral("75"));
    fixture.clock.advance(730ms);
    QCOMPARE(form.hundredthsCaption(), QStringLiteral("2"));
    fixture.clock.advance(10ms);
    QCOMPARE(form.hundredthsCaption(), QStringLiteral("1"));
    fixture.clock.advance(10ms);
    QCOMPARE(form.hundredthsCaption(), QStringLiteral("99"));
    form.Compause_Click();
    fixture.clock.advance(1s);
    QCOMPARE(form.hundredthsCaption(), QStringLiteral("99"));
    QCOMPARE(form.session().hm(), 98);
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

void TestForm1Commands::colonBlinksInTheLastMinute()
{
    Form1Fixture fixture;
    fixture.writeSettings(settingsWith("2"));
    Form1 &timer = fixture.load({.minutes = std::nullopt, .warnMinutes = 1, .scale = 1});
    QLabel *colon = fixture.label("Label2");
    const auto colonShownFor = [&](int halfSeconds) {
        QList<bool> shown;
        for (int i = 0; i < halfSeconds; ++i) {
            fixture.elapse(500ms);
            formTimer(timer.session(), "Timer3").catchUp();
            shown << !colon->isHidden();
        }
        return shown;
    };
    timer.Comstart_Click();
    fixture.elapse(59s);
    QCOMPARE(fixture.display(), QStringLiteral("1:1"));
    QCOMPARE(colonShownFor(2), (QList<bool>{true, true})); // 1:01, then 1:00 is left
    QCOMPARE(fixture.display(), QStringLiteral("1:0"));
    QVERIFY(formTimer(timer.session(), "Timer3").Enabled());
    QCOMPARE(colonShownFor(4), (QList<bool>{false, true, false, true}));
    timer.Compause_Click();
    QVERIFY(!formTimer(timer.session(), "Timer3").Enabled());
    QCOMPARE(colonShownFor(3), (QList<bool>{true, true, true}));
    QVERIFY(fixture.label("Label1")->isHidden());
}

void TestForm1Commands::runMinutesLeaveTheFileAlone()
{
    Form1Fixture fixture;
    Form1 &form = fixture.load({.minutes = QStringLiteral("1"), .warnMinutes = 0, .scale = 1});
    QCOMPARE(fixture.display(), QStringLiteral("1:00"));
    form.Comstart_Click();
    fixture.elapse(60s);
    QCOMPARE(fixture.messages.texts("information"), QStringList{timeIsUp});
    QCOMPARE(fixture.finished, 1);
    QVERIFY(!QFileInfo::exists(fixture.folder())); // not even the default file was made
}

void TestForm1Commands::globalCommandGivesTheKeyboardBack()
{
    Form1Fixture fixture;
    Form1 &form = fixture.load();
    fixture.windows.focus = 42; // the slide show has the keyboard
    fixture.messages.nextAnswer = false;
    fixture.messages.whileOpen = [&] { fixture.windows.focus = 7; }; // the question takes it
    form.globalCommand(Command::Reset);
    QCOMPARE(fixture.messages.texts("question").size(), 1);
    QCOMPARE(fixture.windows.focus, quintptr(42));
    form.globalCommand(Command::Start);
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
        busy = form.isWaitingForAnswer();
        fixture.clock.advance(19999ms);
        formTimer(form.dispatcher(), "GiveUp").catchUp();
        abortsBefore20s = fixture.messages.aborts;
        fixture.clock.advance(1ms);
        formTimer(form.dispatcher(), "GiveUp").catchUp();
    };
    form.globalCommand(Command::Reset);
    QVERIFY(busy);
    QCOMPARE(abortsBefore20s, 0);
    QCOMPARE(fixture.messages.aborts, 1);
    QVERIFY(!form.isWaitingForAnswer());
}

QTEST_MAIN(TestForm1Commands)
#include "tst_form1commands.moc"
