// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/commandline.h"
#include "mainwindow/interfacelanguage.h"

#include <QTest>
#include <QTimeZone>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
    void deadlines_data();
    void deadlines();
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
               : QStringLiteral(" shortcuts=%1").arg(int(line.shortcuts)))
        + (line.run.until ? QStringLiteral(" until") : QString())
        + (line.run.overtime ? QStringLiteral(" overtime") : QString())
        + (line.startWithShow ? QStringLiteral(" show") : QString())
        + (line.remote ? QStringLiteral(" remote=%1").arg(*line.remote) : QString())
        + (line.remoteAddress ? QStringLiteral(" on=") + *line.remoteAddress : QString());
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
    QTest::newRow("a whole talk")
        << QStringList{"--until", QTime::currentTime().addSecs(7200).toString("HH:mm"),
                       "--overtime", "--start-with-show"}
        << plain + " until overtime show";
    QTest::newRow("quit") << QStringList{"--command", "quit"}
                          << QString(plain).replace("command=", "command=quit");
    QTest::newRow("install shortcuts") << QStringList{"--install-shortcuts"}
                                       << plain + " shortcuts=1";
    QTest::newRow("remove shortcuts") << QStringList{"--remove-shortcuts"}
                                      << plain + " shortcuts=2";
    QTest::newRow("remote control, every address")
        << QStringList{"--remote", "65535", "--remote-address", "::"}
        << plain + " remote=65535 on=::";
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

    QTest::addColumn<QString>("chinese"); // the same under the C locale

    QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: moriv [options]"
                          << "Usage: moriv [options]";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "moriv " MORIV_VERSION "\n"
                             << "moriv " MORIV_VERSION "\n";
    QTest::newRow("unknown option") << QStringList{"--fly"} << 2 << "unknown option 'fly'"
                                    << "未知的选项“fly”";
    QTest::newRow("stray argument") << QStringList{"stray"} << 2
                                    << "unexpected argument 'stray'" << "多余的参数“stray”";
    QTest::newRow("value missing") << QStringList{"--minutes"} << 2
                                   << "missing value after '--minutes'"
                                   << "选项“--minutes”缺少值";
    QTest::newRow("no minutes") << QStringList{"--minutes", "0"} << 2
                                << "--minutes takes a number of minutes from 1 to 32768, "
                                   "not '0'"
                                << "--minutes 的值是 1 到 32768 之间的分钟数，而不是“0”";
    QTest::newRow("one minute too many") << QStringList{"--minutes", "32769"} << 2
                                         << "from 1 to 32768, not '32769'" << "而不是“32769”";
    QTest::newRow("minutes not a number") << QStringList{"--minutes", "abc"} << 2
                                          << "not 'abc'" << "而不是“abc”";
    QTest::newRow("no such corner") << QStringList{"--corner", "middle"} << 2
                                    << "--corner takes top-left, top-right, bottom-left or "
                                       "bottom-right, not 'middle'"
                                    << "bottom-right，而不是“middle”";
    QTest::newRow("screen 0") << QStringList{"--screen", "0"} << 2
                              << "--screen takes a screen number from 1, not '0'"
                              << "--screen 的值是从 1 起的屏幕编号，而不是“0”";
    QTest::newRow("scale too large") << QStringList{"--scale", "9"} << 2
                                     << "--scale takes a factor from 0.5 to 8, not '9'"
                                     << "--scale 的值是 0.5 到 8 之间的倍数，而不是“9”";
    QTest::newRow("scale not a number") << QStringList{"--scale", "big"} << 2 << "not 'big'"
                                        << "而不是“big”";
    QTest::newRow("negative warning") << QStringList{"--warn", "-1"} << 2
                                      << "--warn takes a number of minutes from 0 to 32768, "
                                         "not '-1'"
                                      << "--warn 的值是 0 到 32768 之间的分钟数，而不是“-1”";
    QTest::newRow("unknown command") << QStringList{"--command", "fly"} << 2
                                     << "--command takes start, pause, reset, settings, more, "
                                        "less or quit, not 'fly'"
                                     << "quit，而不是“fly”";
    QTest::newRow("until no time") << QStringList{"--until", "25:00"} << 2
                                   << "not '25:00'" << "而不是“25:00”";
    QTest::newRow("until and minutes") << QStringList{"--until", "16:30", "--minutes", "5"} << 2
                                       << "exclude each other" << "不能同时使用";
    QTest::newRow("remote port 0") << QStringList{"--remote", "0"} << 2
                                   << "--remote takes a port from 1 to 65535, not '0'"
                                   << "--remote 的值是 1 到 65535 之间的端口号，而不是“0”";
    QTest::newRow("remote address a name")
        << QStringList{"--remote", "7270", "--remote-address", "localhost"} << 2
        << "--remote-address takes an IP address such as 192.168.1.20, not 'localhost'"
        << "--remote-address 的值是一个 IP 地址，如 192.168.1.20，而不是“localhost”";
    QTest::newRow("install and remove")
        << QStringList{"--install-shortcuts", "--remove-shortcuts"} << 2 << "exclude each other"
        << "不能同时使用";
}

