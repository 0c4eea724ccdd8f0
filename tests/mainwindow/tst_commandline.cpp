// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/commandline.h"

#include <QTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
};

namespace {

// Everything a command line decides, in one line that a table row can state.
QString summary(const CommandLine &line)
{
    return QStringLiteral("minutes=%1 start=%2 keys=%3 corner=%4 screen=%5 scale=%6 warn=%7 "
                          "command=%8")
        .arg(line.run.minutes.value_or(QStringLiteral("-")))
        .arg(line.start)
        .arg(line.globalKeys)
        .arg(line.corner ? int(*line.corner) : -1)
        .arg(line.screen)
        .arg(line.run.scale)
        .arg(line.run.warnMinutes)
        .arg(line.command)
        + (line.shortcuts == ShortcutsChange::None
               ? QString()
               : QStringLiteral(" shortcuts=%1").arg(int(line.shortcuts)));
}

} // namespace

void TestCommandLine::accepted_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");

    const QString plain =
        "minutes=- start=0 keys=1 corner=-1 screen=0 scale=1 warn=1 command=";
    QTest::newRow("nothing") << QStringList{} << plain;
    QTest::newRow("a talk") << QStringList{"--minutes", " 20 ", "--start", "--corner",
                                           "top-right", "--screen", "2"}
                            << "minutes=20 start=1 keys=1 corner=1 screen=2 scale=1 warn=1 "
                               "command=";
    QTest::newRow("every corner last") << QStringList{"--corner", "bottom-right"}
                                       << QString(plain).replace("corner=-1", "corner=3");
    QTest::newRow("full-width minutes") << QStringList{"--minutes=\uFF12\uFF10"}
                                        << QString(plain).replace("minutes=-",
                                                                  "minutes=\uFF12\uFF10");
    QTest::newRow("largest minutes") << QStringList{"--minutes", "32768"}
                                     << QString(plain).replace("minutes=-", "minutes=32768");
    QTest::newRow("scale and warning at their bounds")
        << QStringList{"--scale", "0.5", "--warn", "0", "--no-global-keys"}
        << "minutes=- start=0 keys=0 corner=-1 screen=0 scale=0.5 warn=0 command=";
    QTest::newRow("largest scale, warning") << QStringList{"--scale=8", "--warn=32768"}
                                            << QString(plain)
                                                   .replace("scale=1", "scale=8")
                                                   .replace("warn=1", "warn=32768");
    QTest::newRow("a command, other options unread")
        << QStringList{"--command", "settings", "--scale", "99"}
        << QString(plain).replace("command=", "command=settings");
    QTest::newRow("install shortcuts") << QStringList{"--install-shortcuts"}
                                       << plain + " shortcuts=1";
    QTest::newRow("remove shortcuts") << QStringList{"--remove-shortcuts"}
                                      << plain + " shortcuts=2";
}

void TestCommandLine::accepted()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);

    const auto read = readCommandLine(QStringList{"moriv"} + arguments);
    QVERIFY(std::holds_alternative<CommandLine>(read));
    QCOMPARE(summary(std::get<CommandLine>(read)), expected);
}

void TestCommandLine::refused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");

    QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: moriv [options]";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "moriv " MORIV_VERSION "\n";
    QTest::newRow("unknown option") << QStringList{"--fly"} << 2 << "Unknown option 'fly'.";
    QTest::newRow("stray argument") << QStringList{"stray"} << 2
                                    << "unexpected argument 'stray'";
    QTest::newRow("value missing") << QStringList{"--minutes"} << 2
                                   << "Missing value after '--minutes'.";
    QTest::newRow("no minutes") << QStringList{"--minutes", "0"} << 2
                                << "--minutes takes a number of minutes from 1 to 32768, "
                                   "not '0'";
    QTest::newRow("one minute too many") << QStringList{"--minutes", "32769"} << 2
                                         << "from 1 to 32768, not '32769'";
    QTest::newRow("minutes not a number") << QStringList{"--minutes", "abc"} << 2
                                          << "not 'abc'";
    QTest::newRow("no such corner") << QStringList{"--corner", "middle"} << 2
                                    << "--corner takes top-left, top-right, bottom-left or "
                                       "bottom-right, not 'middle'";
    QTest::newRow("screen 0") << QStringList{"--screen", "0"} << 2
                              << "--screen takes a screen number from 1, not '0'";
    QTest::newRow("scale too large") << QStringList{"--scale", "9"} << 2
                                     << "--scale takes a factor from 0.5 to 8, not '9'";
    QTest::newRow("scale not a number") << QStringList{"--scale", "big"} << 2 << "not 'big'";
    QTest::newRow("negative warning") << QStringList{"--warn", "-1"} << 2
                                      << "--warn takes a number of minutes from 0 to 32768, "
                                         "not '-1'";
    QTest::newRow("unknown command") << QStringList{"--command", "fly"} << 2
                                     << "--command takes start, pause, reset or settings, "
                                        "not 'fly'";
    QTest::newRow("install and remove")
        << QStringList{"--install-shortcuts", "--remove-shortcuts"} << 2 << "exclude each other";
}

void TestCommandLine::refused()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);

    const auto read = readCommandLine(QStringList{"moriv"} + arguments);
    QVERIFY(std::holds_alternative<CommandLineExit>(read));
    const CommandLineExit exit = std::get<CommandLineExit>(read);
    QCOMPARE(exit.status, status);
    QVERIFY2(exit.text.contains(message), qPrintable(exit.text));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
