// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class CountdownSession;
class QSystemTrayIcon;
class TimerActions;
class TimerMenu;

// The timer's icon in the desktop's tray (Windows' notification area, a StatusNotifierItem
// where the desktop hosts them), with the timer's menu. Its tooltip names the state; it
// changes with the state, never with the seconds, so the icon wakes nothing while counting.
// Where the desktop has no tray there is no icon, and nothing is said.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    TrayIcon(TimerMenu &menu, TimerActions &actions, CountdownSession &session,
             QObject *parent = nullptr);

    bool isShown() const { return m_icon != nullptr; }

private:
    // The tooltip and the icon's mark, from the state the session is in now.
    void updateToolTip();

    CountdownSession &m_session;
    QSystemTrayIcon *m_icon = nullptr;
    int m_mark = -1; // the mark the icon shows
};
