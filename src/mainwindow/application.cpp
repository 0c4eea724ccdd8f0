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

int runApplication(int &argc, char **argv)
{
    Platform::prepareEnvironment();
    QApplication app(argc, argv);
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
