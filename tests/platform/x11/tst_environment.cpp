// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files.h"
#include "platform/process.h"
#include "platform/x11/fullscreen.h"

#include <QDir>
#include <QTest>

Q_DECLARE_METATYPE(FullScreen::Candidate)

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

// The window with the keyboard starts the count when it covers the timer's screen, the right one
// of two monitors side by side.
void TestEnvironment::whatCountsAsAShow_data()
{
    QTest::addColumn<FullScreen::Candidate>("window");
    QTest::addColumn<bool>("show");
    using Window = FullScreen::Candidate;
    const QRect right(1920, 0, 1280, 1024);
    QTest::newRow("on the timer's monitor") << Window{false, false, right} << true;
    QTest::newRow("on the other monitor") << Window{false, false, {0, 0, 1920, 1080}} << false;
    QTest::newRow("under a panel") << Window{false, false, right.adjusted(0, 9, 0, 0)} << false;
    QTest::newRow("the desktop's icons") << Window{false, true, {0, 0, 3200, 1080}} << false;
    QTest::newRow("the timer's own dialog") << Window{true, false, right} << false;
}

void TestEnvironment::whatCountsAsAShow()
{
    QFETCH(FullScreen::Candidate, window);
    QTEST(FullScreen::isShow(window, QRect(1920, 0, 1280, 1024)), "show");
}

QTEST_GUILESS_MAIN(TestEnvironment)
#include "tst_environment.moc"
