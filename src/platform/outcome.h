// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <utility>

// How an operation went, the one way failures come back in this program: success, or a
// failure with the reason the system gave and the file or name it concerns (when there is
// one), for a message to the user.
struct Outcome
{
    bool ok = true;
    QString path;
    QString reason;

    explicit operator bool() const { return ok; }
    static Outcome failure(QString path, QString reason)
    {
        return {false, std::move(path), std::move(reason)};
    }
    static Outcome failure(QString reason) { return failure({}, std::move(reason)); }
};
