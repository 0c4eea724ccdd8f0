// SPDX-License-Identifier: GPL-3.0-or-later
// GB18030 through Windows' own code page 54936: Qt without ICU has no such codec.

#include "platform/gb18030.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace Gb18030 {

namespace {

// Windows has had GB18030 as code page 54936 since Vista; Wine has not. Without it, GBK (936)
// gives the same bytes for every character GBK has, the default title's among them.
UINT codePage()
{
    static const UINT page = IsValidCodePage(54936) ? 54936 : 936;
    return page;
}

} // namespace

bool isAvailable()
{
    return true; // GBK, code page 936, is part of every Windows
}

bool isComplete()
{
    return codePage() == 54936;
}

QByteArray encode(const QString &text)
{
    if (text.isEmpty())
        return {};
    const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(codePage(), 0, wide, length, nullptr, 0, nullptr, nullptr);
    QByteArray bytes(size, Qt::Uninitialized);
    WideCharToMultiByte(codePage(), 0, wide, length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

QString decode(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(codePage(), 0, bytes.constData(), length, nullptr, 0);
    QString text(size, Qt::Uninitialized);
    MultiByteToWideChar(codePage(), 0, bytes.constData(), length,
                        reinterpret_cast<wchar_t *>(text.data()), size);
    return text;
}

} // namespace Gb18030
