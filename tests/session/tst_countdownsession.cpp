// SPDX-License-Identifier: GPL-3.0-or-later
#include "sessionfixture.h"

#include <QFileInfo>

namespace {

const QString invalidMinutes =
    QStringLiteral("倒计时时间设置无效，请按 f 键打开设置，输入 1 到 32768 之间的分钟数！");
const QString timeIsUp = QStringLiteral("倒计时时间到！！！");

} // namespace

class TestCountdownSession : public QObject
{
    Q_OBJECT

private slots:
    void countEndsAfterItsMinutes_data();
    void countEndsAfterItsMinutes();
    void pauseAndResumeKeepTheTime();
    void minutesTextGivesTheCounter_data();
    void minutesTextGivesTheCounter();
    void resetAnsweredNoChangesNothing();
    void resetWithAnUnreadableFileSaysSoAndKeepsTheMinutes();
    void hundredthsAreDeliveredInBatches();
    void colonBlinksInTheLastMinute();
    void runMinutesLeaveTheFileAlone();
};

void TestCountdownSession::countEndsAfterItsMinutes_data()
{
    QTest::addColumn<int>("minutes");
    QTest::newRow("one") << 1;
    QTest::newRow("two, across a minute") << 2;
}

void TestCountdownSession::countEndsAfterItsMinutes()
{
    QFETCH(int, minutes);
    SessionFixture fixture(settingsWith(QByteArray::number(minutes)));
    fixture.session.start();
    QCOMPARE(fixture.session.f(), minutes - 1);
    for (int left = minutes - 1; left >= 0; --left) {
        if (left < minutes - 1) {
            fixture.elapse(1s);
            QCOMPARE(fixture.display(), QString::number(left + 1) + QStringLiteral(":0"));
        }
        fixture.elapse(1s);
        QCOMPARE(fixture.display(), QString::number(left) + QStringLiteral(":59"));
        fixture.elapse(58s);
        QCOMPARE(fixture.display(), QString::number(left) + QStringLiteral(":1"));
    }
    QCOMPARE(fixture.finished, 0);
    fixture.elapse(999ms);
    QCOMPARE(fixture.finished, 0);
    fixture.elapse(1ms);
    QCOMPARE(fixture.finished, 1);
    QCOMPARE(fixture.display(), QStringLiteral("00:00"));
    QCOMPARE(fixture.hundredths, QStringLiteral("00"));
    QCOMPARE(fixture.messages.texts("information"), QStringList{timeIsUp});
    for (const char *name : {"Timer1", "Timer2", "Timer3"})
        QVERIFY(!fixture.timer(name).Enabled());
    QCOMPARE(fixture.session.clockState(), CountdownClock::State::Closed);
    // Nothing acts any more.
    fixture.session.start();
    QVERIFY(!fixture.timer("Timer1").Enabled());
}


void TestCountdownSession::pauseAndResumeKeepTheTime()
{
    SessionFixture fixture(settingsWith("10"));
    fixture.session.start();
    fixture.elapse(1s);
    QCOMPARE(fixture.display(), QStringLiteral("9:59"));
    fixture.elapse(202s + 400ms); // 6 : 37 shown, 400 ms into the next second
    QCOMPARE(fixture.display(), QStringLiteral("6:37"));
    fixture.session.pause();
    QVERIFY(!fixture.timer("Timer1").Enabled());
    fixture.elapse(30s);
    QCOMPARE(fixture.display(), QStringLiteral("6:37"));
    fixture.session.pause(); // pausing again changes nothing
    fixture.session.start();
    fixture.elapse(599ms);
    QCOMPARE(fixture.display(), QStringLiteral("6:37"));
    fixture.elapse(1ms);
    QCOMPARE(fixture.display(), QStringLiteral("6:36"));
    fixture.session.start(); // while counting: nothing changes
    fixture.elapse(1s);
    QCOMPARE(fixture.display(), QStringLiteral("6:35"));
}


void TestCountdownSession::minutesTextGivesTheCounter_data()
{
    QTest::addColumn<QByteArray>("minutes");
    QTest::addColumn<int>("counter"); // -1: refused
    QTest::newRow("blanks around 3") << QByteArray(" 3 ") << 2;
    QTest::newRow("2.5") << QByteArray("2.5") << 2;
    QTest::newRow("1.5") << QByteArray("1.5") << 0;
    QTest::newRow("0.5") << QByteArray("0.5") << 0;
    QTest::newRow("32768") << QByteArray("32768") << 32767;
    for (const char *text : {"0", "-1", "32769", "", "abc", "1e3", "0.4"})
        QTest::newRow(*text ? text : "empty") << QByteArray(text) << -1;
}

