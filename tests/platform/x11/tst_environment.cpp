// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/platform.h"
#include "platform/x11/fullscreen.h"

#include <QDir>
#include <QTest>

// The environment the program prepares before Qt starts on a Unix desktop.
class TestEnvironment : public QObject
{
    Q_OBJECT

private slots:
    void platformPlugin_data();
    void platformPlugin();
    void sharedMemoryPaintingOffUnlessChosen();
    void settingsFolderFollowsXdgConfigHome_data();
    void settingsFolderFollowsXdgConfigHome();
    void whatCountsAsAShow_data();
    void whatCountsAsAShow();

private:
    void clear()
    {
        for (const char *name : {"QT_QPA_PLATFORM", "XDG_SESSION_TYPE", "WAYLAND_DISPLAY",
                                 "DISPLAY", "QT_XCB_NO_MITSHM"})
            qunsetenv(name);
    }
};

void TestEnvironment::platformPlugin_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("session");
    QTest::addColumn<QString>("wayland");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("expected");

    QTest::newRow("X11 session") << "" << "x11" << "" << ":0" << "";
    QTest::newRow("Wayland session with XWayland") << "" << "wayland" << "" << ":0" << "xcb";
    QTest::newRow("Wayland socket only") << "" << "" << "wayland-0" << ":1" << "xcb";
    QTest::newRow("Wayland without X") << "" << "wayland" << "wayland-0" << "" << "";
    QTest::newRow("the user's choice") << "wayland" << "wayland" << "wayland-0" << ":0"
                                       << "wayland";
}

void TestEnvironment::platformPlugin()
{
    QFETCH(QString, chosen);
    QFETCH(QString, session);
    QFETCH(QString, wayland);
    QFETCH(QString, display);
    QFETCH(QString, expected);
    clear();
    const QList<std::pair<const char *, QString>> values = {
        {"QT_QPA_PLATFORM", chosen}, {"XDG_SESSION_TYPE", session},
        {"WAYLAND_DISPLAY", wayland}, {"DISPLAY", display}};
    for (const auto &[name, value] : values) {
        if (!value.isEmpty())
            qputenv(name, value.toUtf8());
    }
    Platform::prepareEnvironment();
    QCOMPARE(qEnvironmentVariable("QT_QPA_PLATFORM"), expected);
}

void TestEnvironment::sharedMemoryPaintingOffUnlessChosen()
{
    clear();
    Platform::prepareEnvironment();
    QCOMPARE(qgetenv("QT_XCB_NO_MITSHM"), QByteArray("1"));
    qputenv("QT_XCB_NO_MITSHM", "0");
    Platform::prepareEnvironment();
    QCOMPARE(qgetenv("QT_XCB_NO_MITSHM"), QByteArray("0"));
}

void TestEnvironment::settingsFolderFollowsXdgConfigHome_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("expected");
    const QString home = QDir::homePath() + QStringLiteral("/.config/MorivTemp");
    QTest::newRow("absolute") << QByteArray("/tmp/moriv-config-test")
                              << QStringLiteral("/tmp/moriv-config-test/MorivTemp");
    QTest::newRow("relative is ignored") << QByteArray("config") << home;
    QTest::newRow("dot-relative is ignored") << QByteArray("./config") << home;
    QTest::newRow("empty is ignored") << QByteArray("") << home;
}

void TestEnvironment::settingsFolderFollowsXdgConfigHome()
{
    QFETCH(QByteArray, value);
    QFETCH(QString, expected);
    qputenv("XDG_CONFIG_HOME", value);
    QCOMPARE(Platform::settingsDirectory(), expected);
}

// A window that has the keyboard starts the count when it covers the timer's screen; two
// monitors side by side on one X screen, the timer on the right one.
void TestEnvironment::whatCountsAsAShow_data()
{
    QTest::addColumn<bool>("ours");
    QTest::addColumn<bool>("desktop");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<bool>("show");
    const QRect right(1920, 0, 1280, 1024);
    QTest::newRow("full screen on the timer's monitor") << false << false << right << true;
    QTest::newRow("larger than it") << false << false << QRect(1900, -20, 1400, 1100) << true;
    QTest::newRow("full screen on the other monitor")
        << false << false << QRect(0, 0, 1920, 1080) << false;
    QTest::newRow("a maximised window under a panel")
        << false << false << right.adjusted(0, 30, 0, 0) << false;
    QTest::newRow("the desktop's icons across both")
        << false << true << QRect(0, 0, 3200, 1080) << false;
    QTest::newRow("the timer's own dialog") << true << false << right << false;
}

void TestEnvironment::whatCountsAsAShow()
{
    QFETCH(bool, ours);
    QFETCH(bool, desktop);
    QFETCH(QRect, place);
    QFETCH(bool, show);
    QCOMPARE(FullScreen::isShow({ours, desktop, place}, QRect(1920, 0, 1280, 1024)), show);
}

QTEST_GUILESS_MAIN(TestEnvironment)
#include "tst_environment.moc"
