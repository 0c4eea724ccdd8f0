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

// NoAnswer: the newest timer did not answer (stopped, or hung): it may still act later.
// Refused: it answered that this is no command of its.
enum class Delivery { Delivered, Busy, NoTimer, Refused, NoAnswer };
// Sends one command to the newest timer that is running and waits for its answer: as long as
// that timer's process runs (a save to a slow disk may hold it for a while), at most two
// minutes; a stopped timer is not waited for. An older timer never gets a command the newest
// did not answer. Every socket nobody listens at any more is removed on the way, whatever its
// age. The timer's process number, where the name tells it, goes to timer.
Delivery send(const QString &base, const QString &command, qint64 *timer = nullptr);

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
