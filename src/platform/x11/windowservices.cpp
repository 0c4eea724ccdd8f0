// SPDX-License-Identifier: GPL-3.0-or-later
// Window services for X11 (Linux and the other Unix desktops).
#include "platform/keymask.h"
#include "platform/process.h"
#include "platform/windowservices.h"
#include "platform/x11/connection.h"
#include "platform/x11/firstexposure.h"
#include "platform/x11/fullscreen.h"
#include "platform/x11/inputcells.h"
#include "platform/x11/shapedkey.h"
#include "platform/x11/windowtype.h"
#include "platform/x11/x11.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

// The root of the X screen the window is on; with several X screens each has its own.
xcb_window_t rootOf(xcb_connection_t *connection, xcb_window_t window)
{
    xcb_get_geometry_reply_t *reply =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    const xcb_window_t root =
        reply ? reply->root : xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    std::free(reply);
    return root;
}

class X11WindowServices final : public WindowServices, public QAbstractNativeEventFilter
{
public:
    X11WindowServices()
    {
        m_raise.setSingleShot(true);
        QObject::connect(&m_raise, &QTimer::timeout, [this] {
            m_sinceRaise.start();
            if (m_topmost)
                keepOnTop(m_topmost);
            keepOwnWindowsOverShow();
        });
    }

    ~X11WindowServices() override
    {
        if (m_watching)
            qApp->removeNativeEventFilter(this);
    }

    void makeOverlay(QWidget *window) override
    {
        // A translucent window's visual is chosen when its native window is made, before the
        // flags make it; the key needs the native window.
        makeLayered(window);
        makeTopmost(window);
        keyOutBlack(window);
    }

    void digitsChanged(QWidget *window) override
    {
        if (m_keyed.contains(window))
            applyKey(window);
    }

    void keepOnTop(QWidget *window) override
    {
        if (!window->isVisible() || !coveredByManagedWindow(window))
            return;
        window->raise();
        if (m_inputCells && window == m_topmost)
            m_inputCells->restack();
        // An open menu stays above the strip: nothing of the digits over its entries.
        for (QWidget *own : QApplication::topLevelWidgets())
            if (own->isVisible() && own->windowType() == Qt::Popup)
                own->raise();
    }

    // Takes a _NET_WM_STATE off a mapped window, through the window manager.
    static void dropState(xcb_connection_t *connection, xcb_window_t window,
                          const QByteArray &state)
    {
        xcb_client_message_event_t message = {};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = internAtom(connection, "_NET_WM_STATE");
        message.data.data32[0] = 0; // remove
        message.data.data32[1] = internAtom(connection, state);
        message.data.data32[3] = 2; // from a pager-like tool
        xcb_send_event(connection, 0, rootOf(connection, window),
                       XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char *>(&message));
    }

