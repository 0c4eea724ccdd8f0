// SPDX-License-Identifier: GPL-3.0-or-later
// GB18030 through Qt's converters, which have it from ICU.
#include "platform/platform.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Gb18030 {

namespace {
const char *const name = "GB18030";
}

bool isComplete()
{
    return QStringEncoder(name).isValid();
}

QByteArray encode(const QString &text)
{
    QStringEncoder encoder(name);
    if (!encoder.isValid())
        encoder = QStringEncoder(QStringConverter::System);
    return encoder.encode(text);
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder(name);
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringConverter::System);
    return decoder.decode(bytes);
}

} // namespace Gb18030
