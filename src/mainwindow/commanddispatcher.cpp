// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/commanddispatcher.h"

#include "forms/formtimer.h"
#include "platform/platform.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <memory>
#include <utility>

namespace {

// The window that has the keyboard, unless it is one of the timer's own: a click on the digits
// gives the timer the keyboard, and handing it back there would keep it from the slide show
// (on a Wayland desktop, give it to XWayland while the show, a Wayland window, loses it).
quintptr foreignFocus(WindowServices &windows)
{
    const quintptr focused = windows.focusedWindow();
    return WindowServices::isOwnWindow(focused) ? 0 : focused;
}

} // namespace

CommandDispatcher::CommandDispatcher(std::function<void(Command)> run,
                                     std::function<void()> close, WindowServices &windows,
                                     const MonotonicClock &clock, QObject *parent)
    : QObject(parent)
    , m_run(std::move(run))
    , m_close(std::move(close))
    , m_windows(windows)
    , m_giveUp(new FormTimer(clock, this))
{
    m_giveUp->setObjectName(QStringLiteral("GiveUp"));
    m_giveUp->setInterval(20000);
    connect(m_giveUp, &FormTimer::tick, this, [this] {
        m_giveUp->setEnabled(false);
        m_close();
    });
}

bool CommandDispatcher::isBusy() const
{
    return m_running > 0 || QApplication::activeModalWidget();
}

void CommandDispatcher::fromKey(Command command)
{
    if (!isBusy())
        m_run(command);
}

void CommandDispatcher::fromElsewhere(Command command,
                                      const std::function<void(bool taken)> &answered)
{
    // Quit ends the timer whatever is open: the question is answered No, the dialog closed
    // unsaved, and the timer ends once they are.
    if (command == Command::Quit && isBusy()) {
        m_close();
        QTimer::singleShot(0, this, [this] { m_run(Command::Quit); });
        if (answered)
            answered(true);
        return;
    }
    // A second question must not open inside the first.
    if (isBusy()) {
        if (answered)
            answered(false);
        return;
    }
    // Answered once: when its question is open, or else when it has run.
    auto pending = std::make_shared<std::function<void(bool)>>(answered);
    const auto answer = [pending] {
        if (*pending)
            std::exchange(*pending, {})(true);
    };
    const bool asks = Commands::opensWindow(command);
    const quintptr before = asks ? foreignFocus(m_windows) : 0;
    if (asks) {
        QTimer::singleShot(0, this, [this, answer] {
            if (QApplication::activeModalWidget())
                answer();
        });
        giveKeyboardToQuestion(0);
        m_giveUp->restartPhase();
        m_giveUp->setEnabled(true);
    }
    ++m_running;
    m_run(command);
    --m_running;
    if (asks) {
        m_giveUp->setEnabled(false);
        if (before)
            m_windows.restoreFocus(before);
    }
    answer();
}

void CommandDispatcher::stopGivingUp()
{
    m_giveUp->setEnabled(false);
}

void CommandDispatcher::giveKeyboardToQuestion(int attempt)
{
    // The question or dialog opens without a key press of this program's own, so a window
    // manager that keeps new windows from stealing the focus would leave the keyboard with the
    // slide show: once it is on screen it is given the keyboard as a pager would.
    QTimer::singleShot(attempt == 0 ? 0 : 20, this, [this, attempt] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (modal->windowHandle() && modal->windowHandle()->isExposed())
            m_windows.restoreFocus(modal->winId());
        else if (attempt < 100)
            giveKeyboardToQuestion(attempt + 1);
    });
}
