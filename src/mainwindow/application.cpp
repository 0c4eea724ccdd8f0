// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/application.h"

#include "forms/monotonicclock.h"
#include "forms/qtmessageboxservice.h"
#include "mainwindow/appicon.h"
#include "mainwindow/commandchannel.h"
#include "mainwindow/commandline.h"
#include "mainwindow/form1.h"
#include "mainwindow/interfacelanguage.h"
#include "mainwindow/remotebridge.h"
#include "mainwindow/timeractions.h"
#include "mainwindow/timermenu.h"
#include "mainwindow/trayicon.h"
#include "mainwindow/windowplacement.h"
#include "platform/chime.h"
#include "platform/diagnostics.h"
#include "platform/files.h"
#include "platform/globalshortcuts.h"
#include "platform/process.h"
#include "platform/windowservices.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLocale>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <tuple>
#include <utility>
#include <variant>

namespace {

// Qt answers a missing display with abort() and advice to reinstall the program. While the
// application object is made, its messages are held back: a fatal one, which can only mean
// that no display could be opened, becomes one plain line and exit status 1, after the
// messages that say why (the server refused us, a library is missing); otherwise they are
// passed on once the display is there.
QList<std::tuple<QtMsgType, QString, bool>> heldMessages;

// Qt's plugin loader adds general advice to any failure of the xcb plugin (since Qt 6.5:
// install xcb-cursor, the plugin "could not be loaded even though it was found"). It names
// the cause only when nothing else does.
bool isPluginAdvice(const QMessageLogContext &context)
{
    return context.category && qstrcmp(context.category, "qt.qpa.plugin") == 0;
}

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtFatalMsg) {
        heldMessages.append({type, text, isPluginAdvice(context)});
        return;
    }
    const bool causeNamed = std::any_of(heldMessages.cbegin(), heldMessages.cend(),
                                        [](const auto &held) { return !std::get<2>(held); });
    for (const auto &[held, heldText, advice] : std::as_const(heldMessages))
        if (!advice || !causeNamed)
            std::fprintf(stderr, "%s\n", qPrintable(heldText));
    std::fputs("moriv: no display could be opened; run moriv inside a desktop session, or set "
               "DISPLAY (for example DISPLAY=:0)\n",
               stderr);
    std::fflush(stderr);
    std::_Exit(1);
}

std::optional<Corner> cornerOf(Choices::Place place)
{
    if (place == Choices::Place::AsDesigned)
        return std::nullopt;
    return Corner(int(place) - 1);
}

// The stored choices under what the command line chose for this run.
Choices runChoices(Choices stored, const CommandLine &options)
{
    const CommandLine::Given &given = options.given;
    if (given.overtime)
        stored.overtime = options.run.overtime;
    if (given.startWithShow)
        stored.startWithShow = options.startWithShow;
    if (given.warn)
        stored.warnMinutes = options.run.warnMinutes;
    if (given.place)
        stored.place = options.corner ? Choices::Place(int(*options.corner) + 1)
                                      : Choices::Place::AsDesigned;
    if (given.size)
        stored.sizePercent = qRound(options.run.scale * 100);
    if (given.screen)
        stored.screen = options.screen;
    if (given.phases)
        stored.phases = options.phases;
    if (given.sound)
        stored.sound = options.sound;
    if (given.remote) {
        stored.remote = true;
        stored.remotePort = *options.remote;
    }
    return stored;
}

int usageError(const QString &message)
{
    std::fprintf(stderr, "moriv: %s\n%s\n", qPrintable(message),
                 qPrintable(InterfaceLanguage::commandLineText(
                     QT_TRANSLATE_NOOP("CommandLine", "运行 moriv --help 可以看到所有选项。"))));
    return 2;
}

// One line of the command line's own on the error output, then its exit status.
int say(const char *text, int status)
{
    std::fprintf(stderr, "moriv: %s\n", qPrintable(InterfaceLanguage::commandLineText(text)));
    return status;
}

