// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"

#include "appicon.h"
#include "commandchannel.h"
#include "form1.h"
#include "globalshortcuts.h"
#include "interfacelanguage.h"
#include "minutestext.h"
#include "monotonicclock.h"
#include "qtmessageboxservice.h"
#include "windowservices.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFontDatabase>
#include <QLocale>
#include <QScreen>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <tuple>
#include <utility>
#include <variant>

namespace {

// Qt answers a missing display with abort() and advice to reinstall the program. While the
// application object is made, its messages are held back: a fatal one, which can only mean
// that no display could be opened, becomes one plain line and exit status 1; otherwise they
// are passed on once the display is there.
QList<std::tuple<QtMsgType, QString>> heldMessages;

void holdMessage(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtFatalMsg) {
        heldMessages.append({type, text});
        return;
    }
    std::fputs("moriv: no display could be opened; run moriv inside a desktop session, or set "
               "DISPLAY (for example DISPLAY=:0)\n",
               stderr);
    std::fflush(stderr);
    std::_Exit(1);
}

// What the command line asked for.
struct CommandLine
{
    Form1::RunOptions run;
    bool start = false;
    bool globalKeys = true;
    std::optional<Form1::Corner> corner;
    int screen = 0; // 1-based; 0: the primary screen
    QString command;  // for the timer already running; nothing else is done
};

int usageError(const QString &message)
{
    std::fprintf(stderr, "moriv: %s\nTry 'moriv --help' for more information.\n",
                 qPrintable(message));
    return 2;
}

// Reads the command line before any display is opened. Returns the exit status when the
// program should end at once (--help, --version, a command line it does not understand).
std::variant<CommandLine, int> readCommandLine(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A countdown timer that floats over presentation slides.\n"
                       "Keys on the timer: a start, s pause, d reset, f settings.\n"
                       "Anywhere on the desktop: Ctrl+Alt+A, Ctrl+Alt+S, Ctrl+Alt+D and "
                       "Ctrl+Alt+F do the same, and so do the commands sent with --command, "
                       "for desktop shortcuts."));
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
                       "reset or settings."),
        QStringLiteral("command"));
    parser.addOptions({minutes, start, corner, screen, scale, warn, noGlobalKeys, command});
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // The application object, which knows the program's name, does not exist yet.
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), QStringLiteral("moriv"));
        std::fputs(qPrintable(text), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("moriv %s\n", MORIV_VERSION);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("unexpected argument '%1'")
                              .arg(parser.positionalArguments().first()));

    CommandLine result;
    if (parser.isSet(command)) {
        result.command = parser.value(command);
        if (!CommandChannel::keyOf(result.command))
            return usageError(QStringLiteral("--command takes start, pause, reset or settings, "
                                             "not '%1'")
                                  .arg(result.command));
        return result;
    }
    if (parser.isSet(minutes)) {
        const QString text = parser.value(minutes);
        if (!MinutesText::toMinutesCounter(text))
            return usageError(QStringLiteral("--minutes takes a number of minutes from 1 to "
                                             "32768, not '%1'")
                                  .arg(text));
        result.run.minutes = text.trimmed();
    }
    result.start = parser.isSet(start);
    result.globalKeys = !parser.isSet(noGlobalKeys);
    if (parser.isSet(corner)) {
        const QStringList names = {QStringLiteral("top-left"), QStringLiteral("top-right"),
                                   QStringLiteral("bottom-left"),
                                   QStringLiteral("bottom-right")};
        const qsizetype index = names.indexOf(parser.value(corner));
        if (index < 0)
            return usageError(QStringLiteral("--corner takes top-left, top-right, bottom-left "
                                             "or bottom-right, not '%1'")
                                  .arg(parser.value(corner)));
        result.corner = static_cast<Form1::Corner>(index);
    }
    bool ok = true;
    if (parser.isSet(screen)) {
        result.screen = parser.value(screen).toInt(&ok);
        if (!ok || result.screen < 1)
            return usageError(QStringLiteral("--screen takes a screen number from 1, not '%1'")
                                  .arg(parser.value(screen)));
    }
    result.run.scale = parser.value(scale).toDouble(&ok);
    if (!ok || result.run.scale < 0.5 || result.run.scale > 8)
        return usageError(QStringLiteral("--scale takes a factor from 0.5 to 8, not '%1'")
                              .arg(parser.value(scale)));
    result.run.warnMinutes = parser.value(warn).toInt(&ok);
    if (!ok || result.run.warnMinutes < 0 || result.run.warnMinutes > 32768)
        return usageError(QStringLiteral("--warn takes a number of minutes from 0 to 32768, "
                                         "not '%1'")
                              .arg(parser.value(warn)));
    return result;
}

