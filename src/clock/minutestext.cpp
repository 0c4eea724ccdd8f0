// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/minutestext.h"

namespace MinutesText {

namespace {

constexpr int maxMinutesCounter = maxMinutes - 1;

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar(0x3000);
}

// Folds full-width digits, signs and full stop to ASCII.
QChar narrow(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0xFF10 && u <= 0xFF19)
        return QChar(u'0' + (u - 0xFF10));
    switch (u) {
    case 0xFF0B: return QChar(u'+');
    case 0xFF0D: return QChar(u'-');
    case 0xFF0E: return QChar(u'.');
    default: return c;
    }
}

} // namespace

std::optional<qint16> toMinutesCounter(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;

    QString number;
    number.reserve(end - begin);
    for (qsizetype i = begin; i < end; ++i)
        number.append(narrow(text.at(i)));

    bool negative = false;
    qsizetype pos = 0;
    if (pos < number.size() && (number.at(pos) == u'+' || number.at(pos) == u'-')) {
        negative = number.at(pos) == u'-';
        ++pos;
    }

    // The whole part, kept exactly while it is small enough to matter.
    long long whole = 0;
    int wholeDigits = 0;
    while (pos < number.size() && number.at(pos).isDigit() && number.at(pos).unicode() < 128) {
        whole = std::min<long long>(whole * 10 + (number.at(pos).unicode() - u'0'),
                                    maxMinutesCounter + 2);
        ++wholeDigits;
        ++pos;
    }

    // The fractional part only decides the rounding: below, at or above one half.
    int fractionVsHalf = 0; // -1 below, 0 exactly a half or no fraction, +1 above
    bool hasFraction = false;
    int fractionDigits = 0;
    if (pos < number.size() && number.at(pos) == u'.') {
        ++pos;
        bool first = true;
        while (pos < number.size() && number.at(pos).isDigit()
               && number.at(pos).unicode() < 128) {
            const int digit = number.at(pos).unicode() - u'0';
            if (first) {
                fractionVsHalf = digit < 5 ? -1 : (digit > 5 ? 1 : 0);
                first = false;
            } else if (fractionVsHalf == 0 && digit != 0) {
                fractionVsHalf = 1;
            }
            hasFraction = true;
            ++fractionDigits;
            ++pos;
        }
        if (!hasFraction)
            fractionVsHalf = -1; // "3." is just 3
    } else {
        fractionVsHalf = -1;
    }

    if (pos != number.size() || wholeDigits + fractionDigits == 0)
        return std::nullopt;

    // Every negative setting, minus zero included, gives a counter of -1 or less.
    if (negative)
        return std::nullopt;

    // value - 1 = (whole - 1) + fraction, rounded half to even.
    long long counter = whole - 1;
    if (fractionVsHalf > 0 || (fractionVsHalf == 0 && hasFraction && (counter % 2 != 0)))
        ++counter;
    if (counter < 0 || counter > maxMinutesCounter)
        return std::nullopt;
    return static_cast<qint16>(counter);
}

} // namespace MinutesText
