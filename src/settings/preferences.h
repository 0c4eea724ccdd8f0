// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/outcome.h"

#include <QByteArrayList>
#include <QString>

// The choices the timer's menu makes, remembered between runs. The minutes are not among
// them: they stay in the settings file.
struct Choices
{
    enum class Place { AsDesigned, TopLeft, TopRight, BottomLeft, BottomRight };

    bool overtime = false;
    bool startWithShow = false;
    int warnMinutes = 1;
    Place place = Place::AsDesigned;
    int sizePercent = 100;
    int screen = 0; // 1-based; 0: the primary screen
    bool phases = false;
    bool sound = false;
    bool remote = false;     // the HTTP remote control
    int remotePort = 7270;   // where it listens, kept while it is off

    bool operator==(const Choices &) const = default;
};

// The preferences file: a short text a person can read and edit,
//
//     [choices]
//     overtime=true
//     warning=2
//
// written whole in one step. Lines it does not know (a newer version's) are kept as they are.
class PreferencesFile
{
public:
    explicit PreferencesFile(QString path) : m_path(std::move(path)) {}

    QString path() const { return m_path; }
    // The stored choices; the defaults where the file is missing. A file that cannot be read
    // or is not such a text gives the defaults, and the reason in PROBLEM.
    Choices read(Outcome *problem = nullptr);
    // Replaces the file with these choices, and the lines of the last read it did not know.
    Outcome store(const Choices &choices);

    static constexpr qint64 maxBytes = 64 * 1024;

private:
    QString m_path;
    QByteArrayList m_lines; // as read, unknown ones included; empty when damaged or missing
};
