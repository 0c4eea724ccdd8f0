// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/timermenu.h"

#include "mainwindow/timeractions.h"
#include "platform/diagnostics.h"
#include "platform/windowservices.h"

#include <QAction>
#include <QActionGroup>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include <algorithm>

#include <utility>

TimerMenu::TimerMenu(TimerActions &actions, WindowServices &windows,
                     PreferencesFile preferences, const Choices &stored, const Choices &run,
                     int screens, QObject *parent)
    : QObject(parent)
    , m_actions(actions)
    , m_windows(windows)
    , m_preferences(std::move(preferences))
    , m_stored(stored)
    , m_run(run)
    , m_menu(new QMenu)
{
    m_menu->setObjectName(QStringLiteral("TimerMenu"));
    for (Command command : {Command::Start, Command::Pause, Command::Reset, Command::Settings,
                            Command::More, Command::Less})
        m_menu->addAction(actions.action(command));
    m_menu->addSeparator();

    addToggle(tr("超时后继续计时"), "overtime", m_run.overtime,
              [](Choices &choices, int value) { choices.overtime = value; });
    addToggle(tr("随幻灯片放映开始"), "startWithShow", m_run.startWithShow,
              [](Choices &choices, int value) { choices.startWithShow = value; });
    addToggle(tr("颜色分段"), "phases", m_run.phases,
              [](Choices &choices, int value) { choices.phases = value; });
    addToggle(tr("到时响铃"), "sound", m_run.sound,
              [](Choices &choices, int value) { choices.sound = value; });
    addToggle(tr("遥控"), "remote", m_run.remote,
              [](Choices &choices, int value) { choices.remote = value; });
    m_copyAddress = m_menu->addAction(tr("复制遥控地址"));
    m_copyAddress->setObjectName(QStringLiteral("copyRemoteAddress"));
    connect(m_copyAddress, &QAction::triggered, this, &TimerMenu::copyRemoteAddress);

    addChoices(tr("提醒"),
               {{tr("关闭"), 0}, {tr("1 分钟"), 1}, {tr("2 分钟"), 2}, {tr("5 分钟"), 5}},
               m_run.warnMinutes,
               [](Choices &choices, int value) { choices.warnMinutes = value; });
    addChoices(tr("位置"),
               {{tr("按原设计"), int(Choices::Place::AsDesigned)},
                {tr("左上角"), int(Choices::Place::TopLeft)},
                {tr("右上角"), int(Choices::Place::TopRight)},
                {tr("左下角"), int(Choices::Place::BottomLeft)},
                {tr("右下角"), int(Choices::Place::BottomRight)}},
               int(m_run.place),
               [](Choices &choices, int value) { choices.place = Choices::Place(value); });
    addChoices(tr("大小"),
               {{QStringLiteral("100 %"), 100}, {QStringLiteral("150 %"), 150},
                {QStringLiteral("200 %"), 200}, {QStringLiteral("300 %"), 300}},
               m_run.sizePercent,
               [](Choices &choices, int value) { choices.sizePercent = value; });
    if (screens > 1) {
        QList<std::pair<QString, int>> entries;
        for (int screen = 1; screen <= screens; ++screen)
            entries.append({tr("屏幕 %1").arg(screen), screen});
        addChoices(tr("屏幕"), entries, m_run.screen > 0 ? m_run.screen : 1,
                   [](Choices &choices, int value) { choices.screen = value; });
    }
    m_menu->addSeparator();
    m_menu->addAction(actions.action(Command::Quit));
    connect(m_menu, &QMenu::aboutToShow, this, &TimerMenu::updateEnabled);
    connect(&actions, &TimerActions::askingChanged, this, &TimerMenu::updateEnabled);
    // The entry chosen runs after the menu has hidden.
    connect(m_menu, &QMenu::aboutToHide, this,
            [this] { QMetaObject::invokeMethod(this, &TimerMenu::closed, Qt::QueuedConnection); });
}

TimerMenu::~TimerMenu()
{
    delete m_menu;
}

