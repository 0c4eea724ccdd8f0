// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "remote/remotecontrol.h"

#include <QAbstractHttpServer>
#include <QHttpServerResponder>
#include <QPointer>

#include <memory>
#include <vector>

class ConnectionGuard;
class QTcpSocket;
class QTimer;

// The remote control's HTTP server, on the program's one thread. Every request is checked
// before anything else is read of it: the Host it names (a web page that rebinds a name of
// its own to this machine gets nowhere), the size of its body, the token; then the path and
// the method. The answers are JSON, the state after the command; no answer carries CORS
// headers, so no web page may read one.
class HttpRemote : public QAbstractHttpServer, public RemoteControl
{
    Q_OBJECT
public:
    HttpRemote(RemoteHost &host, QByteArray token, QObject *parent = nullptr);
    ~HttpRemote() override;
    Outcome listen(const QHostAddress &address, quint16 port) override;
    quint16 port() const override { return m_port; }
    void publish() override;
    // Open connections, event streams among them.
    qsizetype connectionCount() const;

protected:
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    bool handleRequest(const QHttpServerRequest &request,
                       QHttpServerResponder &responder) override;
    void missingHandler(const QHttpServerRequest &, QHttpServerResponder &) override {}
#else
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &, QTcpSocket *) override {}
#endif

private:
    using Status = QHttpServerResponder::StatusCode;
    struct Answer
    {
        Status status = Status::Ok;
        QByteArray body;      // JSON, or nothing
        QByteArray allow;     // with 405: the one method the path takes
        bool stream = false;  // the event stream begins
        bool quit = false;    // the program ends once the answer is written
    };
    Answer answer(const QHttpServerRequest &request);
    void respond(const QHttpServerRequest &request, QHttpServerResponder &responder);
    bool isOwnHost(const QByteArray &host) const;
    bool carriesToken(const QHttpServerRequest &request) const;
    QByteArray stateJson() const;
    void openStream(const QHttpServerRequest &request, QHttpServerResponder &responder);
    void send(const QByteArray &event);

    RemoteHost &m_host;
    const QByteArray m_token;
    QHostAddress m_address;
    quint16 m_port = 0;
    std::vector<ConnectionGuard *> m_guards;
    struct Stream
    {
        QPointer<QTcpSocket> socket;
        std::unique_ptr<QHttpServerResponder> responder; // where it writes the chunks
    };
    std::vector<Stream> m_streams;
    QByteArray m_lastState;
    QTimer *m_keepAlive;
};
