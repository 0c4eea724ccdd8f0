// SPDX-License-Identifier: GPL-3.0-or-later
// The time left as a talk needs it: past zero, a minute more or less, a deadline.
#include "sessionfixture.h"

class TestTimeLeft : public QObject
{
    Q_OBJECT

private slots:
    void changes_data();
    void changes();
    void deadlineCountsFromAnyStart();
    void deadlineFollowsTheWallClock_data();
    void deadlineFollowsTheWallClock();
};

// Each row: a count of two minutes, how it stands, then a minute more or less, what the
// display shows at once and a second later, and the phase it is in at once.
void TestTimeLeft::changes_data()
{
    QTest::addColumn<bool>("overtime");
    QTest::addColumn<int>("elapsed"); // ms after Start; -1: never started
    QTest::addColumn<bool>("paused");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("secondLater");
    QTest::addColumn<int>("warn"); // minutes
    QTest::addColumn<Phase>("phase");
    const Phase N = Phase::Normal, W = Phase::Warning, O = Phase::Over;
    const auto row = [](const char *name, bool overtime, int elapsed, bool paused,
                        const char *command, const char *shown, const char *secondLater,
                        int warn, Phase phase) {
        QTest::newRow(name) << overtime << elapsed << paused << QString(command)
                            << QString(shown) << QString(secondLater) << warn << phase;
    };
    row("more, counting", false, 10400, false, "more", "2:50", "2:49", 1, N);
    row("less, counting", false, 10400, false, "less", "0:50", "0:49", 1, W);
    row("more, paused", false, 10400, true, "more", "2:50", "2:50", 1, N);
    row("less leaves a second", false, 90000, false, "less", "0:1", "00:00", 1, W);
    // Before Start: the minutes the first Start counts, for this run only.
    row("more before Start", false, -1, false, "more", "3:00", "3:00", 1, N);
    row("less before Start", false, -1, false, "less", "1:00", "1:00", 1, N);
    row("past zero", true, 127000, false, "", "-0:07", "-0:08", 1, O);
    row("past zero, paused", true, 127000, true, "", "-0:07", "-0:07", 1, O);
    row("less past zero", true, 127000, false, "less", "-1:07", "-1:08", 1, O);
    row("more past zero: counting again", true, 127000, false, "more", "0:53", "0:52", 1, W);
    // The phases' edges: the warning minute starts as the display shows 1:00.
    row("a second more than the warning minute", false, 59000, false, "", "1:1", "1:0", 1, N);
    row("the warning minute exactly", false, 60000, false, "", "1:0", "0:59", 1, W);
    row("within it, paused", false, 70000, true, "", "0:50", "0:50", 1, W);
    row("no warning minutes", false, 90000, false, "", "0:30", "0:29", 0, N);
    row("a minute more out of the warning", false, 70000, false, "more", "1:50", "1:49", 1, N);
    row("zero", false, 120000, false, "", "00:00", "00:00", 1, O);
}

void TestTimeLeft::changes()
{
    QFETCH(bool, overtime);
    QFETCH(int, elapsed);
    QFETCH(bool, paused);
    QFETCH(QString, command);
    QFETCH(QString, shown);
    QFETCH(QString, secondLater);
    QFETCH(int, warn);
    QFETCH(Phase, phase);
    RunOptions options;
    options.overtime = overtime;
    options.warnMinutes = warn;
    SessionFixture fixture(settingsWith("2"), options);
    QList<Phase> phases; // as the session said them
    QObject::connect(&fixture.session, &CountdownSession::phaseChanged,
                     [&phases](Phase changed) { phases.append(changed); });
    if (elapsed >= 0)
        fixture.session.start();
    fixture.elapse(milliseconds(std::max(elapsed, 0)));
    if (paused)
        fixture.session.pause();
    if (command == "more")
        fixture.session.more();
    else if (command == "less")
        fixture.session.less();
    QCOMPARE(fixture.display(), shown);
    QCOMPARE(fixture.session.phase(), phase);
    // Said only as it changes, never again within a phase.
    for (qsizetype i = 1; i < phases.size(); ++i)
        QVERIFY(phases.at(i) != phases.at(i - 1));
    QCOMPARE(phases.isEmpty() ? Phase::Normal : phases.last(), phase);
    fixture.elapse(1s);
    QCOMPARE(fixture.display(), secondLater);
    // Past zero nothing ends and nothing is said; without overtime time-up says so and ends.
    QCOMPARE(fixture.finished, secondLater == "00:00" ? 1 : 0);
    QCOMPARE(fixture.messages.shown.size(), fixture.finished);
    if (elapsed < 0) {
        fixture.session.start();
        fixture.elapse(1s);
        QCOMPARE(fixture.display(),
                 QString::number(shown.section(u':', 0, 0).toInt() - 1) + QStringLiteral(":59"));
        QFile file(fixture.settingsPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), settingsWith("2"));
    }
    if (overtime && !paused) {
        fixture.session.pause();
        fixture.session.start(); // resumes the time over
        fixture.elapse(1s);
        QVERIFY(fixture.display() != secondLater);
    }
}

