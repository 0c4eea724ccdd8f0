// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/preferences.h"

#include <QObject>
#include <QRect>

class QAction;
class QActionGroup;
class QMenu;
class QPoint;
class TimerActions;
class WindowServices;

// The timer's menu: every command and every choice, opened by a right-click on the digits,
// the Menu key and the tray icon alike. A choice takes effect at once and is stored at once in
// the preferences file; what the command line chose for this run holds until the speaker
// chooses otherwise here.
class TimerMenu : public QObject
{
    Q_OBJECT

public:
    // STORED: the file's choices; RUN: this run's, the command line's over the stored ones.
    TimerMenu(TimerActions &actions, WindowServices &windows, PreferencesFile preferences,
              const Choices &stored, const Choices &run, int screens,
              QObject *parent = nullptr);
    ~TimerMenu() override;

    QMenu *menu() const { return m_menu; }
    const Choices &choices() const { return m_run; }
    // Opens the menu there, unless a question or the dialog waits for an answer; beside
    // AVOID (the digits) where it fits on the screen, so that it covers none of them.
    void popup(const QPoint &at, const QRect &avoid = QRect());
    // Where a menu of that size opens: below AVOID, above it, right or left of it, the first
    // that fits on the screen, near AT; at AT when none does or there is nothing to avoid.
    static QPoint placeBeside(QSize menu, const QRect &avoid, QPoint at, const QRect &screen);

signals:
    // The speaker changed a choice; this run follows it at once.
    void choicesChanged(const Choices &choices);
    // The remote control's address, token and all, is to go to the clipboard.
    void copyRemoteAddress();

private:
    void addToggle(const QString &text, const char *name, bool current,
                   void (*set)(Choices &, int));
    QMenu *addChoices(const QString &title, const QList<std::pair<QString, int>> &entries,
                      int current, void (*set)(Choices &, int));
    void choose(void (*set)(Choices &, int), int value);
    void updateEnabled();
    // The menu has closed and what was chosen in it has run.
    void closed();

    TimerActions &m_actions;
    WindowServices &m_windows;
    quintptr m_handBack = 0; // the window that had the keyboard when the menu opened
    PreferencesFile m_preferences;
    Choices m_stored;
    Choices m_run;
    bool m_storeFailed = false;
    QMenu *m_menu = nullptr;
    QAction *m_copyAddress = nullptr;
};
