// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/formtimer.h"

#include <algorithm>

using namespace std::chrono;

FormTimer::FormTimer(const MonotonicClock &clock, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
{
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
    connect(&m_wake, &QTimer::timeout, this, [this] {
        catchUp();
        scheduleWake();
    });
}

MonotonicClock::Duration FormTimer::interval() const
{
    return milliseconds(m_intervalMs);
}

void FormTimer::setInterval(int milliseconds)
{
    milliseconds = std::max(0, milliseconds);
    if (milliseconds == m_intervalMs)
        return;
    m_intervalMs = milliseconds;
    m_spent = {};
    if (ticking())
        beginRun();
    else
        m_wake.stop();
}

void FormTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    if (!enabled) {
        // A tick that fell due before the disarm was not yet delivered only because the
        // event loop had not come round to it: it still counts.
        catchUp();
        if (ticking()) {
            const auto elapsed = m_clock.now() - m_runStart;
            m_spent = std::clamp<MonotonicClock::Duration>(elapsed - m_delivered * interval(),
                                                           {}, interval());
            if (m_spent == interval())
                m_spent = {};
        }
        m_enabled = false;
        m_wake.stop();
        return;
    }
    m_enabled = true;
    if (ticking())
        beginRun();
}

void FormTimer::setBatched(bool batched)
{
    if (batched == m_batched)
        return;
    if (batched)
        catchUp();
    m_batched = batched;
    scheduleWake();
}

void FormTimer::restartPhase(MonotonicClock::Duration spent)
{
    m_spent = std::clamp<MonotonicClock::Duration>(spent, {}, interval());
    if (ticking())
        beginRun();
}

void FormTimer::beginRun()
{
    m_runStart = m_clock.now() - m_spent;
    m_spent = {};
    m_delivered = 0;
    scheduleWake();
}

MonotonicClock::Duration FormTimer::nextDue() const
{
    return m_runStart + (m_delivered + 1) * interval();
}

void FormTimer::catchUp()
{
    // A tick handler may disarm its own timer, which delivers what fell due: those ticks are
    // delivered by this loop once the handler returns, never by a second loop inside it.
    if (m_delivering)
        return;
    m_delivering = true;
    while (ticking() && nextDue() <= m_clock.now()) {
        ++m_delivered;
        emit tick();
    }
    m_delivering = false;
}

void FormTimer::scheduleWake()
{
    if (!ticking() || m_batched) {
        m_wake.stop();
        return;
    }
    const auto remaining = nextDue() - m_clock.now();
    // Rounded up, so the wake-up is never early and costs no second wake-up.
    const auto ms = std::max<long long>(0, ceil<milliseconds>(remaining).count());
    m_wake.start(static_cast<int>(std::min<long long>(ms, 24LL * 3600 * 1000)));
}
