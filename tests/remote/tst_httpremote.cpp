// SPDX-License-Identifier: GPL-3.0-or-later
// The remote control's server in this process, asked over a real socket: what each request
// gets back, and what it did to the timer.
#include "remote/connectionguard.h"
#include "remote/httpremote.h"

#include <QFile>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QByteArray knownToken = QByteArray(64, 'a').replace(10, 1, "b");

class FakeTimer : public RemoteHost
{
public:
    RemoteState now;
    bool asking = false;
    QStringList done;
    RemoteState state() const override { return now; }
    bool isAsking() const override { return asking; }
    void run(Command command) override { done << Commands::name(command); }
    void countMinutes(int minutes) override { done << QString::number(minutes); }
};

struct Reply
{
    int status = 0;
    QByteArray head; // status line and headers
    QByteArray body;
};

// One request on its own connection; the reply once its body is all there (a stream's: what
// came with the head).
Reply ask(quint16 port, const QByteArray &request, QTcpSocket *socket = nullptr)
{
    QTcpSocket own;
    QTcpSocket &connection = socket ? *socket : own;
    connection.connectToHost(QHostAddress::LocalHost, port);
    connection.write(request);
    static const QRegularExpression lengthHeader(QStringLiteral("(?i)content-length: *(\\d+)"));
    QByteArray bytes;
    for (QDeadlineTimer deadline(5000); !deadline.hasExpired();) {
        QTest::qWait(5); // the server answers in this thread
        bytes += connection.readAll();
        const qsizetype end = bytes.indexOf("\r\n\r\n");
        const auto length = lengthHeader.match(QString::fromLatin1(bytes.left(end)));
        const qsizetype size = length.hasMatch() ? length.captured(1).toLongLong() : -1;
        if (end >= 0 && bytes.size() >= end + 4 + size)
            return {bytes.mid(9, 3).toInt(), bytes.left(end), bytes.mid(end + 4, size)};
        if (connection.state() == QAbstractSocket::UnconnectedState)
            break;
    }
    return {};
}

} // namespace

