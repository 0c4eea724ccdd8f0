// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/countdownsession.h"

#include "clock/minutestext.h"
#include "forms/formtimer.h"
#include "forms/messageboxservice.h"
#include "settings/settingsmessages.h"

#include <QScopeGuard>

#include <algorithm>
#include <optional>
#include <utility>

namespace {

FormTimer *designTimer(const MonotonicClock &clock, QObject *owner, const char *name,
                       int interval)
{
    // The design arms every timer when the form is built.
    auto *timer = new FormTimer(clock, owner);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(interval);
    timer->setEnabled(true);
    return timer;
}

} // namespace

CountdownSession::CountdownSession(Services services, QObject *parent)
    : QObject(parent)
    , m_services(std::move(services))
{
    setObjectName(QStringLiteral("CountdownSession"));
    m_timer3 = designTimer(m_services.clock, this, "Timer3", 0);
    m_timer2 = designTimer(m_services.clock, this, "Timer2", 0);
    m_timer1 = designTimer(m_services.clock, this, "Timer1", 1000);
    // Nobody sees the hundredths until their label shows.
    m_timer2->setBatched(true);
    connect(m_timer1, &FormTimer::tick, this, &CountdownSession::Timer1_Timer);
    connect(m_timer2, &FormTimer::tick, this, &CountdownSession::Timer2_Timer);
    connect(m_timer3, &FormTimer::tick, this, &CountdownSession::Timer3_Timer);
}

CountdownSession::~CountdownSession() = default;

bool CountdownSession::isCounting() const
{
    return m_timer1->Enabled();
}

void CountdownSession::setWarnMinutes(int minutes)
{
    m_options.warnMinutes = minutes;
    updateWarning();
}

Outcome CountdownSession::load()
{
    const SettingsFile &settings = m_services.settings;
    Outcome result;
    if (m_options.minutes || m_options.until) {
        // The title is carried along should the dialog save; the minutes are this run's, or
        // those left to its deadline.
        settings.ReadSettingsFile(m_bt, m_sj);
        if (m_bt.isEmpty())
            m_bt = SettingsFile::defaultTitle();
        m_sj = m_options.minutes ? *m_options.minutes
                                 : QString::number((std::max<qint64>(0, toDeadline()) + 59999)
                                                   / 60000);
    } else {
        result = settings.EnsureSettingsFile();
        if (result)
            result = settings.ReadSettingsFile(m_bt, m_sj);
    }
    if (!result) {
        // A timer that cannot read its settings still has to count: it counts the default
        // length, and the window says why.
        m_bt = SettingsFile::defaultTitle();
        m_sj = SettingsFile::defaultMinutes();
    }

    // A slow start (a cold font cache) lets the design's first ticks fall due while loading,
    // and disarming delivers what fell due. Those ticks never happened: each starts afresh.
    for (FormTimer *timer : {m_timer1, m_timer2, m_timer3}) {
        timer->restartPhase();
        timer->setEnabled(false);
    }
    m_timer1->setInterval(1000);
    m_timer2->setInterval(10);
    m_timer3->setInterval(500);
    rewindCounters();
    m_shown = {ShownTime::Kind::Setting, 0, m_sj}; // what the window shows first
    return result;
}

void CountdownSession::sayState()
{
    const std::pair said{m_clock.state(), isCounting()};
    if (std::exchange(m_said, said) != said)
        emit stateChanged();
}

void CountdownSession::start()
{
    // The tray, the remote control and the menu hear of it however the count started.
    const auto say = qScopeGuard([this] { sayState(); });
    switch (m_clock.state()) {
    case CountdownClock::State::Running:
    case CountdownClock::State::Closed:
        return;
    case CountdownClock::State::Over:
        // Past zero, paused: the time over goes on where it stood.
        m_timer1->setEnabled(true);
        return;
    case CountdownClock::State::Stopped:
        if (m_options.until) {
            // A deadline does not wait: the count goes on to it, less the pause.
            startToDeadline();
            return;
        }
        // Resume: the counters and the part of the second already spent are kept.
        m_clock.resume();
        m_timer1->setEnabled(true);
        m_timer2->setEnabled(true);
        updateWarning();
        return;
    case CountdownClock::State::Ready:
        if (m_options.until) {
            startToDeadline();
            return;
        }
        break;
    }

    const std::optional<qint16> counter = MinutesText::toMinutesCounter(countMinutes());
    if (!counter) {
        m_services.messages.information(
            tr("倒计时时间设置无效，请按 f 键打开设置，输入 1 到 32768 之间的分钟数！"),
            [this] { emit questionClosed(); });
        return;
    }
    m_clock.startFresh(*counter);
    m_timer1->restartPhase();
    m_timer2->restartPhase();
    m_timer1->setEnabled(true);
    m_timer2->setEnabled(true);
    updateWarning();
}

QString CountdownSession::countMinutes() const
{
    if (m_options.minutes)
        return *m_options.minutes;
    return m_startMinutes ? m_startMinutes() : m_sj;
}

void CountdownSession::pause()
{
    if (!isClosed())
        stopCount();
    sayState();
}