void TimerMenu::addToggle(const QString &text, const char *name, bool current,
                          void (*set)(Choices &, int))
{
    QAction *toggle = m_menu->addAction(text);
    toggle->setObjectName(QLatin1String(name));
    toggle->setCheckable(true);
    toggle->setChecked(current);
    connect(toggle, &QAction::toggled, this, [this, set](bool on) { choose(set, on); });
}

QMenu *TimerMenu::addChoices(const QString &title, const QList<std::pair<QString, int>> &entries,
                             int current, void (*set)(Choices &, int))
{
    QMenu *submenu = m_menu->addMenu(title);
    auto *group = new QActionGroup(submenu);
    for (const auto &[text, value] : entries) {
        QAction *entry = submenu->addAction(text);
        entry->setCheckable(true);
        entry->setChecked(value == current);
        entry->setData(value);
        group->addAction(entry);
        connect(entry, &QAction::triggered, this, [this, set, value] { choose(set, value); });
    }
    return submenu;
}

void TimerMenu::choose(void (*set)(Choices &, int), int value)
{
    Choices run = m_run;
    set(run, value);
    if (run == m_run)
        return;
    m_run = run;
    set(m_stored, value);
    if (const Outcome stored = m_preferences.store(m_stored); !stored && !m_storeFailed) {
        // Said once: the choice holds for this run all the same.
        m_storeFailed = true;
        qCWarning(lcMoriv, "the choices cannot be kept in %s (%s); they hold until the timer "
                           "ends",
                  qPrintable(stored.path), qPrintable(stored.reason));
    }
    emit choicesChanged(m_run);
}

void TimerMenu::updateEnabled()
{
    // While a question or the dialog waits, nothing but Quit: the desktop's panel draws this
    // menu by itself, and opens it whatever the timer is doing.
    m_actions.updateEnabled();
    const bool waiting = m_actions.isWaitingForAnswer();
    for (QAction *entry : m_menu->actions()) {
        if (entry->isSeparator() || entry->parent() == &m_actions)
            continue;
        entry->setEnabled(!waiting && (entry != m_copyAddress || m_run.remote));
        // A panel may open a submenu whose entry is disabled.
        if (entry->menu())
            for (QAction *choice : entry->menu()->actions())
                choice->setEnabled(!waiting);
    }
}

void TimerMenu::popup(const QPoint &at, const QRect &avoid)
{
    if (m_actions.isWaitingForAnswer() || m_menu->isVisible())
        return;
    const quintptr focused = m_windows.focusedWindow();
    m_handBack = WindowServices::isOwnWindow(focused) ? 0 : focused;
    updateEnabled();
    const QScreen *screen = QGuiApplication::screenAt(at);
    m_menu->popup(screen ? placeBeside(m_menu->sizeHint(), avoid, at, screen->availableGeometry())
                         : at);
}

QPoint TimerMenu::placeBeside(QSize menu, const QRect &avoid, QPoint at, const QRect &screen)
{
    if (avoid.isEmpty())
        return at;
    const auto within = [](int value, int low, int high) {
        return std::max(low, std::min(value, high));
    };
    const int x = within(at.x(), screen.left(), screen.right() + 1 - menu.width());
    const int y = within(at.y(), screen.top(), screen.bottom() + 1 - menu.height());
    const QPoint candidates[] = {{x, avoid.bottom() + 1},
                                 {x, avoid.top() - menu.height()},
                                 {avoid.right() + 1, y},
                                 {avoid.left() - menu.width(), y}};
    for (const QPoint &place : candidates)
        if (screen.contains(QRect(place, menu)))
            return place;
    return at;
}

void TimerMenu::closed()
{
    // The keyboard goes back where it was: at once, or once the question or dialog an entry
    // opened is answered.
    const quintptr window = std::exchange(m_handBack, 0);
    if (!window)
        return;
    if (m_actions.isWaitingForAnswer())
        m_actions.handBackWhenAnswered(window);
    else if (m_windows.focusedWindow() != window)
        m_windows.giveKeyboardTo(window);
}
