// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file's bytes, as the settings tests write and read them.

#include <QByteArray>
#include <QFile>
#include <QTest>

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

inline void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}
