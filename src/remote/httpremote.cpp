// SPDX-License-Identifier: GPL-3.0-or-later
#include "remote/httpremote.h"

#include "remote/connectionguard.h"

#include <QHttpServerRequest>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>

#include <array>
#include <utility>

namespace {

using Method = QHttpServerRequest::Method;

const char *nameOf(RemoteState::State state)
{
    constexpr std::array names = {"ready", "counting", "paused", "asking", "over"};
    return names[std::size_t(state)];
}

const char *nameOf(RemoteState::Phase phase)
{
    constexpr std::array names = {"normal", "warning", "over"};
    return names[std::size_t(phase)];
}

// Compares in a time that does not tell how much of the token was right.
bool sameToken(const QByteArray &given, const QByteArray &token)
{
    if (given.size() != token.size())
        return false;
    char differ = 0;
    for (qsizetype i = 0; i < token.size(); ++i)
        differ |= given[i] ^ token[i];
    return differ == 0;
}

// The commands a POST to /v1/NAME runs.
constexpr std::array posted = {Command::Start, Command::Pause, Command::Reset, Command::More,
                               Command::Less, Command::Quit};

} // namespace

HttpRemote::HttpRemote(RemoteHost &host, QByteArray token, QObject *parent)
    : QAbstractHttpServer(parent)
    , m_host(host)
    , m_token(std::move(token))
    , m_keepAlive(new QTimer(this))
{
    // A comment line now and then tells a stream whose reader has gone from one still read.
    m_keepAlive->setInterval(ConnectionGuard::idleMs);
    connect(m_keepAlive, &QTimer::timeout, this, [this] { send(QByteArrayLiteral(":\n\n")); });
}

HttpRemote::~HttpRemote()
{
    // The last answers leave before the program ends.
    for (ConnectionGuard *guard : m_guards)
        guard->flushAll();
    m_streams.clear();
}

Outcome HttpRemote::listen(const QHostAddress &address, quint16 port)
{
    // The loopback is both 127.0.0.1 and ::1; a machine without IPv6 has the first alone.
    const bool loopback = address.isLoopback();
    QList<QHostAddress> addresses = {loopback ? QHostAddress(QHostAddress::LocalHost) : address};
    if (loopback)
        addresses.append(QHostAddress(QHostAddress::LocalHostIPv6));
    for (const QHostAddress &on : addresses) {
        auto *guard = new ConnectionGuard(this);
        if (!guard->listen(on, port)) {
            const QString reason = guard->errorString();
            delete guard;
            if (on == addresses.first())
                return Outcome::failure(
                    QStringLiteral("%1 port %2").arg(on.toString()).arg(port), reason);
            continue;
        }
        port = guard->serverPort(); // the second address takes the port the first was given
        bind(guard);
        m_guards.push_back(guard);
    }
    m_address = address;
    m_port = port;
    return {};
}

qsizetype HttpRemote::connectionCount() const
{
    qsizetype count = 0;
    for (const ConnectionGuard *guard : m_guards)
        count += guard->connectionCount();
    return count;
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
bool HttpRemote::handleRequest(const QHttpServerRequest &request, QHttpServerResponder &responder)
{
    respond(request, responder);
    return true;
}
#else
bool HttpRemote::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    respond(request, responder);
    return true;
}
#endif

void HttpRemote::respond(const QHttpServerRequest &request, QHttpServerResponder &responder)
{
    const Answer answered = answer(request);
    if (answered.stream) {
        openStream(request, responder);
        return;
    }
    const QByteArray type =
        answered.body.isEmpty() ? QByteArrayLiteral("text/plain") : "application/json";
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QHttpHeaders headers;
    headers.append(QHttpHeaders::WellKnownHeader::ContentType, type);
    headers.append(QHttpHeaders::WellKnownHeader::CacheControl, "no-store");
    if (!answered.allow.isEmpty())
        headers.append(QHttpHeaders::WellKnownHeader::Allow, answered.allow);
    responder.write(answered.body, headers, answered.status);
#else
    if (answered.allow.isEmpty())
        responder.write(answered.body, {{"Content-Type", type}, {"Cache-Control", "no-store"}},
                        answered.status);
    else
        responder.write(answered.body,
                        {{"Content-Type", type},
                         {"Cache-Control", "no-store"},
                         {"Allow", answered.allow}},
                        answered.status);
#endif
    // Quit runs once its answer is on its way: the program ends with it.
    if (answered.quit) {
        for (ConnectionGuard *guard : m_guards)
            guard->flushAll();
        m_host.run(Command::Quit);
    }
}

