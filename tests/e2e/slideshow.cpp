// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for a slide show: a full-screen window of one colour that takes the focus when
// it starts and raises itself again and again, as presentation programs do. It prints every
// key and click it gets and every change of its activation, one line each, so a test sees
// whether it kept the keyboard and got the clicks.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

class Slide : public QWidget
{
    void keyPressEvent(QKeyEvent *event) override
    {
        std::printf("key %s\n", qPrintable(event->text()));
        std::fflush(stdout);
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        std::printf("click %.0f %.0f\n", event->position().x(), event->position().y());
        std::fflush(stdout);
    }
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::ActivationChange) {
            std::puts(isActiveWindow() ? "active" : "inactive");
            std::fflush(stdout);
        }
    }
};

int main(int argc, char **argv)
{
    // Nothing reads a slide show's accessibility tree; its bridge to the accessibility bus,
    // which the scripts turn on for the timer, is one more thing that can hold up its start
    // on a loaded machine.
    qunsetenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON");
    QApplication app(argc, argv);
    std::puts("started"); // a script that waits in vain for its window sees how far it came
    std::fflush(stdout);
    Slide slide;
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
