// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/formtimer.h"
#include "support/fakeclock.h"

#include <QSignalSpy>
#include <QTest>

using namespace std::chrono;
using namespace std::chrono_literals;

class TestFormTimer : public QObject
{
    Q_OBJECT

private slots:
    void disarmedOrZeroIntervalNeverTicks_data();
    void disarmedOrZeroIntervalNeverTicks();
    void ticksFallOnMultiplesOfTheInterval();
    void lateWakeUpDoesNotPushLaterTicksBack();
    void missedTicksAreAllDelivered();
    void disarmingKeepsTheSpentPartOfTheInterval();
    void restartPhaseStartsAWholeInterval();
    void batchedTimerSchedulesNoWakeUp();
    void disarmingDeliversWhatFellDue_data();
    void disarmingDeliversWhatFellDue();
    void handlerThatDisarmsStopsTheBatch();
    void wakeUpIsScheduledForTheNextDueTick();
    void realEventLoopDeliversTicks();
};

void TestFormTimer::disarmedOrZeroIntervalNeverTicks_data()
{
    QTest::addColumn<int>("interval");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("armed, interval 0") << 0 << true;
    QTest::newRow("disarmed, interval 1000") << 1000 << false;
}

void TestFormTimer::disarmedOrZeroIntervalNeverTicks()
{
    QFETCH(int, interval);
    QFETCH(bool, enabled);
    FakeClock clock;
    FormTimer timer(clock);
    timer.setInterval(interval);
    timer.setEnabled(enabled);
    QSignalSpy ticks(&timer, &FormTimer::tick);
    clock.advance(10s);
    timer.catchUp();
    QCOMPARE(ticks.count(), 0);
    QVERIFY(!timer.isWakeScheduled());
}

void TestFormTimer::ticksFallOnMultiplesOfTheInterval()
{
    FakeClock clock;
    FormTimer timer(clock);
    timer.setInterval(1000);
    timer.setEnabled(true);
    QSignalSpy ticks(&timer, &FormTimer::tick);
    clock.advance(999ms);
    timer.catchUp();
    QCOMPARE(ticks.count(), 0);
    clock.advance(1ms);
    timer.catchUp();
    QCOMPARE(ticks.count(), 1);
    timer.catchUp();
    QCOMPARE(ticks.count(), 1);
}

void TestFormTimer::lateWakeUpDoesNotPushLaterTicksBack()
{
    FakeClock clock;
    FormTimer timer(clock);
    timer.setInterval(1000);
    timer.setEnabled(true);
    const auto start = clock.now();
    QSignalSpy ticks(&timer, &FormTimer::tick);
    clock.advance(1400ms); // the first wake-up came 400 ms late
    timer.catchUp();
    QCOMPARE(ticks.count(), 1);
    QCOMPARE(timer.nextDue() - start, duration_cast<nanoseconds>(2000ms));
    clock.advance(600ms);
    timer.catchUp();
    QCOMPARE(ticks.count(), 2);
}

void TestFormTimer::missedTicksAreAllDelivered()
{
    FakeClock clock;
    FormTimer timer(clock);
    timer.setInterval(1000);
    timer.setEnabled(true);
    QSignalSpy ticks(&timer, &FormTimer::tick);
    clock.advance(3h + 500ms); // for instance a machine that slept
    timer.catchUp();
    QCOMPARE(ticks.count(), 3 * 3600);
}

void TestFormTimer::disarmingKeepsTheSpentPartOfTheInterval()
{
    FakeClock clock;
    FormTimer timer(clock);
    timer.setInterval(1000);
    timer.setEnabled(true);
    QSignalSpy ticks(&timer, &FormTimer::tick);
    clock.advance(2300ms);
    timer.catchUp();
    QCOMPARE(ticks.count(), 2);
    timer.setEnabled(false); // 300 ms of the third second are spent
    clock.advance(5min);
    timer.catchUp();
    QCOMPARE(ticks.count(), 2);
    timer.setEnabled(true);
    clock.advance(699ms);
    timer.catchUp();
    QCOMPARE(ticks.count(), 2);
    clock.advance(1ms);
    timer.catchUp();
    QCOMPARE(ticks.count(), 3);
    clock.advance(1000ms);
    timer.catchUp();
    QCOMPARE(ticks.count(), 4);
}

