// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "remote/remotecontrol.h"

#include <QObject>

#include <memory>

class CountdownSession;
class TimerActions;

// The timer as the remote control sees and drives it: the session's numbers, and the
// speaker's actions. The remote control's library is loaded the first time it is turned on.
class RemoteBridge : public QObject, public RemoteHost
{
    Q_OBJECT
public:
    RemoteBridge(TimerActions &actions, CountdownSession &session, QObject *parent = nullptr);
    ~RemoteBridge() override;
    // Listens on ADDRESS and PORT, with the token kept in TOKENPATH; stops what listened
    // before.
    Outcome start(const QHostAddress &address, quint16 port, const QString &tokenPath);
    void stop();
    bool isOn() const { return m_remote != nullptr; }
    quint16 port() const;
    // What a controller is given: the address of the state, the token in it.
    QString address() const;

    RemoteState state() const override;
    bool isAsking() const override;
    void run(Command command) override;
    void countMinutes(int minutes) override;

private:
    void publish();
    TimerActions &m_actions;
    CountdownSession &m_session;
    std::unique_ptr<RemoteControl> m_remote;
    QHostAddress m_address;
    QByteArray m_token;
    bool m_publishing = false; // a publish waits for this pass of the event loop to end
};
