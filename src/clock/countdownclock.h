// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The counting rules of the countdown, free of any window: the minutes, seconds and
// hundredths counters, the time past zero and the state that decides what Start does. It is
// the one owner of the count.
//
// A count of N minutes starts at f = N-1, m = 59. Each second shows m and f and then steps
// them, so the display reads N-1 : 59 after one second, N-1 : 0 after sixty and N-2 : 59
// after sixty-one; the second that shows 0 : 0 is time-up, exactly 60·N seconds after start.
class CountdownClock
{
public:
    enum class State {
        Ready,   // rewound: the next Start begins a fresh count
        Running, // the one-second and hundredths timers are armed
        Stopped, // paused: the next Start resumes where the count stood
        Closed,  // time is up
        Over,    // time is up and the count goes on past zero (overtime)
    };

    struct SecondStep
    {
        qint16 minutesShown;
        qint16 secondsShown;
        bool timeUp;
    };

    // The counters, 16-bit like the forms' integers: the minutes; the seconds, the value the
    // next one-second step shows; the hundredths, the value the next hundredths step shows.
    qint16 f() const { return m_f; }
    qint16 m() const { return m_m; }
    qint16 hm() const { return m_hm; }

    State state() const { return m_state; }

    // m = 59 and hm = 99; the next Start counts afresh.
    void RewindCounters();
    // A fresh count from the minutes counter, i.e. the setting minus one.
    void startFresh(qint16 minutesCounter);
    // Picks up a paused count where it stood.
    void resume();
    // Stops counting; the counters keep their values.
    void pause();
    // Time is up, and the count carries on past zero: nothing ends.
    void overrun();
    // Past zero: the time over, and one second more of it.
    qint32 overSeconds() const { return m_overSeconds; }
    void setOverSeconds(qint32 seconds) { m_overSeconds = seconds; }
    void overSecond() { ++m_overSeconds; }

    // The time left as the display shows it between two steps, in seconds, negative past
    // zero; and setting it, so that the next step shows one second less (at least 1). A count
    // past zero is back in the count, running.
    qint32 secondsLeft() const
    {
        return m_state == State::Over ? -m_overSeconds : m_f * 60 + m_m + 1;
    }
    void setSecondsLeft(qint32 seconds);

    // One step of the one-second timer.
    SecondStep secondStep();
    // One step of the hundredths timer: returns the value to show; cycles 99..1.
    qint16 hundredthsStep();

private:
    qint16 m_f = 0;
    qint16 m_m = 0;
    qint16 m_hm = 0;
    qint32 m_overSeconds = 0;
    State m_state = State::Ready;
};
