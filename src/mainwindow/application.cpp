#include "application.h"

#include "appicon.h"
#include "form1.h"
#include "monotonicclock.h"
#include "qtmessageboxservice.h"
#include "windowservices.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
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

} // namespace

int runApplication(int &argc, char **argv)
{
    Platform::prepareEnvironment();
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    for (const auto &[type, text] : std::exchange(heldMessages, {}))
        qt_message_output(type, QMessageLogContext(), text);
    const QString title = QStringLiteral("Moriv");
    QApplication::setApplicationName(title);
    QApplication::setWindowIcon(AppIcon::create());

    // The program speaks Chinese, so the standard buttons should read 确定, 是 and 否; Qt's
    // own English texts remain when the translations are not installed.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

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
