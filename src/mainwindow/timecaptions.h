// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "session/countdownsession.h"

#include <QString>

// The captions of the minutes and seconds labels for what the session shows, as the design
// writes them: the seconds unpadded while counting down, two digits past zero, "00" where
// there are none; the stored minutes as they were typed.
struct TimeCaptions
{
    QString minutes;
    QString seconds;

    static TimeCaptions of(const ShownTime &shown);
    // The hundredths label's caption: "00" when cleared.
    static QString hundredths(qint16 hundredths);
};