void TestCountdownSession::minutesTextGivesTheCounter()
{
    QFETCH(QByteArray, minutes);
    QFETCH(int, counter);
    SessionFixture fixture("T\r\n" + minutes + "\r\n");
    const QString shownBefore = fixture.display();
    fixture.session.start();
    QCOMPARE(fixture.timer("Timer1").Enabled(), counter >= 0);
    QCOMPARE(fixture.timer("Timer2").Enabled(), counter >= 0);
    fixture.elapse(1s);
    if (counter >= 0) {
        QCOMPARE(fixture.session.f(), counter);
        QCOMPARE(fixture.display(), QString::number(counter) + QStringLiteral(":59"));
        return;
    }
    QCOMPARE(fixture.messages.texts("information"), QStringList{invalidMinutes});
    QCOMPARE(fixture.session.f(), 0);
    QCOMPARE(fixture.session.m(), 59);
    QCOMPARE(fixture.session.clockState(), CountdownClock::State::Ready);
    fixture.elapse(3s);
    QCOMPARE(fixture.display(), shownBefore);
}

void TestCountdownSession::resetAnsweredNoChangesNothing()
{
    SessionFixture fixture(settingsWith("5"));
    fixture.session.start();
    fixture.elapse(10s);
    fixture.messages.nextAnswer = false;
    fixture.messages.whileOpen = [&] { fixture.elapse(2s); }; // the count goes on behind it
    fixture.session.reset();
    QCOMPARE(fixture.messages.shown.size(), 1);
    QCOMPARE(fixture.messages.shown.first().kind, QStringLiteral("question"));
    QCOMPARE(fixture.messages.shown.first().text, QStringLiteral("您是否真的要重置时间？"));
    QCOMPARE(fixture.messages.shown.first().title, QStringLiteral("提示"));
    QCOMPARE(fixture.display(), QStringLiteral("4:48"));
    QVERIFY(fixture.timer("Timer1").Enabled());
    fixture.elapse(1s);
    QCOMPARE(fixture.display(), QStringLiteral("4:47"));
}

void TestCountdownSession::resetWithAnUnreadableFileSaysSoAndKeepsTheMinutes()
{
    SessionFixture fixture(settingsWith("5"));
    QVERIFY(QFile::remove(fixture.settingsPath()));
    QVERIFY(QDir().mkpath(fixture.settingsPath()));
    fixture.session.reset();
    QCOMPARE(fixture.messages.shown.size(), 2);
    QVERIFY(fixture.messages.shown.at(1).text.contains(
        QDir::toNativeSeparators(fixture.settingsPath())));
    QCOMPARE(fixture.display(), QStringLiteral("5:00"));
}

void TestCountdownSession::hundredthsAreDeliveredInBatches()
{
    SessionFixture fixture;
    const auto caption = [&] {
        fixture.session.catchUpHundredths();
        return fixture.hundredths;
    };
    fixture.session.start();
    QVERIFY(fixture.timer("Timer1").isWakeScheduled());
    QVERIFY(!fixture.timer("Timer2").isWakeScheduled()); // nobody sees them
    fixture.clock.advance(250ms);
    QCOMPARE(caption(), QStringLiteral("75"));
    fixture.clock.advance(730ms);
    QCOMPARE(caption(), QStringLiteral("2"));
    fixture.clock.advance(10ms);
    QCOMPARE(caption(), QStringLiteral("1"));
    fixture.clock.advance(10ms);
    QCOMPARE(caption(), QStringLiteral("99"));
    fixture.session.pause();
    fixture.clock.advance(1s);
    QCOMPARE(caption(), QStringLiteral("99"));
    QCOMPARE(fixture.session.hm(), 98);
}

void TestCountdownSession::colonBlinksInTheLastMinute()
{
    SessionFixture fixture(settingsWith("2")); // the colon blinks in the last minute
    const auto colonShownFor = [&](int halfSeconds) {
        QList<bool> shown;
        for (int i = 0; i < halfSeconds; ++i) {
            fixture.elapse(500ms);
            fixture.timer("Timer3").catchUp();
            shown << !fixture.secondFace;
        }
        return shown;
    };
    fixture.session.start();
    fixture.elapse(59s);
    QCOMPARE(fixture.display(), QStringLiteral("1:1"));
    QCOMPARE(colonShownFor(2), (QList<bool>{true, true})); // 1:01, then 1:00 is left
    QCOMPARE(fixture.display(), QStringLiteral("1:0"));
    QVERIFY(fixture.timer("Timer3").Enabled());
    QCOMPARE(colonShownFor(4), (QList<bool>{false, true, false, true}));
    fixture.session.pause();
    QVERIFY(!fixture.timer("Timer3").Enabled());
    QCOMPARE(colonShownFor(3), (QList<bool>{true, true, true}));
}

void TestCountdownSession::runMinutesLeaveTheFileAlone()
{
    RunOptions options;
    options.minutes = QStringLiteral("1");
    options.warnMinutes = 0;
    SessionFixture fixture({}, options);
    QCOMPARE(fixture.display(), QStringLiteral("1:00"));
    fixture.session.start();
    fixture.elapse(60s);
    QCOMPARE(fixture.messages.texts("information"), QStringList{timeIsUp});
    QCOMPARE(fixture.finished, 1);
    QVERIFY(!QFileInfo::exists(fixture.folder())); // not even the default file was made
}

QTEST_GUILESS_MAIN(TestCountdownSession)
#include "tst_countdownsession.moc"
