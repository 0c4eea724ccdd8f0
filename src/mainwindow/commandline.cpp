// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's grammar: every option, its values and what is wrong with a bad one.
#include "mainwindow/commandline.h"

#include "clock/minutestext.h"
#include "mainwindow/interfacelanguage.h"
#include "platform/command.h"

#include <QCommandLineParser>
#include <QHostAddress>
#include <QTimeZone>
#include <QDateTime>
#include <QRegularExpression>

namespace {

CommandLineExit refuse(const QString &message)
{
    return CommandLineExit{2, message};
}

QString own(const char *source)
{
    return InterfaceLanguage::commandLineText(source);
}

// The parser's own complaints, in the command line's language.
QString parseError(const QCommandLineParser &parser)
{
    if (!parser.unknownOptionNames().isEmpty())
        return own(QT_TRANSLATE_NOOP("CommandLine", "未知的选项“%1”"))
            .arg(parser.unknownOptionNames().first());
    static const QRegularExpression missing(QStringLiteral("^Missing value after '(.*)'\\.$"));
    static const QRegularExpression unexpected(
        QStringLiteral("^Unexpected value after '(.*)'\\.$"));
    if (const auto found = missing.match(parser.errorText()); found.hasMatch())
        return own(QT_TRANSLATE_NOOP("CommandLine", "选项“%1”缺少值")).arg(found.captured(1));
    if (const auto found = unexpected.match(parser.errorText()); found.hasMatch())
        return own(QT_TRANSLATE_NOOP("CommandLine", "选项“%1”不接受值")).arg(found.captured(1));
    return parser.errorText();
}

} // namespace

std::optional<qint64> deadlineOf(QTime at, const QDateTime &now)
{
    // On the wall clock of now's zone. A time the clocks skip in spring is read as the moment
    // an hour after the hour before it (02:30 as 03:30 when 02:00 becomes 03:00).
    const auto on = [&now, at](QDate day) {
        const QDateTime wall(day, at, now.timeZone());
        if (wall.isValid() && wall.time() == at)
            return wall;
        return QDateTime(day, at.addSecs(-3600), now.timeZone()).addSecs(3600);
    };
    // When the clocks go back an hour, its times come twice; Qt may give either.
    const auto sameWall = [at](const QDateTime &a, const QDateTime &b) {
        return a.time() == at && a.date() == b.date();
    };
    QDateTime deadline = on(now.date());
    if (const QDateTime second = deadline.addSecs(3600);
        deadline <= now && second > now && sameWall(second, deadline))
        deadline = second;
    if (deadline <= now)
        deadline = on(now.date().addDays(1));
    // The speaker means the next one on the wall: the first, unless it has gone by.
    const QDateTime first = deadline.addSecs(-3600);
    if (first > now && sameWall(first, deadline))
        deadline = first;
    if (now.msecsTo(deadline) < 60 * 1000)
        return std::nullopt;
    return deadline.toMSecsSinceEpoch();
}

