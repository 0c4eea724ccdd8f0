// SPDX-License-Identifier: GPL-3.0-or-later
// GB18030 through Qt's converters, which have it from ICU.

#include "platform/gb18030.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Gb18030 {

namespace {
const char *const name = "GB18030";
}

bool isAvailable()
{
    return QStringEncoder(name).isValid();
}

bool isComplete()
{
    return isAvailable();
}

QByteArray encode(const QString &text)
{
    QStringEncoder encoder(name);
    return encoder.isValid() ? QByteArray(encoder.encode(text)) : QByteArray();
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder(name);
    return decoder.isValid() ? QString(decoder.decode(bytes)) : QString();
}

} // namespace Gb18030