    // Whether a window the window manager manages is stacked above the timer. Only those are
    // to go under it again: the windows above it that nobody manages are menus and tooltips,
    // a panel's menu among them, which the timer must not cover.
    bool coveredByManagedWindow(QWidget *window)
    {
        xcb_connection_t *connection = x11Connection();
        if (!connection || !window->testAttribute(Qt::WA_WState_Created))
            return true;
        const auto id = xcb_window_t(window->winId());
        xcb_query_tree_reply_t *tree = xcb_query_tree_reply(
            connection, xcb_query_tree(connection, rootOf(connection, id)), nullptr);
        if (!tree)
            return true;
        const xcb_window_t *children = xcb_query_tree_children(tree);
        const int count = xcb_query_tree_children_length(tree);
        // Bottom to top: the windows after the timer's are above it.
        QList<xcb_get_window_attributes_cookie_t> above;
        bool found = false;
        for (int i = 0; i < count; ++i) {
            if (found)
                above.append(xcb_get_window_attributes(connection, children[i]));
            found = found || children[i] == id;
        }
        std::free(tree);
        bool covered = !found;
        for (const auto cookie : std::as_const(above)) {
            xcb_get_window_attributes_reply_t *attributes =
                xcb_get_window_attributes_reply(connection, cookie, nullptr);
            if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE
                && !attributes->override_redirect)
                covered = true;
            std::free(attributes);
        }
        return covered;
    }

    // A full-screen slide show that starts while the settings dialog, the question or a
    // message is open would bury it: the window manager stacks a focused full-screen window
    // above every other, "keep above" ones included, but never above a window that is its
    // own transient. So they become the show's, and rise above it; the keyboard stays with
    // the show until the speaker clicks one.
    void keepOwnWindowsOverShow()
    {
        xcb_connection_t *connection = x11Connection();
        if (!connection || !m_topmost)
            return;
        QList<QWidget *> open;
        for (QWidget *own : QApplication::topLevelWidgets())
            if (own->isVisible() && own != m_topmost && own->windowType() != Qt::Popup
                && own->windowType() != Qt::ToolTip && own->testAttribute(Qt::WA_WState_Created))
                open.append(own);
        // A window that closed is forgotten: its id may come back for another.
        for (auto it = m_ownedBy.begin(); it != m_ownedBy.end();)
            it = std::any_of(open.cbegin(), open.cend(),
                             [&it](QWidget *own) { return own->winId() == it.key(); })
                     ? std::next(it)
                     : m_ownedBy.erase(it);
        if (open.isEmpty())
            return;
        const quintptr show = focusedWindow();
        if (show <= XCB_INPUT_FOCUS_POINTER_ROOT || isOwnWindow(show)
            || !FullScreen::isShowOn(connection, m_topmost))
            return;
        const auto owner = uint32_t(show);
        bool raised = false;
        for (QWidget *own : std::as_const(open)) {
            // Once for each window and show: the window manager keeps it above from then on,
            // and raising it again would restack the show's frame, which comes back here.
            if (std::exchange(m_ownedBy[own->winId()], show) == show)
                continue;
            raised = true;
            const auto id = xcb_window_t(own->winId());
            xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id,
                                XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 32, 1, &owner);
            // Modal it is to the timer alone: a window manager gives a modal transient the
            // keyboard whenever its owner is activated, and the show's keys are the show's.
            dropState(connection, id, "_NET_WM_STATE_MODAL");
            own->raise();
        }
        if (!raised)
            return;
        xcb_flush(connection);
        keepOnTop(m_topmost);
    }

    void makeTopmost(QWidget *window)
    {
        // "Keep above" alone loses against a focused full-screen window under several window
        // managers (they stack such a window above the "above" layer). A window that the
        // window manager does not manage is stacked by the X server alone, so it stays over
        // the slide show; it has no frame and no taskbar button, as this window wants anyway.
        window->setWindowFlags(window->windowFlags() | Qt::FramelessWindowHint
                               | Qt::WindowStaysOnTopHint | Qt::BypassWindowManagerHint);
        WindowType::markAsNotification(window);
        m_topmost = window;
        watchStacking();
    }

    void makeLayered(QWidget *window)
    {
        // The key is a shape mask, which plain X11 honours. Compositors that ignore it
        // (wlroots' XWayland) or never repaint what is under a shaped window (KWin) show the
        // window's own pixels instead, so those are fully transparent around the digits: a
        // 32-bit visual that draws no background.
        drawTranslucent(window);
    }

    void keyOutBlack(QWidget *window)
    {
        if (!m_keyed.contains(window))
            m_keyed.append(window);
        applyKey(window);
        if (window->testAttribute(Qt::WA_TranslucentBackground)) {
            window->winId();
            window->windowHandle()->installEventFilter(
                new FirstExposure(window, [this, window] { paintWhole(window); }));
        }
    }

    quintptr focusedWindow() override
    {
        xcb_connection_t *connection = x11Connection();
        if (!connection)
            return 0;
        xcb_get_input_focus_reply_t *reply =
            xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr);
        const quintptr focus = reply ? reply->focus : 0;
        std::free(reply);
        return focus;
    }

    bool isShowFullScreen(QWidget *window) override
    {
        xcb_connection_t *connection = x11Connection();
        return connection && FullScreen::isShowOn(connection, window);
    }

    void giveKeyboardTo(quintptr window) override
    {
        xcb_connection_t *connection = x11Connection();
        // 0 and 1 are None and PointerRoot: no window to give the keyboard back to.
        if (!connection || window <= XCB_INPUT_FOCUS_POINTER_ROOT)
            return;
        const auto id = static_cast<xcb_window_t>(window);
        // Ask the window manager to activate it, as a pager would, and set the focus too for
        // a desktop without one.
        const xcb_atom_t activate = internAtom(connection, "_NET_ACTIVE_WINDOW");
        if (activate != XCB_ATOM_NONE) {
            xcb_client_message_event_t message = {};
            message.response_type = XCB_CLIENT_MESSAGE;
            message.format = 32;
            message.window = id;
            message.type = activate;
            message.data.data32[0] = 2; // the request comes from a pager-like tool
            message.data.data32[1] = XCB_CURRENT_TIME;
            xcb_send_event(connection, 0, rootOf(connection, id),
                           XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY
                               | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                           reinterpret_cast<const char *>(&message));
        }
        xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, id, XCB_CURRENT_TIME);
        xcb_flush(connection);
    }

    // A top-level window mapped or restacked (a slide show going full screen, a window
    // manager lifting it into its full-screen layer) may now cover the timer: it goes back on
    // top at once, in every state of the count, without polling. Override-redirect windows
    // (menus, tooltips, another timer) are left alone, so that two such windows never take
    // turns raising themselves.
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t" || !m_topmost
            || !m_topmost->testAttribute(Qt::WA_WState_Created))
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if (m_inputCells && m_inputCells->take(event))
            return true;
        xcb_window_t parent = 0;
        xcb_window_t window = 0;
        bool overrideRedirect = false;
        // Both events name the parent they were reported on, the window and its redirect flag.
        const auto read = [&](const auto *notify) {
            parent = notify->event;
            window = notify->window;
            overrideRedirect = notify->override_redirect;
        };
        switch (event->response_type & 0x7f) {
        case XCB_MAP_NOTIFY:
            read(reinterpret_cast<const xcb_map_notify_event_t *>(event));
            break;
        case XCB_CONFIGURE_NOTIFY:
            read(reinterpret_cast<const xcb_configure_notify_event_t *>(event));
            break;
        default:
            return false;
        }
        if (!m_roots.contains(parent) || overrideRedirect || isOwnWindow(window))
            return false;
        if (!m_raise.isActive()) {
            // At most ten raises a second, whatever another program does.
            const qint64 since = m_sinceRaise.isValid() ? m_sinceRaise.elapsed() : 1000;
            m_raise.start(int(std::max<qint64>(0, 100 - since)));
        }
        return false;
    }

