// SPDX-License-Identifier: GPL-3.0-or-later
// Build helper: writes the application icon as the PNG files the desktop installs and as the
// Windows icon of moriv.exe, from the same drawing as the window's icon.
// Usage: moriv_icon_pngs <folder>
#include "mainwindow/appicon.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QtEndian>

#include <cstdio>

namespace {

QByteArray png(int size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return AppIcon::render(size).save(&buffer, "PNG") ? bytes : QByteArray();
}

template<typename T>
void append(QByteArray &bytes, T value)
{
    value = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char *>(&value), sizeof value);
}

// An .ico file: a directory of images, each one a PNG (as Windows has read them since Vista);
// empty if an image could not be made.
QByteArray icoFile(const QList<int> &sizes)
{
    QByteArray directory;
    QByteArray images;
    append<quint16>(directory, 0);
    append<quint16>(directory, 1); // an icon, not a cursor
    append<quint16>(directory, quint16(sizes.size()));
    const int offset = 6 + 16 * int(sizes.size());
    for (int size : sizes) {
        const QByteArray image = png(size);
        if (image.isEmpty())
            return {};
        directory.append(char(size >= 256 ? 0 : size)).append(char(size >= 256 ? 0 : size));
        append<quint16>(directory, 0); // no palette
        append<quint16>(directory, 1); // planes
        append<quint16>(directory, 32); // bits per pixel
        append<quint32>(directory, quint32(image.size()));
        append<quint32>(directory, quint32(offset + images.size()));
        images += image;
    }
    return directory + images;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    // NAME-SIZE.png: the program's icon and the tray's marked ones, at every size.
    for (AppIcon::Mark mark : {AppIcon::Mark::None, AppIcon::Mark::Counting,
                               AppIcon::Mark::Paused, AppIcon::Mark::Over}) {
        for (int size : AppIcon::sizes) {
            const QString file =
                folder.filePath(QStringLiteral("%1-%2.png").arg(AppIcon::name(mark)).arg(size));
            if (!AppIcon::render(size, mark).save(file)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
                return 1;
            }
        }
    }
    QFile ico(folder.filePath(QStringLiteral("moriv.ico")));
    const QByteArray bytes = icoFile({16, 32, 48, 256});
    if (bytes.isEmpty() || !ico.open(QIODevice::WriteOnly) || ico.write(bytes) != bytes.size() || !ico.flush()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(ico.fileName()));
        return 1;
    }
    return 0;
}