void TestFormTimer::restartPhaseStartsAWholeInterval()
{
    FakeClock clock;
    FormTimer timer(clock);
    timer.setInterval(1000);
    timer.setEnabled(true);
    QSignalSpy ticks(&timer, &FormTimer::tick);
    clock.advance(700ms);
    timer.setEnabled(false);
    timer.restartPhase();
    timer.setEnabled(true);
    clock.advance(300ms);
    timer.catchUp();
    QCOMPARE(ticks.count(), 0);
    clock.advance(700ms);
    timer.catchUp();
    QCOMPARE(ticks.count(), 1);
}

void TestFormTimer::batchedTimerSchedulesNoWakeUp()
{
    FakeClock clock;
    FormTimer timer(clock);
    timer.setInterval(10);
    timer.setBatched(true);
    timer.setEnabled(true);
    QVERIFY(!timer.isWakeScheduled());
    QSignalSpy ticks(&timer, &FormTimer::tick);
    clock.advance(1000ms);
    timer.catchUp();
    QCOMPARE(ticks.count(), 100);
    timer.setBatched(false); // shown again: back to a wake-up per tick
    QVERIFY(timer.isWakeScheduled());
}

void TestFormTimer::disarmingDeliversWhatFellDue_data()
{
    QTest::addColumn<bool>("batched");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("beforeDisarm"); // ms, with no event delivered meanwhile
    QTest::addColumn<int>("delivered");
    QTest::addColumn<int>("spent");
    QTest::newRow("batched hundredths") << true << 10 << 255 << 25 << 5;
    // A pause a few milliseconds after a second fell due, before its tick was delivered.
    QTest::newRow("second overdue at a pause") << false << 1000 << 1004 << 1 << 4;
}

void TestFormTimer::disarmingDeliversWhatFellDue()
{
    QFETCH(bool, batched);
    QFETCH(int, interval);
    QFETCH(int, beforeDisarm);
    QFETCH(int, delivered);
    QFETCH(int, spent);
    FakeClock clock;
    FormTimer timer(clock);
    timer.setInterval(interval);
    timer.setBatched(batched);
    timer.setEnabled(true);
    QSignalSpy ticks(&timer, &FormTimer::tick);
    clock.advance(milliseconds(beforeDisarm));
    timer.setEnabled(false);
    QCOMPARE(ticks.count(), delivered);
    timer.setEnabled(true);
    clock.advance(milliseconds(interval - spent - 1)); // what was spent before the pause counts
    timer.catchUp();
    QCOMPARE(ticks.count(), delivered);
    clock.advance(1ms);
    timer.catchUp();
    QCOMPARE(ticks.count(), delivered + 1);
}

void TestFormTimer::handlerThatDisarmsStopsTheBatch()
{
    FakeClock clock;
    FormTimer timer(clock);
    timer.setInterval(1000);
    timer.setEnabled(true);
    int delivered = 0;
    connect(&timer, &FormTimer::tick, this, [&] {
        if (++delivered == 3)
            timer.setEnabled(false);
    });
    clock.advance(10s);
    timer.catchUp();
    QCOMPARE(delivered, 3);
    QVERIFY(!timer.Enabled());
}

void TestFormTimer::wakeUpIsScheduledForTheNextDueTick()
{
    FakeClock clock;
    FormTimer timer(clock);
    timer.setInterval(1000);
    timer.setEnabled(true);
    QVERIFY(timer.isWakeScheduled());
    timer.setEnabled(false);
    QVERIFY(!timer.isWakeScheduled());
    timer.setEnabled(true);
    timer.setInterval(0);
    QVERIFY(!timer.isWakeScheduled());
}

void TestFormTimer::realEventLoopDeliversTicks()
{
    SteadyClock clock;
    FormTimer timer(clock);
    timer.setInterval(20);
    QSignalSpy ticks(&timer, &FormTimer::tick);
    timer.setEnabled(true);
    QTRY_VERIFY(ticks.count() >= 3);
    timer.setEnabled(false);
    const auto count = ticks.count();
    QCoreApplication::processEvents();
    QCOMPARE(ticks.count(), count);
}

QTEST_GUILESS_MAIN(TestFormTimer)
#include "tst_formtimer.moc"