private:
    // A new shape makes the X server send an Expose for every pixel it uncovers, which wakes
    // the program a second and a third time each second while it counts. The pixels it
    // uncovers are new lit segments of a label whose text just changed, and that label is
    // repainted right after in any case; so the window stops listening for Expose while its
    // shape changes, and listens again at once.
    void applyKey(QWidget *window)
    {
        xcb_connection_t *connection = x11Connection();
        if (!connection || !window->testAttribute(Qt::WA_WState_Created)) {
            KeyMask::applyColourKey(window, m_labelRegions);
            return;
        }
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
            m_shapedKey = ShapedKey(); // a new native window has no shape yet
            m_eventMask = reply->your_event_mask;
            std::free(reply);
        }
        const uint32_t quiet = m_eventMask & ~uint32_t(XCB_EVENT_MASK_EXPOSURE);
        xcb_change_window_attributes(connection, id, XCB_CW_EVENT_MASK, &quiet);
        if (!m_shapedKey.apply(connection, window))
            KeyMask::applyColourKey(window, m_labelRegions);
        xcb_change_window_attributes(connection, id, XCB_CW_EVENT_MASK, &m_eventMask);
        if (window == m_topmost) {
            if (!m_inputCells)
                m_inputCells = new InputCells(connection, window);
            m_inputCells->setCells(m_shapedKey.cells());
        }
    }

    void paintWhole(QWidget *window)
    {
        xcb_connection_t *connection = x11Connection();
        if (connection && window->mask().isEmpty() && m_window == window->winId()) {
            m_shapedKey.paintWhole(connection, window);
            return;
        }
        const QRegion shape = window->mask();
        KeyMask::repaintWithin(window, window->rect(), window->rect());
        window->setMask(shape);
    }

    // The timer's window is shaped by the X server straight from its labels' pixels; a window
    // of another kind, or one not yet made, through Qt's mask.
    ShapedKey m_shapedKey;
    KeyMask::LabelRegions &m_labelRegions = m_shapedKey.labels();
    // The windows keyed out; a window that is gone leaves a null here.
    QList<QPointer<QWidget>> m_keyed;

    // On every X screen's root: the timer may be placed on any of them (--screen), and moved.
    void watchStacking()
    {
        xcb_connection_t *connection = x11Connection();
        if (m_watching || !connection)
            return;
        for (const xcb_window_t root : x11Roots(connection)) {
            // The root's event mask is per client: Qt's own selections on it are kept.
            xcb_get_window_attributes_reply_t *reply = xcb_get_window_attributes_reply(
                connection, xcb_get_window_attributes(connection, root), nullptr);
            if (!reply)
                continue;
            const uint32_t mask = reply->your_event_mask | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
            std::free(reply);
            xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
            m_roots.append(root);
        }
        xcb_flush(connection);
        qApp->installNativeEventFilter(this);
        m_watching = true;
    }

    xcb_window_t m_window = 0;
    uint32_t m_eventMask = 0;
    QPointer<QWidget> m_topmost;
    QPointer<InputCells> m_inputCells; // the timer's, a child of its window
    QHash<WId, quintptr> m_ownedBy; // the show each of the timer's own windows was given to
    QList<xcb_window_t> m_roots;
    bool m_watching = false;
    QTimer m_raise;
    QElapsedTimer m_sinceRaise;
};

} // namespace

namespace X11 {

void prepareEnvironment()
{
    // The window is a few thousand pixels. Shared-memory painting makes the X server answer
    // every repaint, which wakes the program twice a second more while it counts; plain
    // requests cost nothing at this size.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

std::unique_ptr<WindowServices> createWindowServices()
{
    return std::make_unique<X11WindowServices>();
}

} // namespace X11
