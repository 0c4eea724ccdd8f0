// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/commandchannel.h"
#include "platform/files.h"

#include <QDir>
#include <QProcess>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstring>
#include <future>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// The socket through which `moriv --command` reaches the running timer.
class TestCommandChannel : public QObject
{
    Q_OBJECT

private slots:
    void messages_data();
    void messages();
    void staleSocketIsReplacedAndTheNewestTimerAnswers();
    void busyTimerTakesNothing();
    void runtimeFolderTooDeepFallsBack();

private:
    // Sends from another thread: the server answers from this one's event loop.
    static CommandChannel::Delivery send(const QString &name, const QString &command,
                                         qint64 *timer = nullptr)
    {
        auto delivery = std::async(std::launch::async, CommandChannel::send, name, command, timer);
        while (delivery.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
            QCoreApplication::processEvents();
        return delivery.get();
    }

    QTemporaryDir m_folder;
};

void TestCommandChannel::messages_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QString>("key"); // empty: no command
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("start") << QByteArray("start\n") << "a" << QByteArray("ok\n");
    QTest::newRow("pause") << QByteArray("pause\n") << "s" << QByteArray("ok\n");
    QTest::newRow("reset") << QByteArray("reset\n") << "d" << QByteArray("ok\n");
    QTest::newRow("settings") << QByteArray("settings\n") << "f" << QByteArray("ok\n");
    QTest::newRow("unknown") << QByteArray("START\n") << "" << QByteArray("unknown\n");
    QTest::newRow("binary") << QByteArray("\x00\xffst\x00" "art\n", 9) << ""
                            << QByteArray("unknown\n");
    QTest::newRow("long line") << QByteArray(40, 'a') + "\n" << "" << QByteArray();
    QTest::newRow("oversized") << QByteArray(4 << 20, 's') << "" << QByteArray();
    QTest::newRow("no line end") << QByteArray("start") << "" << QByteArray();
}

// Each message gets its answer, or is hung up on; the server goes on taking commands.
void TestCommandChannel::messages()
{
    QFETCH(QByteArray, message);
    QFETCH(QString, key);
    QFETCH(QByteArray, answer);
    const QString name = m_folder.filePath(QStringLiteral("messages"));
    CommandServer server;
    const Outcome listening = server.listen(name);
    QVERIFY2(listening, qPrintable(listening.reason));
    QSignalSpy commands(&server, &CommandServer::command);

    QLocalSocket client;
    client.connectToServer(CommandChannel::names(name).first());
    QVERIFY(client.waitForConnected(1000));
    client.write(message);
    QTRY_VERIFY_WITH_TIMEOUT(client.state() == QLocalSocket::UnconnectedState, 5000);
    QCOMPARE(client.readAll(), answer);
    QTRY_COMPARE(commands.size(), key.isEmpty() ? 0 : 1);

    QCOMPARE(send(name, QStringLiteral("pause")), CommandChannel::Delivery::Delivered);
    QTRY_COMPARE(commands.size(), key.isEmpty() ? 1 : 2);
    QCOMPARE(QChar(Commands::key(commands.first().at(0).value<Command>())),
             key.isEmpty() ? QChar(u's') : key.at(0));
}

void TestCommandChannel::staleSocketIsReplacedAndTheNewestTimerAnswers()
{
    const QString base = m_folder.filePath(QStringLiteral("timers"));
    const auto sockets = [this] { return QDir(m_folder.path()).entryList(QDir::System).size(); };
    // A timer killed without cleaning up leaves its socket behind, bound and dead: one of an
    // earlier version at the base, one newer than any.
    const auto leaveDead = [](const QString &name, bool listening = false) {
        const int dead = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(name);
        std::memcpy(address.sun_path, path.constData(), path.size());
        if (::bind(dead, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
            return -2;
        // Listening: a timer that takes connections into its queue, and answers none.
        if (listening && ::listen(dead, 4) == 0)
            return dead;
        ::close(dead);
        return -1;
    };
    const QString newest = base + QStringLiteral("-99999999999999999999-1");
    QVERIFY(leaveDead(base) != -2 && leaveDead(newest) != -2);
    QCOMPARE(send(base, QStringLiteral("start")), CommandChannel::Delivery::NoTimer);
    QCOMPARE(sockets(), 0);

    CommandServer older;
    QVERIFY(older.listen(base));
    QSignalSpy toOlder(&older, &CommandServer::command);
    {
        CommandServer newer;
        QVERIFY(newer.listen(base));
        QSignalSpy toNewer(&newer, &CommandServer::command);
        QCOMPARE(send(base, QStringLiteral("start")), CommandChannel::Delivery::Delivered);
        QTRY_COMPARE(toNewer.size(), 1);
        QCOMPARE(toOlder.size(), 0);
    }
    // The newer timer ended, and a newest one was killed: the oldest still answers. A timer
    // killed before it started is cleared away too, older though it is.
    QVERIFY(leaveDead(newest) != -2);
    QVERIFY(leaveDead(base + QStringLiteral("-00000000000000000001-1")) != -2);
    QCOMPARE(send(base, QStringLiteral("start")), CommandChannel::Delivery::Delivered);
    QTRY_COMPARE(toOlder.size(), 1);
    QCOMPARE(sockets(), 1);

    // The newest timer's process is stopped: the command is not passed on to the older timer,
    // and says which one did not answer.
    QProcess stopped;
    stopped.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    QVERIFY(stopped.waitForStarted());
    ::kill(pid_t(stopped.processId()), SIGSTOP);
    const int mute = leaveDead(newest.section(u'-', 0, -2) + u'-'
                                   + QString::number(stopped.processId()), true);
    QVERIFY(mute >= 0);
    qint64 timer = 0;
    QCOMPARE(send(base, QStringLiteral("start"), &timer), CommandChannel::Delivery::NoAnswer);
    QCOMPARE(timer, stopped.processId());
    QCOMPARE(toOlder.size(), 1);
    ::close(mute);
    stopped.kill();
}

void TestCommandChannel::busyTimerTakesNothing()
{
    const QString name = m_folder.filePath(QStringLiteral("busy"));
    CommandServer server;
    QVERIFY(server.listen(name));
    bool questionOpen = true;
    server.setHandler([&](Command, const std::function<void(bool)> &answered) {
        answered(!questionOpen);
    });
    QSignalSpy commands(&server, &CommandServer::command);
    QCOMPARE(send(name, QStringLiteral("start")), CommandChannel::Delivery::Busy);
    questionOpen = false;
    QCOMPARE(send(name, QStringLiteral("start")), CommandChannel::Delivery::Delivered);
    QTRY_COMPARE(commands.size(), 1);
}

// A runtime folder so deep that no socket's path in it fits: the timer listens in its private
// folder in the temporary folder instead, and --command finds it there.
void TestCommandChannel::runtimeFolderTooDeepFallsBack()
{
    const QString deep = m_folder.filePath(QString(90, u'r'));
    QVERIFY(QDir().mkpath(deep));
    QVERIFY(QFile::setPermissions(deep, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QByteArray before = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(deep));
    const QString base = Platform::commandSocketName();
    qputenv("XDG_RUNTIME_DIR", before);
    QVERIFY2(base.startsWith(QDir::tempPath() + u'/'), qPrintable(base));
    CommandServer server;
    QVERIFY(server.listen(base));
    QCOMPARE(send(base, QStringLiteral("start")), CommandChannel::Delivery::Delivered);
}

QTEST_GUILESS_MAIN(TestCommandChannel)
#include "tst_commandchannel.moc"