// The deadline is 30:00.4 away at load; Start comes 100 s late, a pause takes a minute.
void TestTimeLeft::deadlineCountsFromAnyStart()
{
    RunOptions options;
    options.until = FakeClock().wallMilliseconds() + 1800400;
    SessionFixture fixture(settingsWith("5"), options);
    QCOMPARE(fixture.display(), QStringLiteral("30:1")); // rounded up
    fixture.clock.advance(100s);
    fixture.session.start();
    QCOMPARE(fixture.display(), QStringLiteral("28:21"));
    fixture.elapse(399ms);
    QCOMPARE(fixture.display(), QStringLiteral("28:21"));
    fixture.elapse(1ms); // a whole number of seconds left: 1700
    QCOMPARE(fixture.display(), QStringLiteral("28:20"));
    fixture.elapse(10s);
    fixture.session.pause();
    fixture.elapse(60s);
    QCOMPARE(fixture.display(), QStringLiteral("28:10"));
    fixture.session.start(); // the pause is not made up: 1630 s are left
    QCOMPARE(fixture.display(), QStringLiteral("27:10"));
    fixture.messages.nextAnswer = true;
    fixture.elapse(30s);
    fixture.session.reset();
    QCOMPARE(fixture.display(), QStringLiteral("26:40"));
    fixture.session.start();
    fixture.elapse(1599999ms);
    QCOMPARE(fixture.finished, 0);
    fixture.elapse(1ms); // the deadline itself
    QCOMPARE(fixture.finished, 1);
    QCOMPARE(fixture.display(), QStringLiteral("00:00"));
}

// A deadline 10:00 away; Start and 10 s counted (paused -1: never started), a pause of so many
// ms, the wall clock jumps (a suspend looks the same), so many ms more: what shows.
void TestTimeLeft::deadlineFollowsTheWallClock_data()
{
    for (const char *column : {"overtime", "paused", "jump", "after", "finished"})
        QTest::addColumn<int>(column);
    QTest::addColumn<QString>("shown");
    QTest::newRow("jump ahead") << 0 << 0 << 300000 << 1000 << 0 << "4:49";
    QTest::newRow("jump back") << 0 << 0 << -120000 << 1000 << 0 << "11:49";
    QTest::newRow("back on the deadline's seconds") << 0 << 0 << 300400 << 1600 << 0 << "4:48";
    QTest::newRow("jump past it") << 0 << 0 << 700000 << 1000 << 1 << "00:00";
    QTest::newRow("jump past it, overtime") << 1 << 0 << 700000 << 1000 << 0 << "-1:51";
    QTest::newRow("paused across it, overtime") << 1 << 990000 << 0 << 0 << 0 << "-6:40";
    QTest::newRow("and a second on") << 1 << 990000 << 0 << 1000 << 0 << "-6:41";
    QTest::newRow("paused across it") << 0 << 990000 << 0 << 0 << 1 << "00:00";
    QTest::newRow("before Start") << 0 << -1 << 300000 << 0 << 0 << "5:0";
}

void TestTimeLeft::deadlineFollowsTheWallClock()
{
    QFETCH(int, overtime);
    QFETCH(int, paused);
    QFETCH(int, jump);
    QFETCH(int, after);
    QFETCH(int, finished);
    RunOptions options;
    options.until = FakeClock().wallMilliseconds() + 600000;
    options.overtime = overtime;
    SessionFixture fixture(settingsWith("5"), options);
    if (paused >= 0) {
        fixture.session.start();
        fixture.elapse(10s);
    }
    if (paused > 0) {
        fixture.session.pause();
        fixture.elapse(milliseconds(paused));
    }
    fixture.clock.wallStart += jump;
    paused > 0 ? fixture.session.start() : fixture.session.followWallClock();
    fixture.elapse(milliseconds(after));
    QTEST(fixture.display(), "shown");
    QCOMPARE(fixture.finished, finished);
}

QTEST_GUILESS_MAIN(TestTimeLeft)
#include "tst_timeleft.moc"
