// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/commandchannel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include <chrono>

namespace {

// The longest command with its line feed is 9 bytes; anything longer is not one.
constexpr qint64 maxMessage = 16;
constexpr int answerMilliseconds = 2000;
// A command that asks is answered once its question is open, which a slow machine may take a
// while to draw.
constexpr int runMilliseconds = 10000;

} // namespace

namespace CommandChannel {

QString ownName(const QString &base)
{
    if (!QDir::isAbsolutePath(base))
        return base;
    // The steady clock counts from boot for every process alike: a later timer's name sorts
    // after an earlier one's, whatever the wall clock does meanwhile.
    const auto started = std::chrono::steady_clock::now().time_since_epoch();
    return base + QStringLiteral("-%1-%2")
                      .arg(std::chrono::nanoseconds(started).count(), 20, 10, QLatin1Char('0'))
                      .arg(QCoreApplication::applicationPid());
}

QStringList names(const QString &base)
{
    if (!QDir::isAbsolutePath(base))
        return {base};
    const QFileInfo info(base);
    QStringList found = info.dir().entryList({info.fileName() + QStringLiteral("-*")},
                                             QDir::System, QDir::Name | QDir::Reversed);
    for (QString &name : found)
        name = info.dir().filePath(name);
    // A timer of an earlier version listens at the name itself.
    return found << base;
}

Delivery send(const QString &base, const QString &command)
{
    if (base.isEmpty())
        return Delivery::NoTimer;
    for (const QString &name : names(base)) {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (!socket.waitForConnected(answerMilliseconds)) {
            // Nobody listens there any more: a timer that was killed left its socket behind.
            if (socket.error() == QLocalSocket::ConnectionRefusedError)
                QLocalServer::removeServer(name);
            continue;
        }
        socket.write(command.toUtf8() + '\n');
        if (!socket.waitForBytesWritten(answerMilliseconds))
            return Delivery::Refused;
        QByteArray answer;
        while (!answer.contains('\n') && socket.waitForReadyRead(runMilliseconds))
            answer += socket.read(maxMessage);
        if (answer == "busy\n")
            return Delivery::Busy;
        return answer == "ok\n" ? Delivery::Delivered : Delivery::Refused;
    }
    return Delivery::NoTimer;
}

} // namespace CommandChannel

CommandServer::CommandServer(QObject *parent)
    : QObject(parent)
    , m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &CommandServer::accept);
}

CommandServer::~CommandServer() = default;

Outcome CommandServer::listen(const QString &base)
{
    if (base.isEmpty())
        return Outcome::failure(QStringLiteral("there is no private folder for its socket"));
    const QString name = CommandChannel::ownName(base);
    if (m_server->listen(name))
        return {};
    return Outcome::failure(name, QStringLiteral("cannot listen there (socket error %1)")
                                      .arg(int(m_server->serverError())));
}

void CommandServer::accept()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        socket->setReadBufferSize(maxMessage);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A client that says nothing, or never finishes its line, is dropped.
        auto *deadline = new QTimer(socket);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, socket, &QLocalSocket::abort);
        deadline->start(answerMilliseconds);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, deadline] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() >= maxMessage)
                    socket->abort();
                return;
            }
            const QByteArray line = socket->readLine(maxMessage);
            const std::optional<Command> received =
                line.endsWith('\n') ? Commands::named(QString::fromLatin1(line.chopped(1)))
                                    : std::nullopt;
            deadline->start(runMilliseconds);
            if (!received) {
                socket->write("unknown\n");
                socket->disconnectFromServer();
                return;
            }
            // The command may open a question with an event loop of its own: it runs once
            // this handler is done with, and the answer follows.
            QTimer::singleShot(0, this, [this, socket = QPointer(socket), sent = *received] {
                const auto answer = [this, socket, sent](bool taken) {
                    if (socket) {
                        // Handed to the system at once: a quit ends the event loop next.
                        socket->write(taken ? "ok\n" : "busy\n");
                        socket->flush();
                        socket->disconnectFromServer();
                    }
                    if (taken)
                        emit command(sent);
                };
                if (m_handler)
                    m_handler(sent, answer);
                else
                    answer(true);
            });
        });
    }
}