HttpRemote::Answer HttpRemote::answer(const QHttpServerRequest &request)
{
    if (!isOwnHost(request.value(QByteArrayLiteral("host"))))
        return {Status::MisdirectedRequest, {}, {}};
    if (request.body().size() > Remote::maxBody)
        return {Status::PayloadTooLarge, {}, {}};
    if (!carriesToken(request))
        return {Status::Unauthorized, {}, {}};

    const QString path = request.url().path();
    const bool get = request.method() == Method::Get;
    const bool post = request.method() == Method::Post;
    if (path == QLatin1String("/v1/state"))
        return get ? Answer{Status::Ok, stateJson(), {}}
                   : Answer{Status::MethodNotAllowed, {}, "GET"};
    if (path == QLatin1String("/v1/events"))
        return get ? Answer{Status::Ok, {}, {}, true}
                   : Answer{Status::MethodNotAllowed, {}, "GET"};

    std::optional<Command> command;
    int minutes = 0;
    static const QString minutesPath = QStringLiteral("/v1/minutes/");
    if (path.startsWith(minutesPath)) {
        const QString number = path.mid(minutesPath.size());
        bool ok = false;
        minutes = number.toInt(&ok);
        // Digits only: no sign, no blanks, no leading zero games.
        if (!ok || number.isEmpty() || number.front() == u'0' || number.front() == u'+'
            || number.front() == u'-' || minutes < 1 || minutes > 32768)
            return {Status::NotFound, {}, {}};
    } else {
        for (Command each : posted)
            if (path == QLatin1String("/v1/") + Commands::name(each))
                command = each;
        if (!command)
            return {Status::NotFound, {}, {}};
    }
    if (!post)
        return {Status::MethodNotAllowed, {}, "POST"};
    // One question at a time: the speaker answers it first.
    if (m_host.isAsking())
        return {Status::Conflict, stateJson(), {}};
    if (command == Command::Quit)
        return {Status::Ok, stateJson(), {}, false, true};
    if (command)
        m_host.run(*command);
    else
        m_host.countMinutes(minutes);
    return {Status::Ok, stateJson(), {}};
}

bool HttpRemote::isOwnHost(const QByteArray &host) const
{
    // HOST or HOST:PORT, an IPv6 address in brackets.
    QByteArray name = host.trimmed().toLower();
    if (name.startsWith('[')) {
        const qsizetype end = name.indexOf(']');
        if (end < 0)
            return false;
        name = name.mid(1, end - 1);
    } else if (name.count(':') == 1) {
        name.truncate(name.indexOf(':'));
    }
    if (name == "localhost")
        return true;
    // An address in figures cannot be rebound by a web page's name server.
    const QHostAddress address(QString::fromLatin1(name));
    if (address.isNull())
        return false;
    if (address.isLoopback() || address.isEqual(m_address))
        return true;
    // Listening on every address: each of them is this machine's.
    return m_address == QHostAddress::Any || m_address == QHostAddress::AnyIPv4
           || m_address == QHostAddress::AnyIPv6;
}

bool HttpRemote::carriesToken(const QHttpServerRequest &request) const
{
    const QByteArray authorization = request.value(QByteArrayLiteral("authorization"));
    static const QByteArray bearer = QByteArrayLiteral("bearer ");
    if (authorization.size() > bearer.size()
        && authorization.left(bearer.size()).toLower() == bearer)
        return sameToken(authorization.mid(bearer.size()).trimmed(), m_token);
    const QUrlQuery query(request.url());
    return query.hasQueryItem(QStringLiteral("token"))
           && sameToken(query.queryItemValue(QStringLiteral("token"), QUrl::FullyDecoded)
                            .toUtf8(),
                        m_token);
}

QByteArray HttpRemote::stateJson() const
{
    const RemoteState state = m_host.state();
    return QJsonDocument(QJsonObject{{QStringLiteral("state"), nameOf(state.state)},
                                     {QStringLiteral("secondsLeft"), state.secondsLeft},
                                     {QStringLiteral("minutes"), state.minutes},
                                     {QStringLiteral("phase"), nameOf(state.phase)}})
               .toJson(QJsonDocument::Compact);
}

void HttpRemote::openStream(const QHttpServerRequest &request, QHttpServerResponder &responder)
{
    QTcpSocket *socket = nullptr;
    for (const ConnectionGuard *guard : m_guards)
        if (!socket)
            socket = guard->connectionFrom(request.remoteAddress(),
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
                                           request.remotePort());
#else
                                           responder.socket()->peerPort());
#endif
    if (!socket) {
        responder.write(Status::InternalServerError);
        return;
    }
    for (ConnectionGuard *guard : m_guards)
        guard->keepOpen(socket);
    const QByteArray first = "data: " + stateJson() + "\n\n";
    Stream stream{socket, nullptr};
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QHttpHeaders headers;
    headers.append(QHttpHeaders::WellKnownHeader::ContentType, "text/event-stream");
    headers.append(QHttpHeaders::WellKnownHeader::CacheControl, "no-store");
    stream.responder = std::make_unique<QHttpServerResponder>(std::move(responder));
    stream.responder->writeBeginChunked(headers);
    stream.responder->writeChunk(first);
#else
    // The stream's body runs to the end of the connection.
    responder.writeStatusLine(Status::Ok);
    responder.writeHeaders({{"Content-Type", "text/event-stream"},
                            {"Cache-Control", "no-store"},
                            {"Connection", "close"}});
    responder.writeBody(first);
#endif
    if (m_streams.empty())
        m_lastState = stateJson(); // what the first stream was told; the others know theirs
    m_streams.push_back(std::move(stream));
    // The responder is let go while its connection still exists: Qt's own ends its answer
    // by asking the connection's state.
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        std::erase_if(m_streams, [socket](const Stream &each) { return each.socket == socket; });
        if (m_streams.empty())
            m_keepAlive->stop();
    });
    m_keepAlive->start();
}

void HttpRemote::publish()
{
    if (m_streams.empty())
        return;
    // Several signals may tell of one change: each state goes out once.
    const QByteArray state = stateJson();
    if (state != std::exchange(m_lastState, state))
        send("data: " + state + "\n\n");
}

void HttpRemote::send(const QByteArray &event)
{
    for (const Stream &stream : m_streams) {
        if (!stream.socket || stream.socket->state() != QAbstractSocket::ConnectedState)
            continue; // gone, or going: its disconnected() lets it go
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        stream.responder->writeChunk(event);
#else
        stream.socket->write(event);
#endif
    }
}
