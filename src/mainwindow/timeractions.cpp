// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/timeractions.h"

#include "forms/formtimer.h"
#include "forms/messageboxservice.h"
#include "platform/windowservices.h"
#include "session/countdownsession.h"
#include "settings/form2.h"
#include "settings/settingsdialog.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QTimer>
#include <QWidget>
#include <QWindow>

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

TimerActions::TimerActions(Services services, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_giveUp(new FormTimer(services.clock, this))
{
    // The menu's texts.
    const std::array<QString, Commands::all.size()> texts = {
        tr("开始"), tr("暂停"), tr("重置…"), tr("设置…"), tr("多一分钟"), tr("少一分钟"), tr("退出")};
    for (Command command : Commands::all) {
        auto *action = new QAction(texts[std::size_t(command)], this);
        action->setObjectName(Commands::name(command));
        m_actions[std::size_t(command)] = action;
    }
    showKeys({});
    CountdownSession &session = m_services.session;
    connect(action(Command::Start), &QAction::triggered, &session, &CountdownSession::start);
    connect(action(Command::Pause), &QAction::triggered, &session, &CountdownSession::pause);
    connect(action(Command::Reset), &QAction::triggered, &session, &CountdownSession::reset);
    connect(action(Command::Settings), &QAction::triggered, this, &TimerActions::openSettings);
    connect(action(Command::More), &QAction::triggered, &session, &CountdownSession::more);
    connect(action(Command::Less), &QAction::triggered, &session, &CountdownSession::less);
    connect(action(Command::Quit), &QAction::triggered, this, &TimerActions::quit);

    // Time is up: the question and the dialog are closed unanswered, before the message says
    // so; once it is dismissed the program ends.
    connect(&session, &CountdownSession::closingOpenWindows, this,
            &TimerActions::closeOpenWindows);
    connect(&session, &CountdownSession::finished, this, &TimerActions::end);
    connect(&session, &CountdownSession::questionClosed, this, &TimerActions::answerClosed);

    connect(&m_services.settings, &SettingsDialog::made, this, [this](Form2 &dialog) {
        connect(&dialog, &Form2::closed, this, &TimerActions::answerClosed);
        connect(&dialog, &Form2::saved, &m_services.session, &CountdownSession::settingsSaved);
    });

    // Whatever an entry opened, the menus and the remote control hear that it waits.
    for (QAction *command : m_actions)
        connect(command, &QAction::triggered, this, &TimerActions::noteAsking);
    // The menus' entries follow the count, whoever started or stopped it.
    connect(&session, &CountdownSession::stateChanged, this, &TimerActions::updateEnabled);
    // The session's own messages (time is up, minutes it cannot count) open by themselves.
    connect(&session, &CountdownSession::stateChanged, this, &TimerActions::noteAsking,
            Qt::QueuedConnection);
    connect(&session, &CountdownSession::reachedZero, this, &TimerActions::noteAsking,
            Qt::QueuedConnection);
    m_giveUp->setObjectName(QStringLiteral("GiveUp"));
    m_giveUp->setInterval(20000);
    connect(m_giveUp, &FormTimer::tick, this, &TimerActions::closeOpenWindows);
}

bool TimerActions::isWaitingForAnswer() const
{
    const Form2 *dialog = m_services.settings.ifMade();
    return m_services.messages.isOpen() || (dialog && dialog->isVisible());
}

void TimerActions::updateEnabled()
{
    const CountdownSession &session = m_services.session;
    const bool free = !isWaitingForAnswer() && !session.isClosed();
    const bool counting = session.isCounting();
    action(Command::Start)->setEnabled(free && !counting);
    action(Command::Pause)->setEnabled(free && counting);
    for (Command command : {Command::Reset, Command::Settings, Command::More, Command::Less})
        action(command)->setEnabled(free);
    action(Command::Quit)->setEnabled(true);
}

bool TimerActions::trigger(Command command)
{
    // One question at a time; a command that has nothing to do now is taken all the same.
    if (command != Command::Quit && isWaitingForAnswer())
        return false;
    updateEnabled();
    action(command)->trigger();
    noteAsking();
    return true;
}

void TimerActions::noteAsking()
{
    const bool asking = isWaitingForAnswer();
    if (std::exchange(m_asking, asking) != asking)
        emit askingChanged();
}

void TimerActions::showKeys(const QList<Command> &desktopWide)
{
    // As shortcuts of the menu alone (they act only while it is open and has the keyboard),
    // so that the menu and the desktop's panel show them at the right, as menus do.
    for (Command command : Commands::all) {
        QList<QKeyCombination> keys;
        if (const char16_t key = Commands::key(command))
            keys.append(Qt::Key(Qt::Key_A + (key - u'a')));
        if (desktopWide.contains(command))
            keys.append(QKeyCombination(Qt::ControlModifier | Qt::AltModifier,
                                        command == Command::More   ? Qt::Key_PageUp
                                        : command == Command::Less ? Qt::Key_PageDown
                                                                   : keys.first().key()));
        QAction *entry = action(command);
        entry->setShortcutContext(Qt::WidgetShortcut);
        entry->setShortcut(keys.size() == 2   ? QKeySequence(keys[0], keys[1])
                           : keys.size() == 1 ? QKeySequence(keys[0])
                                              : QKeySequence());
    }
}

void TimerActions::fromElsewhere(Command command,
                                 const std::function<void(bool taken)> &answered)
{
    const bool asks = Commands::opensWindow(command) && !isWaitingForAnswer();
    if (asks) {
        m_handBack = foreignFocus(m_services.windows);
        m_awaitingAnswer = true;
        m_giveUp->restartPhase();
        m_giveUp->setEnabled(true);
    }
    const bool taken = trigger(command);
    if (asks) {
        if (isWaitingForAnswer())
            giveKeyboardToQuestion(0);
        else
            answerClosed(); // answered already, or nothing to ask
    }
    if (answered)
        answered(taken);
}

void TimerActions::handBackWhenAnswered(quintptr window)
{
    if (!window || !isWaitingForAnswer() || m_awaitingAnswer)
        return;
    m_handBack = window;
    m_awaitingAnswer = true;
    giveKeyboardToQuestion(0);
}

void TimerActions::openSettings()
{
    const CountdownSession &session = m_services.session;
    if (session.isClosed())
        return;
    // The dialog edits a copy of the minutes this run counts, when they are not the file's;
    // a save commits it.
    if (const std::optional<QString> minutes = session.runOptions().minutes)
        m_services.settings.get().loadWith(session.bt(), *minutes);
    m_services.settings.get().openModal();
}

void TimerActions::quit()
{
    // As closing the window: a question still open is answered No, the dialog closed unsaved.
    closeOpenWindows();
    end();
}

void TimerActions::end()
{
    if (!std::exchange(m_ended, true))
        emit finished();
}

void TimerActions::closeOpenWindows()
{
    m_giveUp->setEnabled(false);
    m_services.messages.abortOpenBoxes();
    if (Form2 *dialog = m_services.settings.ifMade())
        dialog->abortModal();
    noteAsking();
}

void TimerActions::answerClosed()
{
    noteAsking();
    if (!std::exchange(m_awaitingAnswer, false))
        return;
    m_giveUp->setEnabled(false);
    if (const quintptr window = std::exchange(m_handBack, 0))
        m_services.windows.giveKeyboardTo(window);
}

void TimerActions::giveKeyboardToQuestion(int attempt)
{
    // The question or dialog opens without a key press of this program's own, so a window
    // manager that keeps new windows from stealing the focus would leave the keyboard with the
    // slide show: once it is on screen it is given the keyboard as a pager would.
    QTimer::singleShot(attempt == 0 ? 0 : 20, this, [this, attempt] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!m_awaitingAnswer || !modal)
            return;
        if (modal->windowHandle() && modal->windowHandle()->isExposed())
            m_services.windows.giveKeyboardTo(modal->winId());
        else if (attempt < 100)
            giveKeyboardToQuestion(attempt + 1);
    });
}
