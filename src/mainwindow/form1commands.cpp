// SPDX-License-Identifier: GPL-3.0-or-later
// The speaker's four commands and the keys that issue them.
#include "mainwindow/form1.h"

#include "clock/minutestext.h"
#include "forms/formtimer.h"
#include "forms/messageboxservice.h"
#include "platform/platform.h"
#include "settings/form2.h"
#include "settings/settingsmessages.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QWindow>

void Form1::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    if (text.size() != 1) {
        QWidget::keyPressEvent(event);
        return;
    }
    Form_KeyPress(text.at(0).unicode());
}

void Form1::Form_KeyPress(int characterCode)
{
    if (const std::optional<Command> command = Commands::fromKey(characterCode))
        run(*command);
}

void Form1::run(Command command)
{
    switch (command) {
    case Command::Start: Comstart_Click(); break;
    case Command::Pause: Compause_Click(); break;
    case Command::Reset: Comhuifu_Click(); break;
    case Command::Settings: Comgjsz_Click(); break;
    }
}

bool Form1::isWaitingForAnswer() const
{
    return m_answering > 0 || QApplication::activeModalWidget();
}

void Form1::globalCommand(Command command)
{
    // While the question or the dialog is open the timer's keys do nothing, and neither do
    // commands from elsewhere: a second question must not open inside the first.
    if (isWaitingForAnswer())
        return;
    const bool opensWindow = Commands::opensWindow(command);
    const quintptr before = opensWindow ? m_services.windows.focusedWindow() : 0;
    if (opensWindow) {
        focusQuestionWhenShown(0);
        m_giveUp->restartPhase();
        m_giveUp->setEnabled(true);
    }
    ++m_answering;
    run(command);
    --m_answering;
    if (opensWindow) {
        m_giveUp->setEnabled(false);
        m_services.windows.restoreFocus(before);
    }
}

void Form1::focusQuestionWhenShown(int attempt)
{
    // The question or dialog opens without a key press of this program's own, so a window
    // manager that keeps new windows from stealing the focus would leave the keyboard with the
    // slide show: once it is on screen it is given the keyboard as a pager would.
    QTimer::singleShot(attempt == 0 ? 0 : 20, this, [this, attempt] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (modal->windowHandle() && modal->windowHandle()->isExposed())
            m_services.windows.restoreFocus(modal->winId());
        else if (attempt < 100)
            focusQuestionWhenShown(attempt + 1);
    });
}

void Form1::Comstart_Click()
{
    switch (m_clock.state()) {
    case CountdownClock::State::Running:
    case CountdownClock::State::Closed:
        return;
    case CountdownClock::State::Stopped:
        // Resume: the counters and the part of the second already spent are kept.
        m_clock.resume();
        m_timer1->setEnabled(true);
        m_timer2->setEnabled(true);
        updateWarning();
        return;
    case CountdownClock::State::Ready:
        break;
    }

    const std::optional<qint16> counter =
        MinutesText::toMinutesCounter(m_form2->Textsj()->text());
    if (!counter) {
        m_services.messages.information(
            tr("倒计时时间设置无效，请按 f 键打开设置，输入 1 到 32768 之间的分钟数！"));
        return;
    }
    m_clock.startFresh(*counter);
    m_timer1->restartPhase();
    m_timer2->restartPhase();
    m_timer1->setEnabled(true);
    m_timer2->setEnabled(true);
    m_secondsLeft = (*counter + 1) * 60;
    updateWarning();
}

void Form1::Compause_Click()
{
    if (m_clock.state() == CountdownClock::State::Closed)
        return;
    StopCount();
}

void Form1::Comhuifu_Click()
{
    if (m_clock.state() == CountdownClock::State::Closed)
        return;
    const bool confirmed =
        m_services.messages.question(tr("您是否真的要重置时间？"), tr("提示"));
    // The count may have run out while the question was open, or with the last second that
    // stopping it delivers.
    if (!confirmed || m_clock.state() == CountdownClock::State::Closed)
        return;
    StopCount();
    if (m_clock.state() == CountdownClock::State::Closed)
        return;
    ClearSeconds();
    if (m_options.minutes) {
        m_sj = *m_options.minutes; // this run's minutes, not the file's
    } else {
        const SettingsResult read = m_services.settings.ReadSettingsFile(m_bt, m_sj);
        if (!read)
            m_services.messages.information(SettingsMessages::readFailure(read));
    }
    showMinutesText(m_sj);
    RewindCounters();
}

void Form1::Comgjsz_Click()
{
    if (m_clock.state() == CountdownClock::State::Closed)
        return;
    m_form2->showModal();
    if (m_options.minutes) {
        // A save makes its minutes this run's; closing leaves the run's minutes in the box
        // rather than the file's.
        if (m_form2->isLoaded())
            m_options.minutes = m_form2->minutesHolder();
        else
            m_form2->loadWith(m_bt, *m_options.minutes);
    }
}
