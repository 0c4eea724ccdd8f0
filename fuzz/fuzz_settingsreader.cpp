// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settingsfile.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                               static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QString title = QStringLiteral("before");
    QString minutes = QStringLiteral("before");
    if (!SettingsFile::readPairs(buffer, title, minutes))
        std::abort(); // reading from memory cannot fail

    // What was read is written back the same way: title and minutes survive a round trip
    // unless the file held bytes that no character stands for.
    const QByteArray rewritten = SettingsFile::encode(title) + "\r\n"
                                 + SettingsFile::encode(minutes) + "\r\n";
    QBuffer again;
    again.setData(rewritten);
    again.open(QIODevice::ReadOnly);
    QString title2;
    QString minutes2;
    SettingsFile::readPairs(again, title2, minutes2);
    if (!title.contains(QChar(0xFFFD)) && !minutes.contains(QChar(0xFFFD))
        && (title2 != title || minutes2 != minutes))
        std::abort();
    return 0;
}
