// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/countdownclock.h"

#include <algorithm>
#include <limits>

void CountdownClock::RewindCounters()
{
    m = 59;
    hm = 99;
    if (m_state != State::Closed)
        m_state = State::Ready;
}

void CountdownClock::overrun()
{
    if (m_state == State::Closed)
        m_state = State::Over;
}

void CountdownClock::setSecondsLeft(qint32 seconds)
{
    const qint32 next = std::clamp<qint32>(seconds, 1, 32768 * 60) - 1;
    f = qint16(next / 60);
    m = qint16(next % 60);
    if (m_state == State::Over)
        m_state = State::Running;
}

void CountdownClock::startFresh(qint16 minutesCounter)
{
    f = minutesCounter;
    m = 59;
    hm = 99;
    m_state = State::Running;
}

void CountdownClock::resume()
{
    if (m_state == State::Stopped)
        m_state = State::Running;
}

void CountdownClock::pause()
{
    if (m_state == State::Running)
        m_state = State::Stopped;
}

CountdownClock::SecondStep CountdownClock::secondStep()
{
    const SecondStep shown{f, m, f == 0 && m == 0};
    if (shown.timeUp) {
        m_state = State::Closed;
        return shown;
    }
    if (m <= 0) {
        m = 59;
        // Never wraps: a minutes counter at the bottom of its range stays there.
        if (f > std::numeric_limits<qint16>::min())
            --f;
    } else {
        --m;
    }
    return shown;
}

qint16 CountdownClock::hundredthsStep()
{
    if (hm <= 0)
        hm = 99;
    const qint16 shown = hm;
    --hm;
    return shown;
}