// moriv --command: no display is needed, only the running timer's socket.
int sendCommand(int &argc, char **argv, const QString &command)
{
    QCoreApplication app(argc, argv);
    qint64 timer = 0;
    switch (CommandChannel::send(Platform::commandSocketName(), command, &timer)) {
    case CommandChannel::Delivery::Delivered:
        return 0;
    case CommandChannel::Delivery::Busy:
        return say(QT_TRANSLATE_NOOP("CommandLine", "计时器正在等待对其问题的回答，什么也没有做"),
                   3);
    case CommandChannel::Delivery::NoTimer:
        return say(QT_TRANSLATE_NOOP("CommandLine", "没有正在运行的计时器"), 1);
    case CommandChannel::Delivery::Refused:
        break;
    case CommandChannel::Delivery::NoAnswer:
    {
        // Taken or not, nobody can say: it may still act once it runs again.
        const char *text =
            QT_TRANSLATE_NOOP("CommandLine", "最新的计时器（进程 %1）没有回答；它可能以后仍会执行这个命令");
        std::fprintf(stderr, "moriv: %s\n",
                     qPrintable(InterfaceLanguage::commandLineText(text).arg(timer)));
        return 1;
    }
    }
    return say(QT_TRANSLATE_NOOP("CommandLine", "正在运行的计时器没有接受这个命令"), 1);
}

} // namespace

