// SPDX-License-Identifier: GPL-3.0-or-later
// The countdown's rules without a window: what start, pause and the clock show.
#include "forms/formtimer.h"
#include "session/countdownsession.h"
#include "support/countdowntexts.h"
#include "support/fakeclock.h"
#include "support/fakemessageboxes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono;
using namespace std::chrono_literals;

namespace {

using namespace CountdownTexts;

// A session on a temporary settings folder, a clock the test moves and message boxes the
// test answers; what it shows is kept as a window would show it.
struct SessionFixture
{
    void writeSettings(const QByteArray &bytes)
    {
        const QString folder = m_temp.filePath(QStringLiteral("MorivTemp"));
        QDir().mkpath(folder);
        QFile file(QDir(folder).filePath(QStringLiteral("sys.txt")));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    CountdownSession &load()
    {
        m_session = std::make_unique<CountdownSession>(CountdownSession::Services{
            messages, clock, SettingsFile(m_temp.filePath(QStringLiteral("MorivTemp")))});
        CountdownSession *session = m_session.get();
        QObject::connect(session, &CountdownSession::minutesShown,
                         [this](const QString &text) { minutes = text; });
        QObject::connect(session, &CountdownSession::secondsShown,
                         [this](const QString &text) { seconds = text; });
        QObject::connect(session, &CountdownSession::hundredthsShown,
                         [this](const QString &text) { hundredths = text; });
        QObject::connect(session, &CountdownSession::finished, [this] { ++finished; });
        session->load();
        minutes = session->sj();
        seconds = QStringLiteral("00");
        return *session;
    }

    QString display() const { return minutes + u':' + seconds; }

    // Moves the clock forward, waking the timers every 100 ms as the event loop would.
    void elapse(milliseconds duration)
    {
        for (milliseconds done(0); done < duration; done += 100ms) {
            clock.advance(std::min(100ms, duration - done));
            formTimer(*m_session, "Timer1").catchUp();
        }
    }

    FakeClock clock;
    FakeMessageBoxes messages;
    QString minutes, seconds, hundredths;
    int finished = 0;

private:
    QTemporaryDir m_temp;
    std::unique_ptr<CountdownSession> m_session;
};

} // namespace

class TestCountdownSession : public QObject
{
    Q_OBJECT

private slots:
    void oneMinuteCountEndsAtSixtySeconds();
    void twoMinuteCountCrossesTheMinute();
    void pauseAndResumeKeepTheTime();
    void startWhileRunningDoesNothing();
    void minutesTextGivesTheCounter_data();
    void minutesTextGivesTheCounter();
    void invalidMinutesAreRefused_data();
    void invalidMinutesAreRefused();
};

void TestCountdownSession::oneMinuteCountEndsAtSixtySeconds()
{
    SessionFixture fixture;
    fixture.writeSettings(settingsWith("1"));
    CountdownSession &session = fixture.load();
    session.start();
    QCOMPARE(session.f(), 0);
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
    QCOMPARE(fixture.hundredths, QStringLiteral("00"));
    QCOMPARE(fixture.messages.texts("information"), QStringList{timeIsUp});
    for (const char *name : {"Timer1", "Timer2", "Timer3"})
        QVERIFY(!formTimer(session, name).Enabled());
    QCOMPARE(session.clockState(), CountdownClock::State::Closed);
    // Nothing acts any more.
    session.start();
    QVERIFY(!formTimer(session, "Timer1").Enabled());
}

void TestCountdownSession::twoMinuteCountCrossesTheMinute()
{
    SessionFixture fixture;
    fixture.writeSettings(settingsWith("2"));
    CountdownSession &session = fixture.load();
    session.start();
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

void TestCountdownSession::pauseAndResumeKeepTheTime()
{
    SessionFixture fixture;
    fixture.writeSettings(settingsWith("10"));
    CountdownSession &session = fixture.load();
    session.start();
    fixture.elapse(1s);
    QCOMPARE(fixture.display(), QStringLiteral("9:59"));
    fixture.elapse(202s + 400ms); // 6 : 37 shown, 400 ms into the next second
    QCOMPARE(fixture.display(), QStringLiteral("6:37"));
    session.pause();
    QVERIFY(!formTimer(session, "Timer1").Enabled());
    fixture.elapse(30s);
    QCOMPARE(fixture.display(), QStringLiteral("6:37"));
    session.pause(); // pausing again changes nothing
    session.start();
    fixture.elapse(599ms);
    QCOMPARE(fixture.display(), QStringLiteral("6:37"));
    fixture.elapse(1ms);
    QCOMPARE(fixture.display(), QStringLiteral("6:36"));
}

void TestCountdownSession::startWhileRunningDoesNothing()
{
    SessionFixture fixture;
    fixture.writeSettings(settingsWith("10"));
    CountdownSession &session = fixture.load();
    session.start();
    fixture.elapse(75s);
    QCOMPARE(fixture.display(), QStringLiteral("8:45"));
    session.start();
    fixture.elapse(1s);
    QCOMPARE(fixture.display(), QStringLiteral("8:44"));
}

void TestCountdownSession::minutesTextGivesTheCounter_data()
{
    QTest::addColumn<QByteArray>("minutes");
    QTest::addColumn<int>("counter");
    QTest::newRow("blanks around 3") << QByteArray(" 3 ") << 2;
    QTest::newRow("2.5") << QByteArray("2.5") << 2;
    QTest::newRow("1.5") << QByteArray("1.5") << 0;
    QTest::newRow("0.5") << QByteArray("0.5") << 0;
    QTest::newRow("32768") << QByteArray("32768") << 32767;
}

void TestCountdownSession::minutesTextGivesTheCounter()
{
    QFETCH(QByteArray, minutes);
    QFETCH(int, counter);
    SessionFixture fixture;
    fixture.writeSettings("T\r\n" + minutes + "\r\n");
    CountdownSession &session = fixture.load();
    session.start();
    QCOMPARE(session.f(), counter);
    QVERIFY(formTimer(session, "Timer1").Enabled());
    fixture.elapse(1s);
    QCOMPARE(fixture.display(), QString::number(counter) + QStringLiteral(":59"));
}

void TestCountdownSession::invalidMinutesAreRefused_data()
{
    QTest::addColumn<QByteArray>("minutes");
    for (const char *text : {"0", "-1", "32769", "", "abc", "1e3", "0.4"})
        QTest::newRow(*text ? text : "empty") << QByteArray(text);
}

void TestCountdownSession::invalidMinutesAreRefused()
{
    QFETCH(QByteArray, minutes);
    SessionFixture fixture;
    fixture.writeSettings("T\r\n" + minutes + "\r\n");
    CountdownSession &session = fixture.load();
    const QString shownBefore = fixture.display();
    session.start();
    QCOMPARE(fixture.messages.texts("information"), QStringList{invalidMinutes});
    QVERIFY(!formTimer(session, "Timer1").Enabled());
    QVERIFY(!formTimer(session, "Timer2").Enabled());
    QCOMPARE(session.f(), 0);
    QCOMPARE(session.m(), 59);
    QCOMPARE(session.clockState(), CountdownClock::State::Ready);
    fixture.elapse(3s);
    QCOMPARE(fixture.display(), shownBefore);
}

QTEST_GUILESS_MAIN(TestCountdownSession)
#include "tst_countdownsession.moc"
