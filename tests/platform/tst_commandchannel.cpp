// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandchannel.h"

#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

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
    void init();
    void commandsArriveAsTheirKeys_data();
    void commandsArriveAsTheirKeys();
    void badMessagesAreDroppedAndTheServerGoesOn_data();
    void badMessagesAreDroppedAndTheServerGoesOn();
    void staleSocketIsReplaced();
    void newestTimerAnswers();
    void noTimerIsReported();

private:
    // Sends from another thread: the server answers from this one's event loop.
    CommandChannel::Delivery send(const QString &command)
    {
        auto delivery = std::async(std::launch::async, CommandChannel::send, m_name, command);
        while (delivery.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
            QCoreApplication::processEvents();
        return delivery.get();
    }

    QTemporaryDir m_folder;
    QString m_name;
};

void TestCommandChannel::init()
{
    m_name = m_folder.filePath(QStringLiteral("moriv-command-%1").arg(QTest::currentDataTag()));
}

void TestCommandChannel::commandsArriveAsTheirKeys_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QChar>("key");
    QTest::newRow("start") << "start" << QChar(u'a');
    QTest::newRow("pause") << "pause" << QChar(u's');
    QTest::newRow("reset") << "reset" << QChar(u'd');
    QTest::newRow("settings") << "settings" << QChar(u'f');
}

void TestCommandChannel::commandsArriveAsTheirKeys()
{
    QFETCH(QString, command);
    QFETCH(QChar, key);
    CommandServer server;
    QString error;
    QVERIFY2(server.listen(m_name, &error), qPrintable(error));
    QSignalSpy commands(&server, &CommandServer::command);
    QCOMPARE(send(command), CommandChannel::Delivery::Delivered);
    QTRY_COMPARE(commands.size(), 1);
    QCOMPARE(commands.at(0).at(0).value<QChar>(), key);
}

void TestCommandChannel::badMessagesAreDroppedAndTheServerGoesOn_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("unknown word") << QByteArray("fly\n") << QByteArray("unknown\n");
    QTest::newRow("upper case") << QByteArray("START\n") << QByteArray("unknown\n");
    QTest::newRow("binary") << QByteArray("\x00\xff\x01st\x00" "art\n", 10)
                            << QByteArray("unknown\n");
    QTest::newRow("long line") << QByteArray(40, 'a') + "\n" << QByteArray();
    QTest::newRow("oversized") << QByteArray(4 << 20, 's') << QByteArray();
    QTest::newRow("no line end") << QByteArray("start") << QByteArray();
}

void TestCommandChannel::badMessagesAreDroppedAndTheServerGoesOn()
{
    QFETCH(QByteArray, message);
    QFETCH(QByteArray, answer);
    CommandServer server;
    QString error;
    QVERIFY(server.listen(m_name, &error));
    QSignalSpy commands(&server, &CommandServer::command);

    QLocalSocket client;
    client.connectToServer(m_name);
    QVERIFY(client.waitForConnected(1000));
    client.write(message);
    // Answered, or hung up on: at the latest when the server stops waiting for a line.
    QTRY_VERIFY_WITH_TIMEOUT(client.state() == QLocalSocket::UnconnectedState, 5000);
    QCOMPARE(client.readAll(), answer);
    QCOMPARE(commands.size(), 0);

    QCOMPARE(send(QStringLiteral("pause")), CommandChannel::Delivery::Delivered);
    QTRY_COMPARE(commands.size(), 1);
    QCOMPARE(commands.at(0).at(0).value<QChar>(), QChar(u's'));
}

void TestCommandChannel::staleSocketIsReplaced()
{
    // A timer killed without cleaning up leaves its socket behind, bound and dead.
    const int dead = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(m_name);
    std::memcpy(address.sun_path, path.constData(), path.size());
    QCOMPARE(::bind(dead, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ::close(dead);
    QCOMPARE(send(QStringLiteral("start")), CommandChannel::Delivery::NoTimer);
    CommandServer server;
    QString error;
    QVERIFY2(server.listen(m_name, &error), qPrintable(error));
    QSignalSpy commands(&server, &CommandServer::command);
    QCOMPARE(send(QStringLiteral("start")), CommandChannel::Delivery::Delivered);
    QTRY_COMPARE(commands.size(), 1);
}

void TestCommandChannel::newestTimerAnswers()
{
    CommandServer older;
    CommandServer newer;
    QString error;
    QVERIFY(older.listen(m_name, &error));
    QVERIFY(newer.listen(m_name, &error));
    QSignalSpy toOlder(&older, &CommandServer::command);
    QSignalSpy toNewer(&newer, &CommandServer::command);
    QCOMPARE(send(QStringLiteral("start")), CommandChannel::Delivery::Delivered);
    QTRY_COMPARE(toNewer.size(), 1);
    QCOMPARE(toOlder.size(), 0);
}

void TestCommandChannel::noTimerIsReported()
{
    QCOMPARE(send(QStringLiteral("start")), CommandChannel::Delivery::NoTimer);
    QCOMPARE(CommandChannel::send(QString(), QStringLiteral("start")),
             CommandChannel::Delivery::NoTimer);
}

QTEST_GUILESS_MAIN(TestCommandChannel)
#include "tst_commandchannel.moc"
