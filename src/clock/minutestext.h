// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace MinutesText {

// The longest count in whole minutes: the minutes counter is a 16-bit integer.
inline constexpr int maxMinutes = 32768;

// The minutes counter a count starts from: the minutes text read as a decimal number, less
// one, rounded to the nearest integer with halves going to the even neighbour.
//
// Accepted: blanks around the number (blank, tab, the ideographic blank U+3000), an optional
// sign, digits with an optional fractional part; full-width digits, signs and full stop count
// as their ASCII forms, as a Chinese input method types them. The result must lie between 0
// and 32767 (a setting of 0.5 to 32768 minutes); anything else gives no value.
std::optional<qint16> toMinutesCounter(const QString &text);

} // namespace MinutesText
