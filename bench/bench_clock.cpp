// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the real timer window with real timers for a count of N minutes (default 2) and
// prints how late each one-second tick came, how far time-up was from 60·N seconds, the CPU
// time and wake-ups the count cost, its peak resident memory and the CPU time spent inside
// each tick's handler, beside a bare Qt window that runs only a one-second
// QTimer for as long, in the same run, and the same bare window writing a label each second.
//
// Usage: bench_clock [minutes]   (QT_QPA_PLATFORM=offscreen works without a display)
//        bench_clock warm [N]    the cost of N ticks (600) and their repaints, everything in
//                                memory, alone
//        bench_clock warm-bare [N]  the same for a bare label window writing its text
//        bench_clock warm-face [N]  the same bare label in the face and size of the seconds
#include "forms/formtimer.h"
#include "forms/monotonicclock.h"
#include "mainwindow/form1.h"
#include "platform/process.h"
#include "platform/windowservices.h"
#include "processusage.h"
#include "silentmessageboxes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

using namespace std::chrono;

namespace {

struct Figures
{
    QList<double> latenessMs;
    QList<double> handlerMs; // CPU time spent inside each tick's handler
    double runSeconds = 0;
    ProcessUsage usage;
    long peakKiB = 0;
};

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

double mean(const QList<double> &values)
{
    double sum = 0;
    for (double value : values)
        sum += value;
    return values.isEmpty() ? 0 : sum / values.size();
}

void print(const char *what, const Figures &figures)
{
    const double maxLate = figures.latenessMs.isEmpty()
                               ? 0
                               : *std::max_element(figures.latenessMs.begin(),
                                                   figures.latenessMs.end());
    std::printf("%-28s ticks %5lld  late median %7.3f ms  max %7.3f ms  CPU %6.3f s  "
                "wake-ups %6ld (%5.2f/s)  page faults/tick %6.1f  peak RSS %6ld KiB  "
                "handler CPU/tick median %6.3f ms  mean %6.3f ms\n",
                what, static_cast<long long>(figures.latenessMs.size()),
                median(figures.latenessMs), maxLate, figures.usage.cpuSeconds,
                figures.usage.wakeUps, figures.usage.wakeUps / figures.runSeconds,
                double(figures.usage.pageFaults)
                    / std::max<qsizetype>(1, figures.latenessMs.size()),
                figures.peakKiB, median(figures.handlerMs), mean(figures.handlerMs));
}

// A bare window with a one-second QTimer; with a label, the timer also writes the count into
// it, so the window repaints every second as the timer window does.
Figures bareWindow(seconds length, bool withLabel)
{
    QWidget window;
    window.resize(120, 40);
    QLabel label(QStringLiteral("0"), &window);
    label.setVisible(withLabel);
    window.show();
    QCoreApplication::processEvents();

    Figures figures;
    QTimer timer;
    timer.setInterval(1000);
    const auto start = steady_clock::now();
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const double cpuBefore = ProcessUsage::threadCpuSeconds();
        ++ticks;
        if (withLabel)
            label.setText(QString::number(ticks));
        figures.handlerMs.append((ProcessUsage::threadCpuSeconds() - cpuBefore) * 1000);
        const auto late = steady_clock::now() - (start + ticks * 1s);
        figures.latenessMs.append(duration<double, std::milli>(late).count());
        if (ticks == length.count())
            QCoreApplication::quit();
    });
    ProcessUsage::resetPeak();
    const ProcessUsage before = ProcessUsage::now();
    timer.start();
    QApplication::exec();
    figures.usage = ProcessUsage::now() - before;
    figures.peakKiB = ProcessUsage::peakResidentKiB();
    figures.runSeconds = duration<double>(steady_clock::now() - start).count();
    return figures;
}

Figures timerWindow(int minutes, double &timeUpErrorMs)
{
    QTemporaryDir folder;
    QFile file(QDir(folder.path()).filePath(QStringLiteral("sys.txt")));
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write the settings file");
    file.write("bench\r\n" + QByteArray::number(minutes) + "\r\n");
    file.close();

    SteadyClock clock;
    SilentMessageBoxes messages;
    const auto windows = Platform::createWindowServices();
    Form1 form({messages, *windows, clock, SettingsFile(folder.path())});
    // The colon's blink near the end wakes the program twice a second by design; the figures
    // are those of the count itself.
    RunOptions options;
    options.warnMinutes = 0;
    form.setRunOptions(options);
    form.Form_Load();
    form.show();
    QCoreApplication::processEvents();

    Figures figures;
    const auto start = steady_clock::now();
    int ticks = 0;
    // The window's own tick handler runs inside the measurement of its CPU time.
    QObject::disconnect(&formTimer(form.session(), "Timer1"), &FormTimer::tick, &form.session(),
                        &CountdownSession::Timer1_Timer);
    QObject::connect(&formTimer(form.session(), "Timer1"), &FormTimer::tick, &form, [&] {
        const double cpuBefore = ProcessUsage::threadCpuSeconds();
        ++ticks;
        form.session().Timer1_Timer();
        figures.handlerMs.append((ProcessUsage::threadCpuSeconds() - cpuBefore) * 1000);
        const auto late = steady_clock::now() - (start + ticks * 1s);
        figures.latenessMs.append(duration<double, std::milli>(late).count());
    });
    QObject::connect(&form, &Form1::finished, [&] {
        timeUpErrorMs = duration<double, std::milli>(steady_clock::now() - start
                                                     - minutes * 60s).count();
        QCoreApplication::quit();
    });
    ProcessUsage::resetPeak();
    const ProcessUsage before = ProcessUsage::now();
    form.Comstart_Click();
    QApplication::exec();
    figures.usage = ProcessUsage::now() - before;
    figures.peakKiB = ProcessUsage::peakResidentKiB();
    figures.runSeconds = duration<double>(steady_clock::now() - start).count();
    return figures;
}

