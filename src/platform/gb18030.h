// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The Chinese national code page (GBK, and GB18030 for the characters GBK lacks), in which
// the settings file is written, with the same bytes on every platform and whatever the
// system's own code page is.
namespace Gb18030 {

// Whether the system has the code page at all; without it the file is neither read nor
// written, rather than in another code page.
bool isAvailable();
// Whether the system has all of GB18030; otherwise only its two-byte part, GBK.
bool isComplete();
QByteArray encode(const QString &text);
// Bytes that are not GB18030 become replacement characters.
QString decode(const QByteArray &bytes);

} // namespace Gb18030
