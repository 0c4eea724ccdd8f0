// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHostAddress>
#include <QList>
#include <QTcpServer>

class QTcpSocket;
class QTimer;

// The listening socket, keeping the connections few and busy: one idle for idleMs is closed,
// and past maxConnections the one idle longest makes room for the newcomer. Event streams are
// never idle while they last, but count as connections all the same. A connection that sends
// more than maxUnanswered bytes before it is answered is told 413 and closed before Qt's
// parser would hold all of it: a huge body would fill the memory and stall the count.
class ConnectionGuard : public QTcpServer
{
    Q_OBJECT
public:
    static constexpr int maxConnections = 64;
    static constexpr int idleMs = 15000;
    static constexpr qint64 maxUnanswered = 16 * 1024;
    explicit ConnectionGuard(QObject *parent = nullptr);
    // The connection from that address and port, while it is open.
    QTcpSocket *connectionFrom(const QHostAddress &peer, quint16 peerPort) const;
    // The connection carries an event stream: it is kept open, and written to.
    void keepOpen(QTcpSocket *socket);
    qsizetype connectionCount() const { return m_open.size(); }
    // Writes out what waits to be sent, as far as the connections take it now.
    void flushAll();

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    void closeIdle();
    struct Open
    {
        QTcpSocket *socket;
        qint64 lastActive; // milliseconds, by the steady clock
        bool stream;
        qint64 unanswered = 0; // bytes received since the last answer
    };
    Open *find(QTcpSocket *socket);
    void received(QTcpSocket *socket);
    QList<Open> m_open;
    QTimer *m_sweep;
};
