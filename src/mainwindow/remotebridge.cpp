// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/remotebridge.h"

#include "clock/minutestext.h"
#include "mainwindow/timeractions.h"
#include "session/countdownsession.h"

#include <QAction>

#include <utility>

namespace {

// The minutes a text says, as a Start counts them; 0 when it is no length.
int minutesOf(const QString &text)
{
    const std::optional<qint16> counter = MinutesText::toMinutesCounter(text);
    return counter ? *counter + 1 : 0;
}

} // namespace

RemoteBridge::RemoteBridge(TimerActions &actions, CountdownSession &session, QObject *parent)
    : QObject(parent)
    , m_actions(actions)
    , m_session(session)
{
    connect(&session, &CountdownSession::timeShown, this, &RemoteBridge::publish);
    connect(&session, &CountdownSession::stateChanged, this, &RemoteBridge::publish);
    connect(&session, &CountdownSession::phaseChanged, this, &RemoteBridge::publish);
    connect(&session, &CountdownSession::questionClosed, this, &RemoteBridge::publish);
    connect(&actions, &TimerActions::askingChanged, this, &RemoteBridge::publish);
    // Every way in triggers these: the keys, the shortcuts, the menus and --command.
    for (Command command : Commands::all)
        connect(actions.action(command), &QAction::triggered, this, &RemoteBridge::publish);
}

RemoteBridge::~RemoteBridge() = default;

Outcome RemoteBridge::start(const QHostAddress &address, quint16 port, const QString &tokenPath)
{
    stop();
    if (const Outcome read = Remote::readOrMakeToken(tokenPath, &m_token); !read)
        return read;
    Outcome loaded;
    std::unique_ptr<RemoteControl> remote = Remote::load(*this, m_token, &loaded);
    if (!remote)
        return loaded;
    if (const Outcome listening = remote->listen(address, port); !listening)
        return listening;
    m_remote = std::move(remote);
    m_address = address;
    return {};
}

void RemoteBridge::stop()
{
    m_remote.reset();
}

quint16 RemoteBridge::port() const
{
    return m_remote ? m_remote->port() : 0;
}

QString RemoteBridge::address() const
{
    if (!m_remote)
        return {};
    // Every address: a controller on this machine finds it on the loopback.
    QHostAddress host = m_address;
    if (host == QHostAddress::Any || host == QHostAddress::AnyIPv4)
        host = QHostAddress::LocalHost;
    else if (host == QHostAddress::AnyIPv6)
        host = QHostAddress::LocalHostIPv6;
    const QString name = host.protocol() == QAbstractSocket::IPv6Protocol
                             ? QLatin1Char('[') + host.toString() + QLatin1Char(']')
                             : host.toString();
    return QStringLiteral("http://%1:%2/v1/state?token=%3")
        .arg(name)
        .arg(m_remote->port())
        .arg(QString::fromLatin1(m_token));
}

RemoteState RemoteBridge::state() const
{
    RemoteState state;
    const ShownTime &shown = m_session.shown();
    switch (shown.kind) {
    case ShownTime::Kind::Setting:
        state.secondsLeft = minutesOf(shown.setting) * 60;
        break;
    case ShownTime::Kind::Left:
        state.secondsLeft = shown.seconds;
        break;
    case ShownTime::Kind::Over:
        state.secondsLeft = -shown.seconds;
        break;
    case ShownTime::Kind::Zero:
    case ShownTime::Kind::TimeUp:
        break;
    }
    state.minutes = minutesOf(m_session.countMinutes());
    state.phase = RemoteState::Phase(int(m_session.phase()));
    if (m_session.isClosed())
        state.state = RemoteState::State::Over;
    else if (isAsking())
        state.state = RemoteState::State::Asking;
    else if (m_session.isCounting())
        state.state = RemoteState::State::Counting;
    else if (m_session.clockState() == CountdownClock::State::Ready)
        state.state = RemoteState::State::Ready;
    else
        state.state = RemoteState::State::Paused;
    return state;
}

bool RemoteBridge::isAsking() const
{
    return m_actions.isWaitingForAnswer();
}

void RemoteBridge::run(Command command)
{
    // The caller has confirmed the reset already.
    if (command == Command::Reset)
        m_session.resetNow();
    else
        m_actions.trigger(command);
    publish();
}

void RemoteBridge::countMinutes(int minutes)
{
    m_session.countThisRun(minutes);
    publish();
}

void RemoteBridge::publish()
{
    // Once the change is whole: a reset shows the minutes before it rewinds the counters.
    if (!m_remote || std::exchange(m_publishing, true))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_publishing = false;
            if (m_remote)
                m_remote->publish();
        },
        Qt::QueuedConnection);
}