void TestCommandLine::refused()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);
    QFETCH(QString, chinese);

    const auto read = readCommandLine(QStringList{"moriv"} + arguments);
    QVERIFY(std::holds_alternative<CommandLineExit>(read));
    const CommandLineExit exit = std::get<CommandLineExit>(read);
    QCOMPARE(exit.status, status);
    // One language for the whole command line, after the system's locale.
    const bool inChinese = InterfaceLanguage::isChinese(QLocale::system());
    QVERIFY2(exit.text.contains(inChinese ? chinese : message), qPrintable(exit.text));
}

// --until's time of day: its next occurrence, within a day, at least a minute away.
void TestCommandLine::deadlines_data()
{
    QTest::addColumn<QString>("now"); // in UTC with a zone, else in local time
    QTest::addColumn<QString>("at");
    QTest::addColumn<int>("seconds"); // -1: refused
    QTest::addColumn<QByteArray>("zone");
    QTest::newRow("later today") << "16:00:00.400" << "16:30" << 1800 << QByteArray();
    QTest::newRow("past midnight") << "23:59:30" << "00:10" << 630 << QByteArray();
    QTest::newRow("a minute away") << "16:29:00" << "16:30" << 60 << QByteArray();
    QTest::newRow("under a minute") << "16:29:01" << "16:30" << -1 << QByteArray();
    QTest::newRow("just passed: tomorrow") << "16:30:20" << "16:30" << 86380 << QByteArray();
    // Berlin's clocks go back from 03:00 CEST to 02:00 CET on 25 October 2026 (01:00 UTC),
    // and forward from 02:00 CET to 03:00 CEST on 29 March 2026 (01:00 UTC).
    const QByteArray berlin = "Europe/Berlin";
    QTest::newRow("repeated hour: the first 02:30") // 01:50 CEST
        << "2026-10-24T23:50:00" << "02:30" << 2400 << berlin;
    QTest::newRow("repeated hour, inside it: the first") // 02:10 CEST
        << "2026-10-25T00:10:00" << "02:30" << 1200 << berlin;
    QTest::newRow("repeated hour, after the first: the second") // 02:40 CEST
        << "2026-10-25T00:40:00" << "02:30" << 3000 << berlin;
    QTest::newRow("missing hour: an hour after 01:30") // 01:20 CET
        << "2026-03-29T00:20:00" << "02:30" << 4200 << berlin;
}

void TestCommandLine::deadlines()
{
    QFETCH(QString, now);
    QFETCH(QString, at);
    QFETCH(int, seconds);
    QFETCH(QByteArray, zone);
    QDateTime from(QDate(2026, 12, 9), QTime::fromString(now, Qt::ISODateWithMs));
    if (!zone.isEmpty()) {
        if (!QTimeZone::isTimeZoneIdAvailable(zone))
            QSKIP("the system has no such time zone");
        from = QDateTime::fromString(now + u'Z', Qt::ISODate).toTimeZone(QTimeZone(zone));
    }
    const std::optional<qint64> deadline = deadlineOf(QTime::fromString(at), from);
    QCOMPARE(deadline.has_value(), seconds >= 0);
    if (deadline)
        QCOMPARE((*deadline - from.toMSecsSinceEpoch() + 999) / 1000, qint64(seconds));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
