// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop session decides how the timer floats over the slides: an X11 window (X11, and
// XWayland where the compositor has no overlay layer), or a native Wayland window on the
// overlay layer; on a Wayland session the desktop's portal takes the Ctrl+Alt shortcuts.
#include "platform/freedesktop/portalshortcuts.h"
#include "platform/globalshortcuts.h"
#include "platform/process.h"
#include "platform/windowservices.h"
#include "platform/x11/x11.h"
#ifdef MORIV_LAYER_SHELL
#include "platform/wayland/overlay.h"
#endif

#include <QGuiApplication>

namespace {

bool isWaylandSession()
{
    return qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland")
           || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

bool isNativeWayland()
{
    return QGuiApplication::platformName() == QLatin1String("wayland");
}

// A native Wayland window has no X key grabs: the portal alone reports what it bound.
class NoShortcuts final : public GlobalShortcuts
{
public:
    QStringList grab(const QList<Command> &) override { return {}; }
};

} // namespace

namespace Platform {

void prepareEnvironment()
{
    X11::prepareEnvironment();
    // A plain Wayland window cannot stay above the others. The overlay layer can, where the
    // compositor offers it; elsewhere XWayland's window does. A platform the user chose is
    // left alone, and so is a session with neither.
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || !isWaylandSession())
        return;
#ifdef MORIV_LAYER_SHELL
    if (WaylandOverlay::isOffered()) {
        qputenv("QT_QPA_PLATFORM", "wayland");
        return;
    }
#endif
    if (qEnvironmentVariableIsSet("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

std::unique_ptr<WindowServices> createWindowServices()
{
#ifdef MORIV_LAYER_SHELL
    if (isNativeWayland())
        return WaylandOverlay::createWindowServices();
#endif
    return X11::createWindowServices();
}

std::unique_ptr<GlobalShortcuts> createGlobalShortcuts()
{
    if (!isWaylandSession())
        return X11::createGlobalShortcuts();
    // Under XWayland the X key grabs reach the timer only while an X window has the
    // keyboard: they serve until the portal has bound the shortcuts, and where it does not.
    // On the overlay layer the timer is no X window at all, and nothing grabs.
    if (isNativeWayland())
        return PortalShortcuts::create(
            std::make_unique<NoShortcuts>(),
            QStringLiteral("on the overlay layer no Ctrl+Alt reaches the timer"));
    return PortalShortcuts::create(
        X11::createGlobalShortcuts(),
        QStringLiteral("Ctrl+Alt reaches the timer only while an X window has the keyboard"));
}

} // namespace Platform
