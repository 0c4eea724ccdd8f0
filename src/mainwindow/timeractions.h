// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/command.h"

#include <QList>
#include <QObject>
#include <QString>

#include <array>
#include <functional>

class CountdownSession;
class SettingsDialog;
class FormTimer;
class MessageBoxService;
class MonotonicClock;
class QAction;
class WindowServices;

// The speaker's commands as actions, one each: start, pause, reset, settings, a minute more, a
// minute less and quit. Every way in triggers these and nothing else: the timer's own keys,
// the desktop's shortcuts, `moriv --command` and the menus. Each action acts straight on the
// session or the settings dialog.
//
// One question at a time: while the reset question, the settings dialog or a message is open
// every action but Quit is disabled, and commands from elsewhere are told so. A question a
// command from elsewhere opened gets the keyboard once it is on screen, gives the keyboard
// back when it closes, and gives up unanswered after 20 s, for it may be hidden behind a
// full-screen slide show where nobody can answer it.
class TimerActions : public QObject
{
    Q_OBJECT

public:
    struct Services
    {
        CountdownSession &session;
        SettingsDialog &settings;
        MessageBoxService &messages;
        WindowServices &windows;
        const MonotonicClock &clock;
    };

    explicit TimerActions(Services services, QObject *parent = nullptr);

    QAction *action(Command command) const { return m_actions[std::size_t(command)]; }

    // Triggers the command's action unless a question waits for an answer; whether it was
    // taken.
    bool trigger(Command command);
    // The timer's own key: it has the keyboard already.
    void fromKey(Command command) { trigger(command); }
    // A shortcut or another process. ANSWERED says whether the command was taken: once it has
    // run, or for one that asks, once its question or dialog is open.
    void fromElsewhere(Command command, const std::function<void(bool taken)> &answered = {});
    // A question, the dialog or a message is open: the speaker is to answer it first.
    bool isWaitingForAnswer() const;
    // What the menu opened, while WINDOW (the slide show) had the keyboard: the question or
    // dialog gets the keyboard once on screen, and WINDOW gets it back when it closes.
    void handBackWhenAnswered(quintptr window);
    // Enables the actions that can act now: none but Quit while a question waits, Pause only
    // while counting, Start only while not.
    void updateEnabled();
    // Each entry shows its keys at the right, as menus do: the timer's own key and then, for
    // the commands in DESKTOPWIDE, the desktop-wide shortcut the timer holds.
    void showKeys(const QList<Command> &desktopWide);

signals:
    // The program is to end: the speaker quit, or dismissed the time-up message.
    void finished();
    // A question, the dialog or a message may have opened or closed.
    void askingChanged();

private:
    void openSettings();
    void quit();
    // Closes the question, a message and the settings dialog, unanswered and unsaved.
    void closeOpenWindows();
    // The question or dialog a command from elsewhere opened has closed.
    void answerClosed();
    void giveKeyboardToQuestion(int attempt);
    void end();
    // Says askingChanged() when a question, the dialog or a message opened or closed since it
    // said so last, whatever opened it: a key, the menu, the session's own message.
    void noteAsking();

    Services m_services;
    std::array<QAction *, Commands::all.size()> m_actions{};
    FormTimer *m_giveUp = nullptr;
    bool m_awaitingAnswer = false; // a command from elsewhere opened a question or dialog
    quintptr m_handBack = 0;      // where the keyboard goes once it is answered
    bool m_ended = false;
    bool m_asking = false; // as askingChanged() said last
};