void CountdownSession::reset()
{
    if (isClosed())
        return;
    m_services.messages.question(tr("您是否真的要重置时间？"), tr("提示"), [this](bool yes) {
        // The count may have run out while the question was open.
        if (!yes || isClosed()) {
            emit questionClosed();
            return;
        }
        resetConfirmed();
    });
}

void CountdownSession::resetConfirmed()
{
    const auto say = qScopeGuard([this] { sayState(); });
    stopCount();
    // The last second that stopping the count delivers may be its last.
    if (isClosed()) {
        emit questionClosed();
        return;
    }
    clearHundredths();
    if (m_options.until) {
        m_deadlineShift = 0; // the deadline as asked for
        rewindCounters();
        updatePhase();
        showTimeLeft();
        emit questionClosed();
        return;
    }
    Outcome read;
    if (m_options.minutes)
        m_sj = *m_options.minutes; // this run's minutes, not the file's
    else
        read = m_services.settings.ReadSettingsFile(m_bt, m_sj);
    showSetting(m_sj);
    rewindCounters();
    updatePhase();
    if (read)
        emit questionClosed();
    else
        m_services.messages.information(SettingsMessages::readFailure(read),
                                        [this] { emit questionClosed(); });
}

void CountdownSession::resetNow()
{
    if (!isClosed())
        resetConfirmed();
}

void CountdownSession::countThisRun(int minutes)
{
    if (isClosed())
        return;
    m_options.until.reset();
    m_options.minutes = QString::number(minutes);
    resetConfirmed();
}

void CountdownSession::settingsSaved(const QString &minutes)
{
    // Stopping first: a second that falls due as the count stops would otherwise show the
    // old minutes over the saved ones.
    stopCount();
    if (isClosed())
        return;
    if (m_options.minutes)
        m_options.minutes = minutes;
    showSetting(minutes);
    clearHundredths();
    showTimeLeft(); // a deadline still counts, whatever the file says
    // The next Start counts the saved minutes afresh instead of mixing them with the seconds
    // of the count that was stopped.
    rewindCounters();
    updatePhase();
    sayState(); // a save stops a running count: the tray is not to say it counts on
}

void CountdownSession::setHundredthsSeen(bool seen)
{
    m_hundredthsSeen = seen;
    m_timer2->setBatched(!seen);
    if (seen)
        catchUpHundredths();
}

void CountdownSession::catchUpHundredths()
{
    m_timer2->catchUp();
    if (std::exchange(m_hundredthsBehind, false))
        showHundredths(m_hundredthsDue);
}

void CountdownSession::showHundredths(qint16 hundredths)
{
    m_hundredthsBehind = false;
    emit hundredthsShown(hundredths);
}

void CountdownSession::display(const ShownTime &shown)
{
    m_shown = shown;
    emit timeShown(shown);
}

void CountdownSession::showSetting(const QString &minutes)
{
    display({ShownTime::Kind::Setting, 0, minutes});
}

void CountdownSession::Timer1_Timer()
{
    // The hundredths that fell due during this second come first, as they would have had
    // their timer woken the program for each of them.
    catchUpHundredths();
    if (m_options.until) {
        deadlineSecond();
        return;
    }
    if (m_clock.state() == CountdownClock::State::Over) {
        m_clock.overSecond();
        showOver();
        emit secondShown();
        return;
    }
    const CountdownClock::SecondStep shown = m_clock.secondStep();
    if (shown.timeUp && m_options.overtime) {
        overrun();
        emit secondShown();
        return;
    }
    display({ShownTime::Kind::Left, shown.minutesShown * 60 + shown.secondsShown, {}});
    if (shown.timeUp) {
        timeUp();
        return;
    }
    updateWarning();
    emit secondShown();
}

void CountdownSession::Timer2_Timer()
{
    const qint16 hundredths = m_clock.hundredthsStep();
    // While nobody sees the label the caption is written once, with the last of a batch.
    if (!m_hundredthsSeen) {
        m_hundredthsBehind = true;
        m_hundredthsDue = hundredths;
        return;
    }
    showHundredths(hundredths);
}

void CountdownSession::Timer3_Timer()
{
    m_secondFace = !m_secondFace;
    emit colonChanged(m_secondFace);
}

void CountdownSession::timeUp()
{
    display({ShownTime::Kind::TimeUp, 0, {}});
    clearHundredths();
    for (FormTimer *timer : {m_timer1, m_timer2, m_timer3})
        timer->setEnabled(false);
    stopWarning();
    // A question or the settings dialog still open is closed unanswered and unsaved; the
    // time-up message is not theirs to give up on.
    emit closingOpenWindows();
    sayState();
    updatePhase();
    emit reachedZero();
    m_services.messages.information(tr("倒计时时间到！！！"), [this] { emit finished(); });
}

void CountdownSession::stopCount()
{
    m_timer1->setEnabled(false);
    m_timer2->setEnabled(false);
    catchUpHundredths();
    m_clock.pause();
    stopWarning();
}

void CountdownSession::clearHundredths()
{
    m_hundredthsBehind = false;
    emit hundredthsShown(0);
}

void CountdownSession::rewindCounters()
{
    m_clock.RewindCounters();
    m_timer1->restartPhase();
    m_timer2->restartPhase();
}
