// SPDX-License-Identifier: GPL-3.0-or-later
// The speaker's four commands and the keys that issue them.
#include "mainwindow/form1.h"

#include "mainwindow/commanddispatcher.h"
#include "settings/form2.h"

#include <QKeyEvent>
#include <QLineEdit>

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
        m_dispatcher->fromKey(*command);
}

void Form1::run(Command command)
{
    switch (command) {
    case Command::Start: Comstart_Click(); break;
    case Command::Pause: Compause_Click(); break;
    case Command::Reset: Comhuifu_Click(); break;
    case Command::Settings: Comgjsz_Click(); break;
    case Command::More: m_session->more(); break;
    case Command::Less: m_session->less(); break;
    case Command::Quit: quit(); break;
    }
}

bool Form1::isWaitingForAnswer() const
{
    return m_dispatcher->isBusy();
}

void Form1::globalCommand(Command command)
{
    m_dispatcher->fromElsewhere(command);
}

void Form1::Comstart_Click()
{
    m_session->start();
}

void Form1::Compause_Click()
{
    m_session->pause();
}

void Form1::Comhuifu_Click()
{
    m_session->reset();
}

void Form1::Comgjsz_Click()
{
    if (m_session->isClosed())
        return;
    m_form2->showModal();
    if (const std::optional<QString> minutes = m_session->runOptions().minutes) {
        // A save makes its minutes this run's; closing leaves the run's minutes in the box
        // rather than the file's.
        if (m_form2->isLoaded())
            m_session->setRunMinutes(m_form2->minutesHolder());
        else
            m_form2->loadWith(m_session->bt(), *minutes);
    }
}

void Form1::quit()
{
    // As closing the window: a question still open is answered No, the dialog closed unsaved.
    closeOpenWindows();
    close();
    emit finished();
}
