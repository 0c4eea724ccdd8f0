// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"

#include "appicon.h"
#include "form1.h"
#include "interfacelanguage.h"
#include "monotonicclock.h"
#include "qtmessageboxservice.h"
#include "windowservices.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <tuple>
#include <utility>

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

// --help and --version, read before any display is opened. Returns the exit status when
// the program should end at once.
std::optional<int> handleCommandLine(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A countdown timer that floats over presentation slides.\n"
                       "Keys on the timer: a start, s pause, d reset, f settings."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "moriv: %s\nTry 'moriv --help' for more information.\n",
                     qPrintable(parser.errorText()));
        return 2;
    }
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
    return std::nullopt;
}

} // namespace

int runApplication(int &argc, char **argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("moriv"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MORIV_VERSION));
    if (const std::optional<int> status = handleCommandLine(argc, argv))
        return *status;

    Platform::prepareEnvironment();
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    for (const auto &[type, text] : std::exchange(heldMessages, {}))
        qt_message_output(type, QMessageLogContext(), text);
    const QString title = QStringLiteral("Moriv");
    QApplication::setApplicationName(title);
    QApplication::setWindowIcon(AppIcon::create());

    InterfaceLanguage::install(QLocale::system());

    SteadyClock clock;
    QtMessageBoxService messages(title);
    const std::unique_ptr<WindowServices> windows = Platform::createWindowServices();
    Form1 form({messages, *windows, clock, SettingsFile(Platform::settingsDirectory())});
    QObject::connect(&form, &Form1::finished, &app, [] { QCoreApplication::exit(0); });

    form.Form_Load();
    form.placeOnScreen();
    form.show();
    form.activateWindow();
    return QApplication::exec();
}
