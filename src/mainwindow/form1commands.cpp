// SPDX-License-Identifier: GPL-3.0-or-later
// The speaker's four keys and the design's buttons: each triggers its command's action.
#include "mainwindow/form1.h"

#include "mainwindow/timeractions.h"

#include <QKeyEvent>

void Form1::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Menu
        || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        emit menuRequested(mapToGlobal(QPoint(0, height())));
        return;
    }
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
        m_actions->fromKey(*command);
}

void Form1::Comstart_Click()
{
    m_actions->trigger(Command::Start);
}

void Form1::Compause_Click()
{
    m_actions->trigger(Command::Pause);
}

void Form1::Comhuifu_Click()
{
    m_actions->trigger(Command::Reset);
}

void Form1::Comgjsz_Click()
{
    m_actions->trigger(Command::Settings);
}
