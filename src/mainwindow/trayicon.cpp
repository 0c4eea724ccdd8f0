// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/trayicon.h"

#include "mainwindow/appicon.h"
#include "mainwindow/timeractions.h"
#include "mainwindow/timermenu.h"
#include "session/countdownsession.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>

#include <utility>

TrayIcon::TrayIcon(TimerMenu &menu, TimerActions &actions, CountdownSession &session,
                   QObject *parent)
    : QObject(parent)
    , m_session(session)
{
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    m_icon = new QSystemTrayIcon(QApplication::windowIcon(), this);
    m_icon->setContextMenu(menu.menu());
    // A click opens the same menu as a right-click: the icon does nothing else.
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [&menu](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    menu.popup(QCursor::pos());
            });
    for (Command command : Commands::all)
        connect(actions.action(command), &QAction::triggered, this, &TrayIcon::updateToolTip);
    connect(&session, &CountdownSession::stateChanged, this, &TrayIcon::updateToolTip);
    connect(&session, &CountdownSession::questionClosed, this, &TrayIcon::updateToolTip);
    connect(&actions, &TimerActions::askingChanged, this, &TrayIcon::updateToolTip);
    updateToolTip();
    m_icon->show();
}

void TrayIcon::updateToolTip()
{
    QString state;
    AppIcon::Mark mark = AppIcon::Mark::None;
    switch (m_session.clockState()) {
    case CountdownClock::State::Ready: state = tr("就绪"); break;
    case CountdownClock::State::Running:
        state = tr("正在倒计时");
        mark = AppIcon::Mark::Counting;
        break;
    case CountdownClock::State::Stopped:
        state = tr("已暂停");
        mark = AppIcon::Mark::Paused;
        break;
    case CountdownClock::State::Closed:
        state = tr("时间到");
        mark = AppIcon::Mark::Over;
        break;
    case CountdownClock::State::Over:
        state = m_session.isCounting() ? tr("超时，继续计时") : tr("超时，已暂停");
        mark = AppIcon::Mark::Over;
        break;
    }
    const QString tip = QStringLiteral("Moriv: ") + state;
    if (m_icon->toolTip() != tip)
        m_icon->setToolTip(tip);
    // A new picture only when the state's mark changes: never with the seconds.
    if (std::exchange(m_mark, int(mark)) != int(mark))
        m_icon->setIcon(AppIcon::create(mark));
}