// The tick handler's own cost with everything in memory: 600 one-second ticks of an hour's
// count back to back, without the real second between them. Machines that page out what
// sat idle for a second make the real-time figures above mostly the cost of paging it back.
double warmBareLabelMs(int ticks, const QFont &face);

double warmHandlerMs(int ticks = 600, bool bareInSecondsFace = false)
{
    QTemporaryDir folder;
    QFile file(QDir(folder.path()).filePath(QStringLiteral("sys.txt")));
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write the settings file");
    file.write("bench\r\n60\r\n");
    file.close();
    SteadyClock clock;
    SilentMessageBoxes messages;
    const auto windows = Platform::createWindowServices();
    Form1 form({messages, *windows, clock, SettingsFile(folder.path())});
    form.Form_Load();
    form.show();
    QCoreApplication::processEvents();
    if (bareInSecondsFace) {
        form.hide();
        return warmBareLabelMs(ticks, form.findChild<QLabel *>(QStringLiteral("Labmiao"))->font());
    }
    form.Comstart_Click();
    const double before = ProcessUsage::threadCpuSeconds();
    for (int i = 0; i < ticks; ++i) {
        form.session().Timer1_Timer();
        // The repaint the tick asked for, as the event loop would do it next.
        QCoreApplication::processEvents();
    }
    return (ProcessUsage::threadCpuSeconds() - before) * 1000 / ticks;
}

// The floor for a tick: a bare frameless label window writing the next second's text and
// repainting it, N times back to back.
double warmBareLabelMs(int ticks, const QFont &face)
{
    QLabel label(QStringLiteral("59"));
    label.setFont(face);
    label.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    label.show();
    QCoreApplication::processEvents();
    const double before = ProcessUsage::threadCpuSeconds();
    for (int i = 0; i < ticks; ++i) {
        label.setText(QString::number(59 - i % 60));
        QCoreApplication::processEvents();
    }
    return (ProcessUsage::threadCpuSeconds() - before) * 1000 / ticks;
}

} // namespace

int main(int argc, char **argv)
{
    // As the program itself starts: the bare windows run in the same environment.
    Platform::prepareEnvironment();
    QApplication app(argc, argv);
    const QByteArray mode = argc > 1 ? argv[1] : "";
    if (mode == "warm" || mode == "warm-bare" || mode == "warm-face") {
        const int ticks = argc > 2 ? std::max(1, std::atoi(argv[2])) : 600;
        const double ms = mode == "warm-bare" ? warmBareLabelMs(ticks, QFont())
                                              : warmHandlerMs(ticks, mode == "warm-face");
        std::printf("%s with everything in memory: %.3f ms CPU a tick (%d ticks)\n",
                    mode == "warm" ? "tick handler" : "bare label window", ms, ticks);
        return 0;
    }
    const int minutes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2;
    std::printf("count of %d minute(s), platform %s\n", minutes,
                qPrintable(QGuiApplication::platformName()));

    const Figures bare = bareWindow(seconds(minutes * 60), false);
    const Figures bareLabel = bareWindow(seconds(minutes * 60), true);
    double timeUpErrorMs = 0;
    const Figures timer = timerWindow(minutes, timeUpErrorMs);

    const double warmMs = warmHandlerMs();

    print("bare window, 1 s QTimer", bare);
    print("bare window + label each s", bareLabel);
    print("timer window, real clock", timer);
    std::printf("time-up error against %d s: %+.3f ms\n", minutes * 60, timeUpErrorMs);
    std::printf("tick handler with everything in memory: %.3f ms CPU a tick (600 ticks)\n",
                warmMs);
    std::printf("wake-ups of the timer window against the bare window: %+.1f %%\n",
                100.0 * (timer.usage.wakeUps / timer.runSeconds)
                        / (bare.usage.wakeUps / bare.runSeconds) - 100.0);
    return 0;
}
