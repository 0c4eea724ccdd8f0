// SPDX-License-Identifier: GPL-3.0-or-later
// The time left as a talk needs it: a minute more or less, the count past zero, and a
// deadline on the wall clock.
#include "session/countdownsession.h"

#include "clock/minutestext.h"
#include "forms/formtimer.h"
#include "forms/monotonicclock.h"

#include <algorithm>
#include <chrono>

void CountdownSession::more()
{
    shiftBy(60);
}

void CountdownSession::less()
{
    shiftBy(-60);
}

void CountdownSession::shiftBy(qint32 seconds)
{
    if (m_options.until) {
        shiftDeadline(seconds);
        return;
    }
    switch (m_clock.state()) {
    case CountdownClock::State::Ready:
        shiftMinutes(seconds / 60);
        return;
    case CountdownClock::State::Closed:
        return;
    case CountdownClock::State::Over: {
        const qint32 over = m_clock.overSeconds() - seconds;
        if (over >= 0) {
            m_clock.setOverSeconds(over);
            showOver();
            return;
        }
        // A minute more than the time over: counting down again, on the same second's beat.
        m_clock.setSecondsLeft(-over);
        if (!m_timer1->Enabled())
            m_clock.pause();
        else
            m_timer2->setEnabled(true);
        break;
    }
    case CountdownClock::State::Running:
    case CountdownClock::State::Stopped:
        m_clock.setSecondsLeft(std::max<qint32>(1, m_clock.secondsLeft() + seconds));
        break;
    }
    showLeft(m_clock.secondsLeft());
    updateWarning();
}

void CountdownSession::shiftMinutes(int minutes)
{
    // Before Start: the minutes the first Start counts, for this run; the settings file keeps
    // its own.
    const std::optional<qint16> counter = MinutesText::toMinutesCounter(countMinutes());
    if (!counter)
        return;
    const int shifted = std::clamp(*counter + 1 + minutes, 1, MinutesText::maxMinutes);
    m_options.minutes = QString::number(shifted);
    m_sj = *m_options.minutes;
    showSetting(m_sj);
}

void CountdownSession::showLeft(qint32 seconds)
{
    display({ShownTime::Kind::Left, seconds, {}});
}

void CountdownSession::showOver()
{
    display({ShownTime::Kind::Over, m_clock.overSeconds(), {}});
}

void CountdownSession::overrun()
{
    // Zero, and on past it: no message, nothing ends, and the colon stops blinking.
    m_clock.overrun();
    sayState();
    m_timer2->setEnabled(false);
    stopWarning();
    display({ShownTime::Kind::Zero, 0, {}});
    updatePhase();
    emit reachedZero();
}

void CountdownSession::shiftDeadline(qint32 seconds)
{
    const CountdownClock::State state = m_clock.state();
    if (state == CountdownClock::State::Ready || state == CountdownClock::State::Closed)
        return;
    // The deadline itself moves; a minute less leaves at least a second before it.
    qint64 shift = seconds * 1000LL;
    const qint64 left = toDeadline();
    if (state != CountdownClock::State::Over && left > 0 && left + shift < 1000)
        shift = 1000 - left;
    m_deadlineShift += shift;
    deadlineSecond();
}

qint64 CountdownSession::toDeadline() const
{
    if (!m_options.until)
        return 0;
    return *m_options.until + m_deadlineShift - m_services.clock.wallMilliseconds();
}

void CountdownSession::showTimeLeft()
{
    if (!m_options.until)
        return;
    // Whole seconds, rounded up: the display shows 0 only when the time is up.
    const qint64 left = std::max<qint64>(0, toDeadline());
    showLeft(qint32(std::min<qint64>((left + 999) / 1000, 32768 * 60)));
}

void CountdownSession::followWallClock()
{
    if (m_clock.state() == CountdownClock::State::Ready)
        showTimeLeft();
}

void CountdownSession::startToDeadline()
{
    m_clock.startFresh(0);
    m_timer2->restartPhase();
    m_timer1->setEnabled(true);
    m_timer2->setEnabled(true);
    m_timer1->restartPhase(); // put on the deadline's seconds by the first reading
    deadlineSecond();
}

void CountdownSession::deadlineSecond()
{
    // The wall clock decides, at every tick: a jump, a suspend or a pause shows at once, and
    // past the deadline the time over is the time since it, whatever came between. The ticks
    // fall on the deadline's seconds; a tick found off them puts the timer back on them.
    const qint64 left = toDeadline();
    qint64 intoSecond = 0; // of the second now running, in milliseconds
    if (left > 0) {
        // Whole seconds, rounded up: the display shows 0 only when the time is up.
        const qint64 shown = std::min<qint64>((left + 999) / 1000, 32768LL * 60);
        intoSecond = std::max<qint64>(0, 1000 - (left - (shown - 1) * 1000));
        const bool wasOver = m_clock.state() == CountdownClock::State::Over;
        m_clock.setSecondsLeft(qint32(shown)); // back in the count, when it was past zero
        if (wasOver && m_timer1->Enabled())
            m_timer2->setEnabled(true);
        else if (wasOver)
            m_clock.pause(); // a minute more while paused past zero: still paused
        showLeft(qint32(shown));
        updateWarning();
    } else if (m_options.overtime) {
        if (m_clock.state() != CountdownClock::State::Over)
            overrun();
        m_clock.setOverSeconds(qint32(std::min<qint64>(-left / 1000, 32768LL * 60 * 60)));
        intoSecond = -left % 1000;
        if (m_clock.overSeconds() > 0)
            showOver();
    } else {
        timeUp();
        return;
    }
    // Ticks come a little late on their own clock; more than that, the wall clock moved.
    constexpr qint64 offBeat = 50;
    if (intoSecond > offBeat)
        m_timer1->restartPhase(std::chrono::milliseconds(intoSecond));
    emit secondShown();
}

void CountdownSession::updateWarning()
{
    // The cue that the end is near is a blinking colon, not a colour, so that it works for
    // speakers who do not tell red from green.
    const bool near = m_options.warnMinutes > 0
                      && m_clock.state() == CountdownClock::State::Running
                      && m_clock.secondsLeft() <= m_options.warnMinutes * 60;
    if (near && !m_timer3->Enabled()) {
        m_timer3->restartPhase();
        m_timer3->setEnabled(true);
    } else if (!near && m_timer3->Enabled()) {
        stopWarning(); // a minute more took the count out of the last minutes
    }
    updatePhase();
}

void CountdownSession::updatePhase()
{
    Phase phase = Phase::Normal;
    switch (m_clock.state()) {
    case CountdownClock::State::Closed:
    case CountdownClock::State::Over:
        phase = Phase::Over;
        break;
    case CountdownClock::State::Running:
    case CountdownClock::State::Stopped:
        if (m_options.warnMinutes > 0 && m_clock.secondsLeft() <= m_options.warnMinutes * 60)
            phase = Phase::Warning;
        break;
    case CountdownClock::State::Ready:
        break;
    }
    if (std::exchange(m_phase, phase) != phase)
        emit phaseChanged(phase);
}

void CountdownSession::stopWarning()
{
    m_timer3->setEnabled(false);
    if (std::exchange(m_secondFace, false))
        emit colonChanged(false);
}
