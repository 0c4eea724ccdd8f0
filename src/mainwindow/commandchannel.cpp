// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/commandchannel.h"

#include "platform/process.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <optional>

namespace {

// The longest command with its line feed is 9 bytes; anything longer is not one.
constexpr qint64 maxMessage = 16;
constexpr int answerMilliseconds = 2000;
// A command that asks is answered once its question is open, which a slow machine may take a
// while to draw.
constexpr int runMilliseconds = 10000;
// A timer whose process runs is waited for this long: it may be saving to a slow disk.
constexpr int busyMilliseconds = 120000;
constexpr int lookMilliseconds = 250;

// The process number at the end of a timer's own name ("-PID"), or 0.
qint64 pidOf(const QString &name, const QString &base)
{
    if (name == base)
        return 0;
    return name.section(QLatin1Char('-'), -1).toLongLong();
}

// Whether anybody listens at the name; a socket that refuses is one a killed timer left.
bool isDead(const QString &name)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (socket.waitForConnected(lookMilliseconds)) {
        socket.abort();
        return false;
    }
    return socket.error() == QLocalSocket::ConnectionRefusedError;
}

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

namespace {

Delivery sendTo(const QString &name, qint64 pid, const QString &command)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(answerMilliseconds)) {
        // Refused: nobody listens there any more, a killed timer left its socket (or there is
        // none at all). Otherwise the timer's queue is full: it takes no connection.
        const bool nobody = socket.error() == QLocalSocket::ConnectionRefusedError
                            || socket.error() == QLocalSocket::ServerNotFoundError;
        return nobody ? Delivery::NoTimer : Delivery::NoAnswer;
    }
    socket.write(command.toUtf8() + '\n');
    QByteArray answer;
    QElapsedTimer waited;
    waited.start();
    while (!answer.contains('\n') && socket.state() == QLocalSocket::ConnectedState) {
        if (socket.waitForReadyRead(lookMilliseconds)) {
            answer += socket.read(maxMessage);
            continue;
        }
        if (socket.state() != QLocalSocket::ConnectedState)
            break;
        // A stopped timer cannot answer; one whose process runs may be busy a while yet.
        const bool stopped = pid > 0 && Platform::isProcessStopped(pid);
        const int limit = pid > 0 ? busyMilliseconds : runMilliseconds;
        if (stopped || waited.elapsed() > limit)
            return Delivery::NoAnswer;
    }
    answer += socket.readAll();
    if (answer == "busy\n")
        return Delivery::Busy;
    if (answer == "ok\n")
        return Delivery::Delivered;
    return answer.isEmpty() ? Delivery::NoAnswer : Delivery::Refused;
}

} // namespace

Delivery send(const QString &base, const QString &command, qint64 *timer)
{
    if (base.isEmpty())
        return Delivery::NoTimer;
    std::optional<Delivery> delivery;
    for (const QString &name : names(base)) {
        if (delivery) {
            // Older timers get nothing; the sockets killed ones left are cleared away.
            if (isDead(name))
                QLocalServer::removeServer(name);
            continue;
        }
        const qint64 pid = pidOf(name, base);
        const Delivery sent = sendTo(name, pid, command);
        if (sent == Delivery::NoTimer) {
            QLocalServer::removeServer(name);
            continue;
        }
        if (timer)
            *timer = pid;
        delivery = sent;
    }
    return delivery.value_or(Delivery::NoTimer);
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
            const Command sent = *received;
            const auto answer = [this, socket = QPointer(socket), sent](bool taken) {
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
    }
}
