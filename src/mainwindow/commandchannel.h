// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/command.h"
#include "platform/outcome.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QLocalServer;

// Commands to the running timer from another process (`moriv --command start`), for desktops
// where only the desktop's own shortcuts reach a program: a local socket that only this user
// can reach. One line per connection: the command's name and a line feed; the timer answers
// "ok", "busy" (a question or dialog is open: nothing done) or "unknown".
namespace CommandChannel {

// Any number of timers may run. At a path each listens at a name of its own beside the base,
// which says when it started; a base that is not a path (a Windows pipe) is shared.
QString ownName(const QString &base);
// The names timers may listen at, newest first.
QStringList names(const QString &base);

enum class Delivery { Delivered, Busy, NoTimer, Refused };
// Sends one command to the newest timer that answers, and waits for its answer: at most two
// seconds for it to take the command, ten for it to run it or open its question. A socket
// nobody listens at any more is removed on the way.
Delivery send(const QString &base, const QString &command);

} // namespace CommandChannel

class CommandServer : public QObject
{
    Q_OBJECT

public:
    explicit CommandServer(QObject *parent = nullptr);
    ~CommandServer() override;

    // Listens at a name of its own by the base; it is removed when the server ends.
    Outcome listen(const QString &base);
    // Runs each command that arrives, and answers through the function it is handed whether
    // it took it ("ok") or not ("busy"); the other process waits for that answer. Without a
    // handler every command is taken.
    using Handler = std::function<void(Command, std::function<void(bool taken)>)>;
    void setHandler(Handler handler) { m_handler = std::move(handler); }

signals:
    // A command was taken.
    void command(Command command);

private:
    void accept();

    QLocalServer *m_server;
    Handler m_handler;
};