std::variant<CommandLine, CommandLineExit> readCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A countdown timer that floats over presentation slides.\n"
                       "Keys on the timer: a start, s pause, d reset, f settings.\n"
                       "Anywhere on the desktop: Ctrl+Alt+A, Ctrl+Alt+S, Ctrl+Alt+D and "
                       "Ctrl+Alt+F do the same, Ctrl+Alt+PageUp and Ctrl+Alt+PageDown give a "
                       "minute more or less, and so do the commands sent with --command, for "
                       "desktop shortcuts. A right-click on the digits, the Menu key or the "
                       "tray icon opens the menu: every command, the choices below (kept for "
                       "the next start) and Quit."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption minutes(
        QStringLiteral("minutes"),
        QStringLiteral("Count N minutes (1 to 32768) this time; the settings file keeps its "
                       "own."),
        QStringLiteral("N"));
    const QCommandLineOption start(QStringLiteral("start"),
                                   QStringLiteral("Start counting at once."));
    const QCommandLineOption corner(
        QStringLiteral("corner"),
        QStringLiteral("Put the digits in a corner of the screen: top-left, top-right, "
                       "bottom-left or bottom-right."),
        QStringLiteral("corner"));
    const QCommandLineOption screen(QStringLiteral("screen"),
                                    QStringLiteral("Show the digits on screen N (from 1)."),
                                    QStringLiteral("N"));
    const QCommandLineOption scale(QStringLiteral("scale"),
                                   QStringLiteral("Draw the timer F times larger (0.5 to 8)."),
                                   QStringLiteral("F"), QStringLiteral("1"));
    const QCommandLineOption warn(
        QStringLiteral("warn"),
        QStringLiteral("Blink the colon when at most N minutes are left (0: never)."),
        QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption noGlobalKeys(
        QStringLiteral("no-global-keys"),
        QStringLiteral("Do not take the desktop-wide Ctrl+Alt shortcuts."));
    const QCommandLineOption command(
        QStringLiteral("command"),
        QStringLiteral("Send a command to the timer already running and end: start, pause, "
                       "reset, settings, more, less (a minute more or less) or quit."),
        QStringLiteral("command"));
    const QCommandLineOption installShortcuts(
        QStringLiteral("install-shortcuts"),
        QStringLiteral("Add Ctrl+Alt+A, S, D, F, PageUp and PageDown to the desktop's own "
                       "shortcuts where it keeps "
                       "them in GSettings (GNOME), or say how to bind them, and end."));
    const QCommandLineOption removeShortcuts(
        QStringLiteral("remove-shortcuts"),
        QStringLiteral("Remove the shortcuts --install-shortcuts added, and end."));
    const QCommandLineOption overtime(
        QStringLiteral("overtime"),
        QStringLiteral("At zero, go on counting the time over (shown with a minus sign) "
                       "instead of ending."));
    const QCommandLineOption until(
        QStringLiteral("until"),
        QStringLiteral("Count to HH:MM (24-hour) on the clock, its next occurrence within a day, "
                       "from whenever the count starts; not with --minutes."),
        QStringLiteral("HH:MM"));
    const QCommandLineOption startWithShow(
        QStringLiteral("start-with-show"),
        QStringLiteral("Wait, and start counting when a window on the timer's screen goes full "
                       "screen (the slide show starting)."));
    const QCommandLineOption phases(
        QStringLiteral("phases"),
        QStringLiteral("Colour phases: the digits blue while more than the warning minutes "
                       "(--warn) are left, yellow within them, red at zero, where they flash "
                       "for four seconds."));
    const QCommandLineOption sound(QStringLiteral("sound"),
                                   QStringLiteral("Play a short chime at zero."));
    const QCommandLineOption remote(
        QStringLiteral("remote"),
        QStringLiteral("Let a Stream Deck or show controller drive the timer over HTTP on this "
                       "port (1 to 65535) of the loopback, each request carrying the token kept "
                       "in the file remote-token beside the choices."),
        QStringLiteral("port"));
    const QCommandLineOption remoteAddress(
        QStringLiteral("remote-address"),
        QStringLiteral("Listen for the remote control on this address instead (an IP address "
                       "of this machine, 0.0.0.0 for all): other machines can then reach it."),
        QStringLiteral("address"));
    parser.addOptions({minutes, until, start, startWithShow, overtime, corner, screen, scale, warn,
                       phases, sound, remote, remoteAddress, noGlobalKeys, command,
                       installShortcuts, removeShortcuts});
    if (!parser.parse(arguments))
        return refuse(parseError(parser));
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // The usage line names the program as it is installed, not as this run was called
        // (no application object may exist yet to say it).
        QString text = parser.helpText();
        text.replace(QRegularExpression(QStringLiteral("^Usage: \\S+")),
                     QStringLiteral("Usage: moriv"));
        return CommandLineExit{0, text};
    }
    if (parser.isSet(version)) {
        return CommandLineExit{0, QStringLiteral("moriv " MORIV_VERSION "\n")};
    }
    if (!parser.positionalArguments().isEmpty())
        return refuse(own(QT_TRANSLATE_NOOP("CommandLine", "多余的参数“%1”"))
                          .arg(parser.positionalArguments().first()));

    CommandLine result;
    if (parser.isSet(installShortcuts) || parser.isSet(removeShortcuts)) {
        if (parser.isSet(installShortcuts) && parser.isSet(removeShortcuts))
            return refuse(own(QT_TRANSLATE_NOOP(
                "CommandLine", "--install-shortcuts 和 --remove-shortcuts 不能同时使用")));
        result.shortcuts = parser.isSet(installShortcuts) ? ShortcutsChange::Install
                                                          : ShortcutsChange::Remove;
        return result;
    }
    if (parser.isSet(command)) {
        result.command = parser.value(command);
        if (!Commands::named(result.command))
            return refuse(own(QT_TRANSLATE_NOOP("CommandLine",
                                                 "--command 的值是 start、pause、reset、"
                                                 "settings、more、less 或 quit，而不是“%1”"))
                              .arg(result.command));
        return result;
    }
    if (parser.isSet(minutes)) {
        const QString text = parser.value(minutes);
        if (!MinutesText::toMinutesCounter(text))
            return refuse(own(QT_TRANSLATE_NOOP("CommandLine",
                                                 "--minutes 的值是 1 到 %1 之间的分钟数，"
                                                 "而不是“%2”"))
                              .arg(MinutesText::maxMinutes)
                              .arg(text));
        result.run.minutes = text.trimmed();
    }
    if (parser.isSet(until)) {
        if (parser.isSet(minutes))
            return refuse(own(QT_TRANSLATE_NOOP("CommandLine",
                                                "--until 和 --minutes 不能同时使用")));
        static const QRegularExpression clock(
            QStringLiteral("^([01]?[0-9]|2[0-3]):([0-5][0-9])$"));
        const auto read = clock.match(parser.value(until));
        const QTime at(read.captured(1).toInt(), read.captured(2).toInt());
        const std::optional<qint64> deadline =
            read.hasMatch() ? deadlineOf(at, QDateTime::currentDateTime()) : std::nullopt;
        if (!deadline)
            return refuse(own(QT_TRANSLATE_NOOP("CommandLine",
                                                "--until 的值是至少一分钟之后的 24 小时制时间 "
                                                "HH:MM，而不是“%1”"))
                              .arg(parser.value(until)));
        result.run.until = deadline;
    }
    result.run.overtime = parser.isSet(overtime);
    result.phases = parser.isSet(phases);
    result.sound = parser.isSet(sound);
    result.startWithShow = parser.isSet(startWithShow);
    result.start = parser.isSet(start);
    result.globalKeys = !parser.isSet(noGlobalKeys);
    if (parser.isSet(corner)) {
        const QStringList names = {QStringLiteral("top-left"), QStringLiteral("top-right"),
                                   QStringLiteral("bottom-left"),
                                   QStringLiteral("bottom-right")};
        const qsizetype index = names.indexOf(parser.value(corner));
        if (index < 0)
            return refuse(own(QT_TRANSLATE_NOOP("CommandLine",
                                                 "--corner 的值是 top-left、top-right、"
                                                 "bottom-left 或 bottom-right，而不是“%1”"))
                              .arg(parser.value(corner)));
        result.corner = static_cast<Corner>(index);
    }
    bool ok = true;
    if (parser.isSet(remote)) {
        const uint port = parser.value(remote).toUInt(&ok);
        if (!ok || port < 1 || port > 65535)
            return refuse(own(QT_TRANSLATE_NOOP("CommandLine",
                                                 "--remote 的值是 1 到 65535 之间的端口号，"
                                                 "而不是“%1”"))
                              .arg(parser.value(remote)));
        result.remote = quint16(port);
    }
    if (parser.isSet(remoteAddress)) {
        if (QHostAddress(parser.value(remoteAddress)).isNull())
            return refuse(own(QT_TRANSLATE_NOOP("CommandLine",
                                                 "--remote-address 的值是一个 IP 地址，"
                                                 "如 192.168.1.20，而不是“%1”"))
                              .arg(parser.value(remoteAddress)));
        result.remoteAddress = parser.value(remoteAddress);
    }
    if (parser.isSet(screen)) {
        result.screen = parser.value(screen).toInt(&ok);
        if (!ok || result.screen < 1)
            return refuse(own(QT_TRANSLATE_NOOP("CommandLine",
                                                 "--screen 的值是从 1 起的屏幕编号，而不是“%1”"))
                              .arg(parser.value(screen)));
    }
    result.run.scale = parser.value(scale).toDouble(&ok);
    if (!ok || result.run.scale < 0.5 || result.run.scale > 8)
        return refuse(own(QT_TRANSLATE_NOOP("CommandLine",
                                             "--scale 的值是 0.5 到 8 之间的倍数，而不是“%1”"))
                          .arg(parser.value(scale)));
    result.run.warnMinutes = parser.value(warn).toInt(&ok);
    if (!ok || result.run.warnMinutes < 0 || result.run.warnMinutes > MinutesText::maxMinutes)
        return refuse(own(QT_TRANSLATE_NOOP("CommandLine",
                                             "--warn 的值是 0 到 %1 之间的分钟数，而不是“%2”"))
                          .arg(MinutesText::maxMinutes)
                          .arg(parser.value(warn)));
    result.given = {parser.isSet(overtime), parser.isSet(startWithShow), parser.isSet(warn),
                    parser.isSet(corner),   parser.isSet(scale),         parser.isSet(screen),
                    parser.isSet(phases),   parser.isSet(sound),         parser.isSet(remote)};
    return result;
}
