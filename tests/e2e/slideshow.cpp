// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for a slide show: a full-screen window of one colour that takes the focus when
// it starts and raises itself again and again, as presentation programs do.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget slide;
    slide.setWindowTitle(QStringLiteral("slide show"));
    QPalette palette = slide.palette();
    palette.setColor(QPalette::Window, QColor(40, 90, 200));
    slide.setPalette(palette);
    slide.setAutoFillBackground(true);
    slide.showFullScreen();
    slide.activateWindow();

    QTimer raiseAgain;
    QObject::connect(&raiseAgain, &QTimer::timeout, &slide, [&slide] { slide.raise(); });
    raiseAgain.start(250);
    return QApplication::exec();
}
