// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/countdownclock.h"

#include <algorithm>
#include <limits>

void CountdownClock::RewindCounters()
{
    m_m = 59;
    m_hm = 99;
    if (m_state != State::Closed)
        m_state = State::Ready;
}

void CountdownClock::overrun()
{
    if (m_state == State::Closed) {
        m_state = State::Over;
        m_overSeconds = 0;
    }
}

void CountdownClock::setSecondsLeft(qint32 seconds)
{
    const qint32 next = std::clamp<qint32>(seconds, 1, 32768 * 60) - 1;
    m_f = qint16(next / 60);
    m_m = qint16(next % 60);
    if (m_state == State::Over)
        m_state = State::Running;
}

void CountdownClock::startFresh(qint16 minutesCounter)
{
    m_f = minutesCounter;
    m_m = 59;
    m_hm = 99;
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
    const SecondStep shown{m_f, m_m, m_f == 0 && m_m == 0};
    if (shown.timeUp) {
        m_state = State::Closed;
        return shown;
    }
    if (m_m <= 0) {
        m_m = 59;
        // Never wraps: a minutes counter at the bottom of its range stays there.
        if (m_f > std::numeric_limits<qint16>::min())
            --m_f;
    } else {
        --m_m;
    }
    return shown;
}

qint16 CountdownClock::hundredthsStep()
{
    if (m_hm <= 0)
        m_hm = 99;
    const qint16 shown = m_hm;
    --m_hm;
    return shown;
}
