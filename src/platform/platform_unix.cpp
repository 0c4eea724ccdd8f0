// SPDX-License-Identifier: GPL-3.0-or-later
// Window services for X11 (Linux and the other Unix desktops).
#include "keymask.h"
#include "windowservices.h"

#include <QDir>
#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>

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
        applyKey(window);
    }

    void refreshKeyOut(QWidget *window) override
    {
        if (window->property(keyedProperty).toBool())
            applyKey(window);
    }

    void reassertTopmost(QWidget *window) override
    {
        if (window->isVisible())
            window->raise();
    }

private:
    // A new shape makes the X server send an Expose for every pixel it uncovers, which wakes
    // the program a second and a third time each second while it counts. The pixels it
    // uncovers are new lit segments of a label whose text just changed, and that label is
    // repainted right after in any case; so the window stops listening for Expose while its
    // shape changes, and listens again at once.
    void applyKey(QWidget *window)
    {
        auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        if (!x11 || !window->testAttribute(Qt::WA_WState_Created)) {
            KeyMask::applyColourKey(window, m_labelRegions);
            return;
        }
        xcb_connection_t *connection = x11->connection();
        const auto id = static_cast<xcb_window_t>(window->winId());
        if (id != m_window) {
            const auto cookie = xcb_get_window_attributes(connection, id);
            xcb_get_window_attributes_reply_t *reply =
                xcb_get_window_attributes_reply(connection, cookie, nullptr);
            if (!reply) {
                KeyMask::applyColourKey(window, m_labelRegions);
                return;
            }
            m_window = id;
            m_eventMask = reply->your_event_mask;
            std::free(reply);
        }
        const uint32_t quiet = m_eventMask & ~uint32_t(XCB_EVENT_MASK_EXPOSURE);
        xcb_change_window_attributes(connection, id, XCB_CW_EVENT_MASK, &quiet);
        KeyMask::applyColourKey(window, m_labelRegions);
        xcb_change_window_attributes(connection, id, XCB_CW_EVENT_MASK, &m_eventMask);
    }

    KeyMask::LabelRegions m_labelRegions;
    xcb_window_t m_window = 0;
    uint32_t m_eventMask = 0;
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
    // The XDG base directory rules: a relative or empty XDG_CONFIG_HOME is invalid and is
    // ignored, rather than taken relative to whatever folder the program was started in.
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return QDir(base).filePath(QStringLiteral("MorivTemp"));
}

} // namespace Platform
