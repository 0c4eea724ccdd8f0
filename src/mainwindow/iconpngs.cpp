// SPDX-License-Identifier: GPL-3.0-or-later
// Build helper: writes the application icon as the PNG files the desktop installs, from the
// same drawing as the window's icon.  Usage: moriv_icon_pngs <folder>
#include "mainwindow/appicon.h"

#include <QDir>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 32, 48, 128}) {
        const QString file = folder.filePath(QStringLiteral("moriv-%1.png").arg(size));
        if (!AppIcon::render(size).save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
