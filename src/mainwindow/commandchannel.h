// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/command.h"
#include "platform/outcome.h"

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

// Commands to the running timer from another process (`moriv --command start`), for desktops
// where only the desktop's own shortcuts reach a program: a local socket that only this user
// can reach. One line per connection: the command's name and a line feed; the timer answers
// "ok", "busy" (a question or dialog is open: nothing done) or "unknown".
namespace CommandChannel {

enum class Delivery { Delivered, Busy, NoTimer, Refused };
// Sends one command and waits for the answer: at most two seconds for the timer to take it,
// ten for it to run it or open its question.
Delivery send(const QString &socketName, const QString &command);

} // namespace CommandChannel

class CommandServer : public QObject
{
    Q_OBJECT

public:
    explicit CommandServer(QObject *parent = nullptr);
    ~CommandServer() override;

    // Listens at the name. A socket there, left by a timer that was killed or still held by
    // an older one, is replaced: the timer started last answers.
    Outcome listen(const QString &socketName);
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
