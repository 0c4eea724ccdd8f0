// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/countdownclock.h"

#include <QTest>

// Runs a fresh count of the given minutes counter and records what each second shows.
struct Shown
{
    int minutes;
    int seconds;
    bool timeUp;
};

static QList<Shown> runCount(qint16 minutesCounter, int maxSeconds)
{
    CountdownClock clock;
    clock.RewindCounters();
    clock.startFresh(minutesCounter);
    QList<Shown> shown;
    for (int second = 1; second <= maxSeconds; ++second) {
        const auto step = clock.secondStep();
        shown.append({step.minutesShown, step.secondsShown, step.timeUp});
        if (step.timeUp)
            break;
    }
    return shown;
}

class TestCountdownClock : public QObject
{
    Q_OBJECT

private slots:
    void secondSequence_data();
    void secondSequence();
    void timeUpExactlyAtSixtySecondsPerMinute_data();
    void timeUpExactlyAtSixtySecondsPerMinute();
    void secondsRunFromZeroStraightToFiftyNine();
    void stateFollowsTheCommands();
    void rewindDoesNotReopenAClosedClock();
    void hundredthsCycleNinetyNineToOne();
    void minutesCounterNeverWraps();
};

void TestCountdownClock::secondSequence_data()
{
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("minutesShown");
    QTest::addColumn<int>("secondsShown");

    QTest::newRow("1 min, first second") << 1 << 1 << 0 << 59;
    QTest::newRow("1 min, 58 s") << 1 << 58 << 0 << 2;
    QTest::newRow("1 min, 59 s") << 1 << 59 << 0 << 1;
    QTest::newRow("2 min, first second") << 2 << 1 << 1 << 59;
    QTest::newRow("2 min, 59 s") << 2 << 59 << 1 << 1;
    QTest::newRow("2 min, 60 s shows a whole minute left") << 2 << 60 << 1 << 0;
    QTest::newRow("2 min, 61 s") << 2 << 61 << 0 << 59;
    QTest::newRow("2 min, 118 s") << 2 << 118 << 0 << 2;
    QTest::newRow("10 min, first second") << 10 << 1 << 9 << 59;
    QTest::newRow("10 min, 203 s") << 10 << 203 << 6 << 37;
}

void TestCountdownClock::secondSequence()
{
    QFETCH(int, minutes);
    QFETCH(int, second);
    QFETCH(int, minutesShown);
    QFETCH(int, secondsShown);

    const QList<Shown> shown = runCount(static_cast<qint16>(minutes - 1), second);
    QCOMPARE(shown.size(), second);
    QCOMPARE(shown.last().minutes, minutesShown);
    QCOMPARE(shown.last().seconds, secondsShown);
    QVERIFY(!shown.last().timeUp);
}

void TestCountdownClock::timeUpExactlyAtSixtySecondsPerMinute_data()
{
    QTest::addColumn<int>("minutes");
    QTest::newRow("1") << 1;
    QTest::newRow("2") << 2;
    QTest::newRow("7") << 7;
    QTest::newRow("45") << 45;
}

void TestCountdownClock::timeUpExactlyAtSixtySecondsPerMinute()
{
    QFETCH(int, minutes);
    const QList<Shown> shown = runCount(static_cast<qint16>(minutes - 1), 60 * minutes + 10);
    QCOMPARE(shown.size(), 60 * minutes);
    QVERIFY(shown.last().timeUp);
    QCOMPARE(shown.last().minutes, 0);
    QCOMPARE(shown.last().seconds, 0);
    for (qsizetype i = 0; i + 1 < shown.size(); ++i)
        QVERIFY2(!shown.at(i).timeUp, qPrintable(QString::number(i + 1)));
}

void TestCountdownClock::secondsRunFromZeroStraightToFiftyNine()
{
    const QList<Shown> shown = runCount(2, 180);
    for (qsizetype i = 1; i < shown.size(); ++i) {
        const Shown &before = shown.at(i - 1);
        const Shown &now = shown.at(i);
        if (before.seconds == 0) {
            QCOMPARE(now.seconds, 59);
            QCOMPARE(now.minutes, before.minutes - 1);
        } else {
            QCOMPARE(now.seconds, before.seconds - 1);
            QCOMPARE(now.minutes, before.minutes);
        }
    }
}

void TestCountdownClock::stateFollowsTheCommands()
{
    CountdownClock clock;
    clock.RewindCounters();
    QCOMPARE(clock.state(), CountdownClock::State::Ready);
    clock.resume(); // nothing was paused
    QCOMPARE(clock.state(), CountdownClock::State::Ready);
    clock.startFresh(4);
    QCOMPARE(clock.state(), CountdownClock::State::Running);
    clock.secondStep();
    clock.secondStep();
    clock.pause();
    QCOMPARE(clock.state(), CountdownClock::State::Stopped);
    QCOMPARE(clock.f(), 4);
    QCOMPARE(clock.m(), 57);
    clock.resume();
    QCOMPARE(clock.state(), CountdownClock::State::Running);
    QCOMPARE(clock.m(), 57);
    clock.RewindCounters();
    QCOMPARE(clock.state(), CountdownClock::State::Ready);
    QCOMPARE(clock.m(), 59);
    QCOMPARE(clock.hm(), 99);
}

void TestCountdownClock::rewindDoesNotReopenAClosedClock()
{
    CountdownClock clock;
    clock.startFresh(0);
    clock.setSecondsLeft(1);
    QVERIFY(clock.secondStep().timeUp);
    QCOMPARE(clock.state(), CountdownClock::State::Closed);
    clock.RewindCounters();
    clock.resume();
    QCOMPARE(clock.state(), CountdownClock::State::Closed);
}

void TestCountdownClock::hundredthsCycleNinetyNineToOne()
{
    CountdownClock clock;
    clock.RewindCounters();
    QList<int> shown;
    for (int i = 0; i < 200; ++i)
        shown.append(clock.hundredthsStep());
    QCOMPARE(shown.first(), 99);
    QCOMPARE(shown.at(98), 1);
    QCOMPARE(shown.at(99), 99); // wraps after 99 steps, never showing 0
    QVERIFY(!shown.contains(0));
    QCOMPARE(shown.at(197), 1);
    QCOMPARE(shown.at(198), 99);
}

void TestCountdownClock::minutesCounterNeverWraps()
{
    CountdownClock clock;
    clock.startFresh(std::numeric_limits<qint16>::min());
    for (int second = 0; second < 59; ++second) // down to its last second of the minute
        clock.secondStep();
    const auto step = clock.secondStep();
    QVERIFY(!step.timeUp);
    QCOMPARE(clock.f(), std::numeric_limits<qint16>::min());
    QCOMPARE(clock.m(), 59);
}

QTEST_APPLESS_MAIN(TestCountdownClock)
#include "tst_countdownclock.moc"
