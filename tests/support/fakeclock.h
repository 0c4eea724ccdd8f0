// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/formtimer.h"
#include "forms/monotonicclock.h"

#include <algorithm>

// A monotonic clock that only moves when the test says so.
class FakeClock final : public MonotonicClock
{
public:
    Duration now() const override { return m_now; }
    // The wall clock moves with it, from wallStart.
    qint64 wallMilliseconds() const override
    {
        return wallStart + std::chrono::duration_cast<std::chrono::milliseconds>(m_now).count();
    }
    qint64 wallStart = 0;
    void advance(Duration by) { m_now += by; }
    // Moves forward by steps of 100 ms, the timer catching up after each as the event loop
    // would wake it.
    void elapse(Duration by, FormTimer &timer)
    {
        for (Duration done(0); done < by; done += std::chrono::milliseconds(100)) {
            advance(std::min<Duration>(std::chrono::milliseconds(100), by - done));
            timer.catchUp();
        }
    }

private:
    Duration m_now = std::chrono::hours(1);
};
