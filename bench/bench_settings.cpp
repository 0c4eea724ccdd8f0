// SPDX-License-Identifier: GPL-3.0-or-later
// Streams N MB of random bytes (default 100) through the settings reader and prints how long it
// took and how much the process's peak memory grew; then how long the settings file takes to
// refuse the same file, which is far over the size it reads.
//
// Usage: bench_settings [megabytes]
#include "processusage.h"
#include "settings/settingsfile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    const int megabytes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    QTemporaryDir folder;
    QFile file(QDir(folder.path()).filePath(QStringLiteral("sys.txt")));
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    QByteArray block(1024 * 1024, Qt::Uninitialized);
    auto *generator = QRandomGenerator::global();
    for (int i = 0; i < megabytes; ++i) {
        generator->fillRange(reinterpret_cast<quint32 *>(block.data()),
                             block.size() / int(sizeof(quint32)));
        file.write(block);
    }
    file.close();
    block = QByteArray();

    const ProcessUsage before = ProcessUsage::now();
    QElapsedTimer elapsed;
    elapsed.start();
    QString title;
    QString minutes;
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const Outcome result = SettingsFile::readPairs(file, title, minutes);
    const qint64 ms = elapsed.elapsed();
    const ProcessUsage used = ProcessUsage::now() - before;
    file.close();

    elapsed.restart();
    const Outcome refused = SettingsFile(folder.path()).ReadSettingsFile(title, minutes);
    std::printf("settings file of %d MB: %s after %lld us (%s)\n", megabytes,
                refused ? "read" : "refused",
                static_cast<long long>(elapsed.nsecsElapsed() / 1000),
                qPrintable(refused.reason));

    std::printf("read %d MB of random bytes: %s in %lld ms (%.0f MB/s), peak memory +%ld KiB, "
                "title %lld chars, minutes %lld chars\n",
                megabytes, result ? "ok" : "failed", static_cast<long long>(ms),
                megabytes * 1000.0 / std::max<qint64>(ms, 1), used.maxResidentKiB,
                static_cast<long long>(title.size()), static_cast<long long>(minutes.size()));
    return result ? 0 : 1;
}
