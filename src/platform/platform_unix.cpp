// Window services for X11 (Linux and the other Unix desktops).
#include "keymask.h"
#include "windowservices.h"

#include <QDir>
#include <QStandardPaths>
#include <QWidget>

namespace {

constexpr char keyedProperty[] = "morivColourKeyed";

class UnixWindowServices final : public WindowServices
{
public:
    void makeTopmost(QWidget *window) override
    {
        // "Keep above" alone loses against a focused full-screen window under several window
        // managers (they stack such a window above the "above" layer). A window that the
        // window manager does not manage is stacked by the X server alone, so it stays over
        // the slide show; it has no frame and no taskbar button, as this window wants anyway.
        window->setWindowFlags(window->windowFlags() | Qt::FramelessWindowHint
                               | Qt::WindowStaysOnTopHint | Qt::BypassWindowManagerHint);
    }

    void makeLayered(QWidget *) override
    {
        // X11 needs nothing here: the key is a shape mask on an ordinary window.
    }

    void keyOutBlack(QWidget *window) override
    {
        window->setProperty(keyedProperty, true);
        KeyMask::applyColourKey(window);
    }

    void refreshKeyOut(QWidget *window) override
    {
        if (window->property(keyedProperty).toBool())
            KeyMask::applyColourKey(window);
    }

    void reassertTopmost(QWidget *window) override
    {
        if (window->isVisible())
            window->raise();
    }
};

} // namespace

namespace Platform {

void prepareEnvironment()
{
    // The window is a few thousand pixels. Shared-memory painting makes the X server answer
    // every repaint, which wakes the program twice a second more while it counts; plain
    // requests cost nothing at this size.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");

    // Wayland does not let a program keep its window above the others; XWayland does.
    // A platform the user chose explicitly is left alone, and so is a session without X.
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || !qEnvironmentVariableIsSet("DISPLAY"))
        return;
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland")
        || qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

std::unique_ptr<WindowServices> createWindowServices()
{
    return std::make_unique<UnixWindowServices>();
}

QString settingsDirectory()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(base).filePath(QStringLiteral("MorivTemp"));
}

} // namespace Platform