// moriv --command: no display is needed, only the running timer's socket.
int sendCommand(int &argc, char **argv, const QString &command)
{
    QCoreApplication app(argc, argv);
    switch (CommandChannel::send(Platform::commandSocketName(), command)) {
    case CommandChannel::Delivery::Delivered:
        return 0;
    case CommandChannel::Delivery::NoTimer:
        std::fputs("moriv: no timer is running\n", stderr);
        return 1;
    case CommandChannel::Delivery::Refused:
        break;
    }
    std::fputs("moriv: the running timer did not take the command\n", stderr);
    return 1;
}

} // namespace

int runApplication(int &argc, char **argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("moriv"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MORIV_VERSION));
    const std::variant<CommandLine, int> read = readCommandLine(argc, argv);
    if (const int *status = std::get_if<int>(&read))
        return *status;
    const CommandLine &options = std::get<CommandLine>(read);
    if (!options.command.isEmpty())
        return sendCommand(argc, argv, options.command);

    Platform::prepareEnvironment();
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    for (const auto &[type, text] : std::exchange(heldMessages, {}))
        qt_message_output(type, QMessageLogContext(), text);
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (options.screen > screens.size())
        return usageError(QStringLiteral("there is no screen %1; this desktop has %2")
                              .arg(options.screen)
                              .arg(screens.size()));
    const QString title = QStringLiteral("Moriv");
    QApplication::setApplicationName(title);
    QApplication::setWindowIcon(AppIcon::create());

    InterfaceLanguage::install(QLocale::system());
    // A folder that ships the digits' face with the program (the Windows zip) is used first.
    const QDir fonts(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    for (const QString &font : fonts.entryList({QStringLiteral("*.ttf")}, QDir::Files))
        QFontDatabase::addApplicationFont(fonts.filePath(font));

    SteadyClock clock;
    QtMessageBoxService messages(title);
    const std::unique_ptr<WindowServices> windows = Platform::createWindowServices();
    Form1 form({messages, *windows, clock, SettingsFile(Platform::settingsDirectory())});
    QObject::connect(&form, &Form1::finished, &app, [] { QCoreApplication::exit(0); });

    std::unique_ptr<GlobalShortcuts> shortcuts;
    if (options.globalKeys) {
        shortcuts = Platform::createGlobalShortcuts();
        for (const QString &taken : shortcuts->grab(QStringLiteral("asdf")))
            std::fprintf(stderr,
                         "moriv: %s could not be had (another program holds it, or the "
                         "desktop has no such shortcuts); the timer's own keys still work. "
                         "--no-global-keys turns the shortcuts off.\n",
                         qPrintable(taken));
        QObject::connect(shortcuts.get(), &GlobalShortcuts::activated, &form,
                         &Form1::globalCommand);
    }

    CommandServer commands;
    QString refusal;
    if (!commands.listen(Platform::commandSocketName(), &refusal))
        std::fprintf(stderr, "moriv: moriv --command cannot reach this timer: %s\n",
                     qPrintable(refusal));
    QObject::connect(&commands, &CommandServer::command, &form, &Form1::globalCommand);

    form.setRunOptions(options.run);
    form.Form_Load();
    form.placeOnScreen(options.screen > 0 ? screens.at(options.screen - 1) : nullptr,
                       options.corner);
    // The slide show keeps the keyboard: a click on the digits gives it to the timer.
    form.show();
    if (options.start)
        form.Comstart_Click();
    return QApplication::exec();
}