int runApplication(int &argc, char **argv)
{
    Platform::attachParentConsole();
    QCoreApplication::setApplicationName(QStringLiteral("moriv"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MORIV_VERSION));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const std::variant<CommandLine, CommandLineExit> read = readCommandLine(arguments);
    if (const CommandLineExit *exit = std::get_if<CommandLineExit>(&read)) {
        if (exit->status == 0)
            std::fputs(qPrintable(exit->text), stdout);
        else
            usageError(exit->text);
        return exit->status;
    }
    CommandLine options = std::get<CommandLine>(read);
    if (!options.command.isEmpty())
        return sendCommand(argc, argv, options.command);
    if (options.shortcuts != ShortcutsChange::None) {
        QCoreApplication app(argc, argv);
        InterfaceLanguage::install(QLocale::system());
        const Outcome changed = Platform::changeDesktopShortcuts(
            QCoreApplication::applicationFilePath(), options.shortcuts == ShortcutsChange::Install);
        if (!changed)
            std::fprintf(stderr, "moriv: %s\n", qPrintable(changed.reason));
        return changed ? 0 : 1;
    }

    Platform::prepareEnvironment();
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    for (const auto &[type, text, advice] : std::exchange(heldMessages, {}))
        qt_message_output(type, QMessageLogContext(), text);
    Platform::endOnTerminationSignals();
    const QList<QScreen *> screens = QGuiApplication::screens();
    PreferencesFile preferences(Platform::preferencesPath());
    Outcome unreadable;
    const Choices stored = preferences.read(&unreadable);
    if (!unreadable)
        qCWarning(lcMoriv, "the choices in %s cannot be read (%s); the defaults hold, and the "
                           "file is replaced when a choice is made in the menu",
                  qPrintable(unreadable.path), qPrintable(unreadable.reason));
    const Choices chosen = runChoices(stored, options);
    options.run.overtime = chosen.overtime;
    options.startWithShow = chosen.startWithShow;
    options.run.warnMinutes = chosen.warnMinutes;
    options.corner = cornerOf(chosen.place);
    options.run.scale = chosen.sizePercent / 100.0;
    // A stored screen that is gone is the primary one; one asked for is checked below.
    options.screen = chosen.screen <= screens.size() || options.given.screen ? chosen.screen : 0;
    if (options.screen > screens.size())
        return usageError(InterfaceLanguage::commandLineText(
                              QT_TRANSLATE_NOOP("CommandLine", "没有第 %1 个屏幕；这个桌面有 %2 个"))
                              .arg(options.screen)
                              .arg(screens.size()));
    const QString title = QStringLiteral("Moriv");
    QApplication::setApplicationName(title);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.moriv.Moriv"));
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
    TimerActions &actions = form.actions();

    std::unique_ptr<GlobalShortcuts> shortcuts;
    if (options.globalKeys) {
        shortcuts = Platform::createGlobalShortcuts();
        const QStringList taken =
            shortcuts->grab({Commands::shortcuts.begin(), Commands::shortcuts.end()});
        if (!taken.isEmpty())
            qCWarning(lcMoriv,
                      "%s could not be had (another program holds them, or the desktop has no "
                      "such shortcuts); the timer's own keys and its menu still work. "
                      "--no-global-keys turns the shortcuts off.",
                      qPrintable(taken.join(QStringLiteral(", "))));
        // The menu names the shortcuts the timer holds.
        QList<Command> held;
        for (Command command : Commands::shortcuts)
            if (!taken.contains(GlobalShortcuts::name(command)))
                held.append(command);
        actions.showKeys(held);
        QObject::connect(shortcuts.get(), &GlobalShortcuts::activated, &actions,
                         [&actions](Command command) { actions.fromElsewhere(command); });
    }

    CommandServer commands;
    if (const Outcome listening = commands.listen(Platform::commandSocketName()); !listening)
        qCWarning(lcMoriv, "moriv --command cannot reach this timer: %s",
                  qPrintable(listening.reason));
    commands.setHandler([&actions](Command command, std::function<void(bool)> answered) {
        actions.fromElsewhere(command, answered);
    });

    form.setRunOptions(options.run);
    form.Form_Load();
    form.setPhases(chosen.phases);
    // The chime's library is loaded once the chime is first on, and stays for the run.
    std::unique_ptr<Chime> chime;
    bool sound = chosen.sound;
    if (sound)
        chime = Platform::createChime();
    QObject::connect(&form.session(), &CountdownSession::reachedZero, &form, [&] {
        if (chime && sound)
            chime->play();
    });
    const auto place = [&form](const Choices &choices) {
        const std::optional<Corner> corner = cornerOf(choices.place);
        const QList<QScreen *> now = QGuiApplication::screens();
        form.setGrowsLeftward(corner == Corner::TopRight || corner == Corner::BottomRight);
        placeWindow(form,
                    choices.screen > 0 && choices.screen <= now.size()
                        ? now.at(choices.screen - 1)
                        : nullptr,
                    corner);
    };
    place(chosen);

    TimerMenu menu(actions, *windows, preferences, stored, chosen, int(screens.size()));
    QObject::connect(&form, &Form1::menuRequested, &menu,
                     [&form, &menu](const QPoint &at) { menu.popup(at, form.frameGeometry()); });
    // The slide show keeps the keyboard: a click on the digits gives it to the timer.
    form.show();
    // The tray icon takes a few round trips to the desktop's panel: it follows once the
    // digits are on screen.
    std::unique_ptr<TrayIcon> tray;
    QTimer::singleShot(0, &form, [&] {
        tray = std::make_unique<TrayIcon>(menu, actions, form.session());
    });
    if (options.start)
        actions.trigger(Command::Start);
    // The count starts by itself, once, when a slide show goes full screen on its screen.
    QTimer showWatch;
    QObject::connect(&showWatch, &QTimer::timeout, &form, [&] {
        // A deadline's time left follows the wall clock while the timer waits.
        form.session().followWallClock();
        // One question at a time: while the question or the settings dialog is open a
        // show starts nothing; once they close, a show still full screen does.
        if (actions.isWaitingForAnswer() || !windows->isShowFullScreen(&form))
            return;
        showWatch.stop();
        actions.trigger(Command::Start);
    });
    if (options.startWithShow)
        showWatch.start(250);

    // The remote control: its library is loaded only once it is on.
    RemoteBridge remote(actions, form.session());
    const QHostAddress remoteAddress(
        options.remoteAddress.value_or(QStringLiteral("127.0.0.1")));
    const QString tokenPath = QFileInfo(Platform::preferencesPath())
                                  .dir()
                                  .filePath(QStringLiteral("remote-token"));
    const auto turnRemote = [&](const Choices &choices, bool fromMenu) {
        if (!choices.remote) {
            remote.stop();
            return;
        }
        if (remote.isOn() && remote.port() == choices.remotePort)
            return;
        const Outcome started =
            remote.start(remoteAddress, quint16(choices.remotePort), tokenPath);
        if (started)
            return;
        const QString where =
            started.path.isEmpty() ? QString() : started.path + QLatin1String(": ");
        qCWarning(lcMoriv, "the remote control cannot be started: %s%s", qPrintable(where),
                  qPrintable(started.reason));
        if (fromMenu)
            messages.information(QCoreApplication::translate("TimerMenu", "遥控无法启动：%1")
                                     .arg(where + started.reason));
    };
    turnRemote(chosen, false);
    QObject::connect(&menu, &TimerMenu::copyRemoteAddress, &form, [&remote] {
        if (remote.isOn())
            QGuiApplication::clipboard()->setText(remote.address());
    });

    // A choice made in the menu holds from now on.
    QObject::connect(&menu, &TimerMenu::choicesChanged, &form, [&](const Choices &choices) {
        CountdownSession &session = form.session();
        session.setOvertime(choices.overtime);
        session.setWarnMinutes(choices.warnMinutes);
        const bool waiting = session.clockState() == CountdownClock::State::Ready;
        if (choices.startWithShow && waiting && !showWatch.isActive())
            showWatch.start(250);
        else if (!choices.startWithShow)
            showWatch.stop();
        form.setScale(choices.sizePercent / 100.0);
        form.setPhases(choices.phases);
        sound = choices.sound;
        if (sound && !chime)
            chime = Platform::createChime();
        turnRemote(choices, true);
        place(choices);
    });
    return QApplication::exec();
}
