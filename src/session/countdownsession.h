// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clock/countdownclock.h"
#include "session/runoptions.h"
#include "settings/settingsfile.h"

#include <QObject>
#include <QString>

#include <functional>
#include <utility>

class FormTimer;
class MessageBoxService;
class MonotonicClock;

// What the display shows, in numbers; the window writes the captions from them.
struct ShownTime
{
    enum class Kind {
        Setting, // the minutes as stored, verbatim (any text), and no seconds yet
        Left,    // the seconds left, as minutes and seconds
        Zero,    // the count has just reached zero and goes on past it
        Over,    // the seconds past zero
        TimeUp,  // time is up: everything cleared
    };
    Kind kind = Kind::Setting;
    qint32 seconds = 0; // Left, Over
    QString setting;    // Setting

    bool operator==(const ShownTime &) const = default;
};

// How near the end the count is: more than the warning minutes left, within them, or at zero
// and past it.
enum class Phase { Normal, Warning, Over };

// The countdown the speaker runs, free of any window: the clock and its three timers (Timer1
// the seconds, Timer2 the hundredths, Timer3 the colon's blink), the minutes the display shows
// and the settings file they come from. It runs the commands start, pause and reset, asks its
// questions through the message boxes, and tells the window what to show by its signals.
class CountdownSession : public QObject
{
    Q_OBJECT

public:
    struct Services
    {
        MessageBoxService &messages;
        const MonotonicClock &clock;
        SettingsFile settings;
    };

    explicit CountdownSession(Services services, QObject *parent = nullptr);
    ~CountdownSession() override;

    // Before load().
    void setRunOptions(const RunOptions &options) { m_options = options; }
    const RunOptions &runOptions() const { return m_options; }
    // Where Start reads the stored minutes to count: the settings dialog's box, as last loaded
    // from the file or saved.
    void setStartMinutes(std::function<QString()> boxText) { m_startMinutes = std::move(boxText); }
    // What a fresh Start counts: this run's minutes (--minutes, a minute more or less before
    // Start, a save while they are set), or else the stored ones.
    QString countMinutes() const;

    // Reads the settings file, or takes this run's minutes, and sets the timers up; the
    // display shows the minutes. A settings file it could not use fails (the session counts
    // the default minutes then).
    Outcome load();

    // The counters and the texts read from the settings file.
    qint16 f() const { return m_clock.f(); }
    qint16 m() const { return m_clock.m(); }
    qint16 hm() const { return m_clock.hm(); }
    QString bt() const { return m_bt; }
    QString sj() const { return m_sj; }
    CountdownClock::State clockState() const { return m_clock.state(); }
    bool isClosed() const { return m_clock.state() == CountdownClock::State::Closed; }
    // The seconds go by: not paused, not ready, not ended.
    bool isCounting() const;
    Phase phase() const { return m_phase; }
    // What the display shows now.
    const ShownTime &shown() const { return m_shown; }
    // This run's choices, from the menu.
    void setOvertime(bool overtime) { m_options.overtime = overtime; }
    void setWarnMinutes(int minutes);

    void start();
    void pause();
    // Asks first; a Yes stops the count and shows the stored minutes (or this run's). The
    // question is answered later: questionClosed() follows.
    void reset();
    // Reset without the question: whoever sent it has asked already.
    void resetNow();
    // This run counts MINUTES from now on (not to a deadline), shown at once as after a
    // reset; the settings file keeps its own.
    void countThisRun(int minutes);
    // The settings dialog saved these minutes: the count stops, and the next Start counts them
    // afresh; they are this run's when it has its own.
    void settingsSaved(const QString &minutes);
    // A minute more or less while counting or paused, shown at once; less leaves at least a
    // second. Past zero they move the time over. Before Start they change the minutes this
    // run counts (1 to 32768).
    void more();
    void less();
    // With a deadline: the time left to it, on the display.
    void showTimeLeft();
    // With a deadline, before Start: the display follows the wall clock (a jump, a suspend).
    // Called by what already wakes the program while it waits.
    void followWallClock();

    // While nobody sees the hundredths, their ticks come in batches: the last one is shown
    // when they are seen again or asked for.
    void setHundredthsSeen(bool seen);
    void catchUpHundredths();

    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();

signals:
    void timeShown(const ShownTime &shown);
    // The hundredths as they spin (99 down to 1); 0 when cleared.
    void hundredthsShown(qint16 hundredths);
    // The colon blinks by showing its second face (Label1) instead of its first (Label2).
    void colonChanged(bool secondFace);
    // A second went by on the display.
    void secondShown();
    // Time is up: a question or dialog still open is to be closed unanswered, before the
    // message says so.
    void closingOpenWindows();
    // Time is up and the speaker dismissed the message.
    void finished();
    // The reset question or a message of the session's has closed, and what its answer
    // showed with it.
    void questionClosed();
    // The count started, stopped, went past zero, was reset or ended, whatever asked for it.
    void stateChanged();
    // The count crossed into another phase; never at a second within one.
    void phaseChanged(Phase phase);
    // The count has reached zero, ending or going on past it.
    void reachedZero();

private:
    // Says stateChanged() when the state or whether it counts is no longer what it said last.
    void sayState();
    void display(const ShownTime &shown);
    void resetConfirmed();
    void stopCount();
    void clearHundredths();
    void rewindCounters();
    void updateWarning();
    void updatePhase();
    void stopWarning();
    void timeUp();
    void showHundredths(qint16 hundredths);
    void showSetting(const QString &minutes);
    void shiftBy(qint32 seconds);
    void shiftMinutes(int minutes);
    void showLeft(qint32 seconds);
    void showOver();
    void overrun();
    void startToDeadline();
    // A second of a count to a deadline, read off the wall clock.
    void deadlineSecond();
    void shiftDeadline(qint32 seconds);
    // Milliseconds from now to the deadline.
    qint64 toDeadline() const;

    Services m_services;
    RunOptions m_options;
    std::function<QString()> m_startMinutes;
    CountdownClock m_clock;
    QString m_bt;
    QString m_sj;
    bool m_secondFace = false;
    Phase m_phase = Phase::Normal;
    ShownTime m_shown;
    bool m_hundredthsSeen = false;
    bool m_hundredthsBehind = false; // the last batch's value waits to be shown
    qint16 m_hundredthsDue = 0;
    qint64 m_deadlineShift = 0; // minutes more or less to the deadline, in milliseconds
    std::pair<CountdownClock::State, bool> m_said{CountdownClock::State::Ready, false};

    FormTimer *m_timer3 = nullptr;
    FormTimer *m_timer2 = nullptr;
    FormTimer *m_timer1 = nullptr;
};
