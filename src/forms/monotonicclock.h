// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <chrono>

// The time source of the countdown. The real program reads the steady clock; tests pass a
// clock they advance by hand, so nothing in a test ever has to sleep.
class MonotonicClock
{
public:
    using Duration = std::chrono::nanoseconds;

    virtual ~MonotonicClock() = default;
    virtual Duration now() const = 0;
    // The wall clock, in milliseconds since 1970 (UTC): a count to a time of day reads it.
    virtual qint64 wallMilliseconds() const
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    }
};

class SteadyClock final : public MonotonicClock
{
public:
    Duration now() const override
    {
        return std::chrono::steady_clock::now().time_since_epoch();
    }
};
