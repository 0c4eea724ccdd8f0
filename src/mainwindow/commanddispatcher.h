// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/command.h"

#include <QObject>

#include <functional>

class FormTimer;
class MonotonicClock;
class WindowServices;

// Every command goes through here, whichever way it comes: the timer's own keys, the desktop's
// shortcuts and `moriv --command`. One question at a time: while the reset question or the
// settings dialog is open, no other command runs and those from elsewhere are told so. A
// question a command from elsewhere opened gets the keyboard once it is on screen, gives the
// keyboard back when it closes, and gives up unanswered after 20 s, for it may be hidden
// behind a full-screen slide show where nobody can answer it.
class CommandDispatcher : public QObject
{
    Q_OBJECT

public:
    // RUN runs a command and returns when it is done, its question answered; CLOSE closes
    // whatever question or dialog is open, unanswered and unsaved.
    CommandDispatcher(std::function<void(Command)> run, std::function<void()> close,
                      WindowServices &windows, const MonotonicClock &clock,
                      QObject *parent = nullptr);

    // The timer's own key: it has the keyboard already.
    void fromKey(Command command);
    // A shortcut or another process. ANSWERED says whether the command was taken: once it has
    // run, or for one that asks, once its question or dialog is open.
    void fromElsewhere(Command command, const std::function<void(bool taken)> &answered = {});
    // A question or dialog is open.
    bool isBusy() const;
    // Time is up: the open question is closed by the count, not given up on.
    void stopGivingUp();

private:
    void giveKeyboardToQuestion(int attempt);

    std::function<void(Command)> m_run;
    std::function<void()> m_close;
    WindowServices &m_windows;
    FormTimer *m_giveUp = nullptr;
    int m_running = 0; // commands from elsewhere still running
};
