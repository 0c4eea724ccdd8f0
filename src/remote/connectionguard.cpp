// SPDX-License-Identifier: GPL-3.0-or-later
#include "remote/connectionguard.h"

#include <QDeadlineTimer>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

namespace {

qint64 now()
{
    return QDeadlineTimer::current().deadline();
}

} // namespace

ConnectionGuard::ConnectionGuard(QObject *parent)
    : QTcpServer(parent)
    , m_sweep(new QTimer(this))
{
    // Swept only while there are connections: an idle remote control wakes nobody.
    m_sweep->setInterval(idleMs / 3);
    connect(m_sweep, &QTimer::timeout, this, &ConnectionGuard::closeIdle);
}

void ConnectionGuard::incomingConnection(qintptr descriptor)
{
    auto *socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    if (m_open.size() >= maxConnections) {
        // The one idle longest goes; event streams only when nothing else is open.
        const auto oldest = std::min_element(m_open.begin(), m_open.end(),
                                             [](const Open &a, const Open &b) {
                                                 return std::pair(a.stream, a.lastActive)
                                                        < std::pair(b.stream, b.lastActive);
                                             });
        QTcpSocket *room = oldest->socket; // aborting it takes it off the list
        room->abort();
    }
    m_open.append({socket, now(), false});
    // Before Qt's parser reads them: this connection is made first.
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { received(socket); });
    connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] {
        if (Open *open = find(socket)) {
            open->lastActive = now();
            open->unanswered = 0;
        }
    });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        m_open.removeIf([socket](const Open &open) { return open.socket == socket; });
        if (m_open.isEmpty())
            m_sweep->stop();
        socket->deleteLater();
    });
    if (!m_sweep->isActive())
        m_sweep->start();
    addPendingConnection(socket);
}

QTcpSocket *ConnectionGuard::connectionFrom(const QHostAddress &peer, quint16 peerPort) const
{
    for (const Open &open : m_open)
        if (open.socket->peerPort() == peerPort && open.socket->peerAddress() == peer)
            return open.socket;
    return nullptr;
}

void ConnectionGuard::keepOpen(QTcpSocket *socket)
{
    if (Open *open = find(socket))
        open->stream = true;
}

void ConnectionGuard::flushAll()
{
    // A write that fails aborts its connection, which leaves the list at once.
    QList<QPointer<QTcpSocket>> sockets;
    for (const Open &open : std::as_const(m_open))
        sockets.append(open.socket);
    for (const QPointer<QTcpSocket> &socket : std::as_const(sockets))
        if (socket)
            socket->flush();
}

ConnectionGuard::Open *ConnectionGuard::find(QTcpSocket *socket)
{
    for (Open &open : m_open)
        if (open.socket == socket)
            return &open;
    return nullptr;
}

void ConnectionGuard::received(QTcpSocket *socket)
{
    Open *open = find(socket);
    if (!open)
        return;
    // An event stream's reader has nothing more to say: what it sends is no request of ours.
    if (open->stream) {
        socket->abort();
        return;
    }
    open->lastActive = now();
    open->unanswered += socket->bytesAvailable();
    if (open->unanswered <= maxUnanswered)
        return;
    socket->write("HTTP/1.1 413 Request Entity Too Large\r\nContent-Length: 0\r\n"
                  "Connection: close\r\n\r\n");
    socket->flush();
    socket->abort();
}

void ConnectionGuard::closeIdle()
{
    const qint64 before = now() - idleMs;
    const QList<Open> open = m_open;
    for (const Open &connection : open)
        if (!connection.stream && connection.lastActive < before)
            connection.socket->abort();
}
