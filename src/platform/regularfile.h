// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QFile;

// The settings file is only ever a regular file. A FIFO would block a read for ever, a device
// would feed it without end, and a save would replace either with a plain file.
namespace RegularFile {

// Opens path for reading without waiting on what it names, then looks at what was opened
// (links followed). Returns an empty string with file open, or the reason it was refused.
QString openForReading(QFile &file, const QString &path);

// Why a save must not replace what path names (links followed): a folder, a FIFO, a device.
// Empty when path is a regular file or names nothing yet.
QString refusalToReplace(const QString &path);

} // namespace RegularFile
