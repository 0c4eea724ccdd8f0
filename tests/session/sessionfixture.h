// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "session/countdownsession.h"

#include "forms/formtimer.h"
#include "mainwindow/timecaptions.h"
#include "support/fakeclock.h"
#include "support/fakemessageboxes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono;
using namespace std::chrono_literals;

inline QByteArray settingsWith(const char *minutes)
{
    return QByteArray("T\r\n") + minutes + "\r\n";
}

// A session on a temporary settings folder, with a clock the test moves and message boxes
// it answers; what a display would show is kept from the session's signals.
class SessionFixture
{
public:
    explicit SessionFixture(const QByteArray &settings = {}, const RunOptions &options = {})
    {
        QFile file(settingsPath());
        if (!settings.isEmpty())
            QVERIFY(QDir().mkpath(folder()) && file.open(QIODevice::WriteOnly)
                    && file.write(settings) == settings.size());
        file.close();
        QObject::connect(&session, &CountdownSession::timeShown, [this](const ShownTime &shown) {
            const TimeCaptions captions = TimeCaptions::of(shown);
            minutes = captions.minutes;
            seconds = captions.seconds;
        });
        QObject::connect(&session, &CountdownSession::hundredthsShown, [this](qint16 shown) {
            hundredths = TimeCaptions::hundredths(shown);
        });
        QObject::connect(&session, &CountdownSession::colonChanged,
                         [this](bool second) { secondFace = second; });
        QObject::connect(&session, &CountdownSession::finished, [this] { ++finished; });
        session.setRunOptions(options);
        session.load();
        minutes = session.sj();
        session.showTimeLeft(); // as the window shows it once loaded
    }

    QString folder() const { return m_temp.filePath(QStringLiteral("MorivTemp")); }
    QString settingsPath() const { return QDir(folder()).filePath(QStringLiteral("sys.txt")); }
    QString display() const { return minutes + u':' + seconds; }
    FormTimer &timer(const char *name) { return formTimer(session, name); }
    void elapse(milliseconds duration) { clock.elapse(duration, timer("Timer1")); }

private:
    QTemporaryDir m_temp;

public:
    FakeClock clock;
    FakeMessageBoxes messages;
    CountdownSession session{{messages, clock, SettingsFile(folder())}};
    QString minutes;
    QString seconds = QStringLiteral("00");
    QString hundredths;
    bool secondFace = false;
    int finished = 0;
};