class TestHttpRemote : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        timer = FakeTimer();
        timer.now = {RemoteState::State::Counting, -75, 20, RemoteState::Phase::Over};
        remote = std::make_unique<HttpRemote>(timer, knownToken);
        QVERIFY(remote->listen(QHostAddress::LocalHost, 0));
    }

    void requests_data()
    {
        QTest::addColumn<QByteArray>("request"); // PORT and TOKEN filled in
        QTest::addColumn<bool>("asking");
        QTest::addColumn<int>("status");        // 0: refused, answered or not
        QTest::addColumn<QByteArray>("body");    // what the body holds, or is when empty
        QTest::addColumn<QStringList>("done");   // what the timer was told to do

        const QByteArray bearer = "Host: 127.0.0.1:PORT\r\nAuthorization: Bearer TOKEN\r\n";
        const QByteArray state =
            R"({"minutes":20,"phase":"over","secondsLeft":-75,"state":"counting"})";
        const auto get = [&](const QByteArray &path, const QByteArray &headers = {}) {
            return "GET " + path + " HTTP/1.1\r\n" + headers + "\r\n";
        };
        const auto post = [&](const QByteArray &path, const QByteArray &headers = {}) {
            return "POST " + path + " HTTP/1.1\r\n" + headers + "Content-Length: 0\r\n\r\n";
        };
        const auto sized = [&](qsizetype size) {
            return "POST /v1/start HTTP/1.1\r\n" + bearer + "Content-Length: "
                   + QByteArray::number(size) + "\r\n\r\n" + QByteArray(size, '{');
        };
        QTest::newRow("state, bearer") << get("/v1/state", bearer) << false << 200 << state
                                       << QStringList();
        QTest::newRow("state, token in the query")
            << get("/v1/state?token=TOKEN", "Host: localhost:PORT\r\n") << false << 200 << state
            << QStringList();
        QTest::newRow("scheme in capitals, IPv6 host")
            << get("/v1/state", "Host: [::1]:PORT\r\nAuthorization: BEARER TOKEN\r\n") << false
            << 200 << state << QStringList();
        QTest::newRow("no token") << get("/v1/state", "Host: 127.0.0.1:PORT\r\n") << false
                                  << 401 << QByteArray() << QStringList();
        QTest::newRow("wrong token, same length")
            << get("/v1/state?token=" + QByteArray(64, 'a'), "Host: 127.0.0.1:PORT\r\n") << false
            << 401 << QByteArray() << QStringList();
        QTest::newRow("token as a prefix")
            << post("/v1/start", "Host: 127.0.0.1\r\nAuthorization: Bearer TOKENx\r\n") << false
            << 401 << QByteArray() << QStringList();
        QTest::newRow("a rebinding name")
            << post("/v1/start", "Host: evil.example:PORT\r\nAuthorization: Bearer TOKEN\r\n")
            << false << 421 << QByteArray() << QStringList();
        QTest::newRow("a name under the loopback's")
            << get("/v1/state", "Host: 127.0.0.1.evil.example\r\nAuthorization: Bearer TOKEN\r\n")
            << false << 421 << QByteArray() << QStringList();
        QTest::newRow("another machine's address")
            << get("/v1/state", "Host: 192.168.1.20:PORT\r\nAuthorization: Bearer TOKEN\r\n")
            << false << 421 << QByteArray() << QStringList();
        QTest::newRow("no host") << get("/v1/state", "Authorization: Bearer TOKEN\r\n") << false
                                 << 421 << QByteArray() << QStringList();
        QTest::newRow("1 KiB body") << sized(1024) << false << 200 << QByteArray("counting")
                                    << QStringList{"start"};
        QTest::newRow("a byte more") << sized(1025) << false << 413 << QByteArray()
                                     << QStringList();
        QTest::newRow("a MiB: cut off before it is all read") << sized(1 << 20) << false << 0
                                                            << QByteArray() << QStringList();
        QTest::newRow("command by GET") << get("/v1/start", bearer) << false << 405
                                        << QByteArray() << QStringList();
        QTest::newRow("state by POST") << post("/v1/state", bearer) << false << 405
                                       << QByteArray() << QStringList();
        QTest::newRow("unknown path") << post("/v1/settings", bearer) << false << 404
                                      << QByteArray() << QStringList();
        for (const char *command : {"start", "pause", "reset", "more", "less", "quit"})
            QTest::addRow("%s", command) << post(QByteArray("/v1/") + command, bearer) << false
                                         << 200 << state << QStringList{command};
        QTest::newRow("quit while asking") << post("/v1/quit", bearer) << true << 409
                                           << QByteArray() + "counting" << QStringList();
        QTest::newRow("the most minutes") << post("/v1/minutes/32768", bearer) << false << 200
                                          << state << QStringList{"32768"};
        for (const char *minutes : {"0", "32769", "-5", "+5", "05", "5x", "", "99999999999"})
            QTest::addRow("minutes '%s'", minutes)
                << post(QByteArray("/v1/minutes/") + minutes, bearer) << false << 404
                << QByteArray() << QStringList();
        QTest::newRow("a web page's preflight")
            << QByteArray("OPTIONS /v1/start HTTP/1.1\r\nHost: 127.0.0.1:PORT\r\n"
                          "Origin: http://evil.example\r\n\r\n")
            << false << 401 << QByteArray() << QStringList();
        QTest::newRow("a WebSocket upgrade without the token")
            << get("/v1/events", "Host: 127.0.0.1:PORT\r\nUpgrade: websocket\r\n"
                                 "Connection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
                                 "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n")
            << false << 0 << QByteArray() << QStringList();
    }

    void requests()
    {
        QFETCH(QByteArray, request);
        QFETCH(bool, asking);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QStringList, done);
        timer.asking = asking;
        request.replace("PORT", QByteArray::number(remote->port())).replace("TOKEN", knownToken);
        const Reply reply = ask(remote->port(), request);
        if (status == 0) // refused, whether answered or dropped
            QVERIFY2(reply.status == 0 || reply.status >= 400, reply.head.constData());
        else
            QCOMPARE(reply.status, status);
        if (body.startsWith('{') || body.isEmpty())
            QCOMPARE(reply.body, body);
        else
            QVERIFY2(reply.body.contains(body), reply.body.constData());
        QCOMPARE(timer.done, done);
        // No web page may read an answer, not even an error.
        QVERIFY2(!reply.head.toLower().contains("access-control"), reply.head.constData());
        if (status == 405)
            QVERIFY(reply.head.toLower().contains("allow: "));
    }

    // Past the most connections the one idle longest makes room: the newest is served.
    void tooManyConnections()
    {
        std::vector<std::unique_ptr<QTcpSocket>> idle;
        for (int i = 0; i < ConnectionGuard::maxConnections; ++i) {
            idle.push_back(std::make_unique<QTcpSocket>());
            idle.back()->connectToHost(QHostAddress::LocalHost, remote->port());
            QTRY_COMPARE(idle.back()->state(), QAbstractSocket::ConnectedState);
        }
        QTRY_COMPARE(remote->connectionCount(), ConnectionGuard::maxConnections);
        const Reply reply = ask(remote->port(),
                                "GET /v1/state HTTP/1.1\r\nHost: localhost\r\nAuthorization: "
                                "Bearer " + knownToken + "\r\n\r\n");
        QCOMPARE(reply.status, 200);
        QTRY_COMPARE(idle.front()->state(), QAbstractSocket::UnconnectedState);
    }

    // The token: made once, private, kept; one that others could read or that is no token is
    // replaced, and what is no file is not read.
    void tokenFile_data()
    {
        QTest::addColumn<QByteArray>("before"); // the file's bytes; "-" none, "fifo" a FIFO
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("kept");
        QTest::newRow("none yet") << QByteArray("-") << 0 << false;
        QTest::newRow("kept") << knownToken + "\n" << 0600 << true;
        QTest::newRow("others could read it: a new one") << knownToken << 0644 << false;
        QTest::newRow("too short") << QByteArray("secret") << 0600 << false;
        QTest::newRow("not a token") << QByteArray(40, '\0') << 0600 << false;
        QTest::newRow("a FIFO: refused") << QByteArray("fifo") << 0600 << false;
    }

    void tokenFile()
    {
        QFETCH(QByteArray, before);
        QFETCH(int, mode);
        QFETCH(bool, kept);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("moriv/remote-token"));
        QDir().mkpath(folder.filePath(QStringLiteral("moriv")));
        if (before == "fifo") {
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), mode_t(mode)), 0);
        } else if (before != "-") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(before) == before.size());
            file.close();
            QCOMPARE(chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
        }
        QByteArray read;
        QCOMPARE(bool(Remote::readOrMakeToken(path, &read)), before != "fifo");
        if (before == "fifo")
            return;
        QCOMPARE(read == knownToken, kept);
        static const QRegularExpression made(QStringLiteral("^[0-9a-f]{64}$"));
        QVERIFY(kept || made.match(read).hasMatch());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().trimmed(), read);
        struct stat status{};
        QCOMPARE(stat(QFile::encodeName(path).constData(), &status), 0);
        QCOMPARE(status.st_mode & 0777, 0600u);
        QByteArray again;
        QVERIFY(Remote::readOrMakeToken(path, &again));
        QCOMPARE(again, read);
    }

private:
    FakeTimer timer;
    std::unique_ptr<HttpRemote> remote;
};

QTEST_GUILESS_MAIN(TestHttpRemote)
#include "tst_httpremote.moc"
