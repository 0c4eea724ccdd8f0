// SPDX-License-Identifier: GPL-3.0-or-later
// A talk's figures with the real timer window and real timers: a one-minute count with
// --overtime, its time-up and first ticks past zero against the steady clock; then a count to a
// deadline on the wall clock, 61.5 s away, the moment the count ends against the deadline.
//
// Usage: bench_talk   (QT_QPA_PLATFORM=offscreen works without a display)
#include "forms/formtimer.h"
#include "forms/monotonicclock.h"
#include "mainwindow/form1.h"
#include "platform/process.h"
#include "platform/windowservices.h"
#include "silentmessageboxes.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

using namespace std::chrono;

namespace {

// Runs a count of one minute (or to the deadline) until ENOUGH ticks have come, or it ends.
// STARTED is when Start was pressed.
void run(RunOptions options, int enough, steady_clock::time_point &started,
         const std::function<void(int tick)> &ticked, const std::function<void()> &ended)
{
    QTemporaryDir folder;
    SteadyClock clock;
    SilentMessageBoxes messages;
    const auto windows = Platform::createWindowServices();
    Form1 form({messages, *windows, clock, SettingsFile(folder.path())});
    options.minutes = options.until ? std::nullopt : std::optional(QStringLiteral("1"));
    options.warnMinutes = 0;
    form.setRunOptions(options);
    form.Form_Load();
    form.show();
    QCoreApplication::processEvents();
    int ticks = 0;
    QObject::connect(&formTimer(form.session(), "Timer1"), &FormTimer::tick, &form, [&] {
        ticked(++ticks);
        if (ticks == enough)
            QCoreApplication::quit();
    });
    QObject::connect(&form, &Form1::finished, [&] {
        ended();
        QCoreApplication::quit();
    });
    started = steady_clock::now();
    form.Comstart_Click();
    QApplication::exec();
}

} // namespace

int main(int argc, char **argv)
{
    Platform::prepareEnvironment();
    QApplication app(argc, argv);
    RunOptions overtime;
    overtime.overtime = true;
    steady_clock::time_point start;
    std::printf("--overtime, one minute: each tick from 59 s on against the steady clock\n");
    run(overtime, 64, start, [&](int tick) {
        if (tick < 59)
            return;
        const double late = duration<double, std::milli>(steady_clock::now() - start
                                                         - seconds(tick)).count();
        std::printf("  tick %2d (%s): %+7.3f ms\n", tick,
                    tick < 60 ? "0:1" : tick == 60 ? "zero" : "past zero", late);
    }, [] { std::printf("  the count ended: overtime failed\n"); });

    RunOptions deadline;
    SteadyClock wall;
    deadline.until = wall.wallMilliseconds() + 61500;
    run(deadline, 0, start, [](int) {}, [&] {
        std::printf("--until 61.5 s ahead: the count ended %+.3f ms from the deadline\n",
                    double(wall.wallMilliseconds() - *deadline.until));
    });
    return 0;
}
