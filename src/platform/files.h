// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/outcome.h"

#include <QString>

class QFile;

namespace Platform {

// The folder that holds the settings file on this platform.
QString settingsDirectory();
// The file that keeps the choices made in the timer's menu.
QString preferencesPath();
// Where this user's timers listen for `moriv --command`: empty when no safe place exists.
// A timer may add up to commandSocketSuffix bytes of its own to the name.
QString commandSocketName();
constexpr int commandSocketSuffix = 32;

} // namespace Platform

// The settings file is only ever a regular file. A FIFO would block a read for ever, a device
// would feed it without end, and a save would replace either with a plain file.
namespace RegularFile {

// Opens path for reading without waiting on what it names, then looks at what was opened
// (links followed). Succeeds with file open, or says why it was refused.
Outcome openForReading(QFile &file, const QString &path);

// Whether a save may replace what path names (links followed): a regular file or nothing
// yet; a folder, a FIFO or a device are refused, with what they are.
Outcome mayReplace(const QString &path);

} // namespace RegularFile
