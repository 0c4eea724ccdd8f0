// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/monotonicclock.h"

#include <QObject>
#include <QTimer>

// A timer with the two properties of a forms-runtime timer: Interval (ms) and Enabled.
// A disarmed timer delivers no ticks and an interval of 0 never ticks.
//
// Unlike QTimer it does not drift: tick k of a run falls k intervals after the run began on
// the monotonic clock, so a late wake-up does not push the later ticks back, and ticks that
// fell due while the program was busy are all delivered, by disarming too. Disarming keeps the
// part of the running interval already spent, so disarming and re-arming neither gains nor
// loses time; restartPhase() drops it when the next run must start with a whole interval.
//
// A batched timer never wakes the program by itself: the ticks that fell due are delivered
// together by catchUp() and by disarming. This serves a display nobody is looking at without
// waking the machine a hundred times a second.
class FormTimer : public QObject
{
    Q_OBJECT

public:
    explicit FormTimer(const MonotonicClock &clock, QObject *parent = nullptr);

    int Interval() const { return m_intervalMs; }
    void setInterval(int milliseconds);

    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    bool isBatched() const { return m_batched; }
    void setBatched(bool batched);

    // Delivers, one tick() each, every tick that has fallen due by now.
    void catchUp();
    // The next run starts with a whole interval instead of the remainder of the last one, or
    // as if SPENT of its first interval had gone by already.
    void restartPhase(MonotonicClock::Duration spent = {});

    // When the next tick falls due, on the monotonic clock; for tests and the benchmark.
    MonotonicClock::Duration nextDue() const;
    bool isWakeScheduled() const { return m_wake.isActive(); }

signals:
    void tick();

private:
    bool ticking() const { return m_enabled && m_intervalMs > 0; }
    MonotonicClock::Duration interval() const;
    void beginRun();
    void scheduleWake();

    const MonotonicClock &m_clock;
    QTimer m_wake;
    int m_intervalMs = 0;
    bool m_enabled = false;
    bool m_batched = false;
    bool m_delivering = false;
    MonotonicClock::Duration m_runStart{};
    long long m_delivered = 0;          // ticks delivered in the current run
    MonotonicClock::Duration m_spent{}; // part of an interval spent before the last disarm
};

// The form's timer of that name (Timer1, ...), as the form's design names its controls.
inline FormTimer &formTimer(const QObject &form, const char *name)
{
    return *form.findChild<FormTimer *>(QLatin1String(name), Qt::FindDirectChildrenOnly);
}
