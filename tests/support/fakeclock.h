// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/monotonicclock.h"

// A monotonic clock that only moves when the test says so.
class FakeClock final : public MonotonicClock
{
public:
    Duration now() const override { return m_now; }
    void advance(Duration by) { m_now += by; }

private:
    Duration m_now = std::chrono::hours(1);
};
