// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QString;

// What the settings dialog's save does to the main window's countdown.
class CountdownDisplay
{
public:
    virtual ~CountdownDisplay() = default;

    // Puts a minutes text on the display, verbatim.
    virtual void showMinutesText(const QString &minutesText) = 0;
    // Disarms the one-second and hundredths timers; counters and labels keep their values.
    virtual void StopCount() = 0;
    // The seconds and hundredths labels read "00".
    virtual void ClearSeconds() = 0;
    // m = 59, hm = 99: the next Start counts afresh.
    virtual void RewindCounters() = 0;
};
