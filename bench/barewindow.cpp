// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for start-up: a frameless Qt window with one label, nothing else.
#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("3:00"));
    label.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    label.show();
    return app.exec();
}
