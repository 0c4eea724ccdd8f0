// SPDX-License-Identifier: GPL-3.0-or-later
// Global shortcuts on X11 (and XWayland): passive key grabs on the root window.
#include "platform/platform.h"
#include "platform/x11/connection.h"
#include "platform/x11/x11.h"

#include <QAbstractNativeEventFilter>
#include <QHash>

#include <xcb/xcb_keysyms.h>

#include <cstdlib>

namespace {

constexpr uint16_t controlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
// Caps Lock, Num Lock (Mod2) and Scroll Lock (Mod3 or Mod5, by keyboard map) change the
// modifier state of a key press; a grab holds for one exact state, so it is taken for each.
constexpr uint16_t lockMasks[] = {XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_3,
                                  XCB_MOD_MASK_5};

QList<uint16_t> lockCombinations()
{
    QList<uint16_t> combinations;
    for (unsigned bits = 0; bits < 16; ++bits) {
        uint16_t mask = 0;
        for (unsigned i = 0; i < 4; ++i) {
            if (bits & (1u << i))
                mask |= lockMasks[i];
        }
        combinations.append(mask);
    }
    return combinations;
}

class X11GlobalShortcuts final : public GlobalShortcuts, public QAbstractNativeEventFilter
{
public:
    X11GlobalShortcuts()
    {
        // Under another platform (offscreen, wayland) the shortcuts are reported as not had.
        m_connection = x11Connection();
        if (!m_connection)
            return;
        // Every X screen has its own root, and a grab holds below its own root only.
        m_roots = x11Roots(m_connection);
        qApp->installNativeEventFilter(this);
    }

    ~X11GlobalShortcuts() override
    {
        if (!m_connection)
            return;
        qApp->removeNativeEventFilter(this);
        for (auto it = m_commands.cbegin(); it != m_commands.cend(); ++it) {
            for (xcb_window_t root : m_roots) {
                for (uint16_t locks : lockCombinations())
                    xcb_ungrab_key(m_connection, it.key(), root, controlAlt | locks);
            }
        }
        xcb_flush(m_connection);
    }

    QStringList grab(const QList<Command> &commands) override
    {
        QStringList missing;
        if (!m_connection) {
            for (Command command : commands)
                missing << name(command);
            return missing;
        }
        xcb_key_symbols_t *symbols = xcb_key_symbols_alloc(m_connection);
        for (Command command : commands) {
            // The keysyms of the lower-case Latin letters are their character codes.
            xcb_keycode_t *codes = symbols ? xcb_key_symbols_get_keycode(symbols,
                                                                         Commands::key(command))
                                           : nullptr;
            QList<xcb_keycode_t> keycodes;
            for (xcb_keycode_t *code = codes; code && *code != XCB_NO_SYMBOL; ++code)
                keycodes.append(*code);
            std::free(codes);
            if (keycodes.isEmpty() || !grabKeys(keycodes))
                missing << name(command);
            else
                for (xcb_keycode_t code : keycodes)
                    m_commands.insert(code, command);
        }
        if (symbols)
            xcb_key_symbols_free(symbols);
        return missing;
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
            return false;
        const auto *key = reinterpret_cast<const xcb_key_press_event_t *>(event);
        if (!m_roots.contains(key->event) || (key->state & controlAlt) != controlAlt)
            return false;
        const auto found = m_commands.constFind(key->detail);
        if (found == m_commands.cend())
            return false;
        deliver(*found);
        return true;
    }

private:
    // Grabs the keys in every lock state; all or nothing, so that a shortcut another
    // program holds in some state is reported and left to it entirely.
    bool grabKeys(const QList<xcb_keycode_t> &keycodes)
    {
        struct Grab
        {
            xcb_keycode_t code;
            xcb_window_t root;
            uint16_t modifiers;
        };
        QList<Grab> taken;
        bool refused = false;
        for (xcb_keycode_t code : keycodes) {
            for (xcb_window_t root : m_roots) {
                for (uint16_t locks : lockCombinations()) {
                    const Grab grab{code, root, uint16_t(controlAlt | locks)};
                    // Reported to the root window whichever window has the focus.
                    const auto cookie = xcb_grab_key_checked(m_connection, 0, root,
                                                             grab.modifiers, code,
                                                             XCB_GRAB_MODE_ASYNC,
                                                             XCB_GRAB_MODE_ASYNC);
                    if (xcb_generic_error_t *error = xcb_request_check(m_connection, cookie)) {
                        std::free(error);
                        refused = true;
                    } else {
                        taken.append(grab);
                    }
                }
            }
        }
        if (refused) {
            for (const Grab &grab : taken)
                xcb_ungrab_key(m_connection, grab.code, grab.root, grab.modifiers);
            xcb_flush(m_connection);
        }
        return !refused;
    }

    xcb_connection_t *m_connection = nullptr;
    QList<xcb_window_t> m_roots;
    QHash<xcb_keycode_t, Command> m_commands;
};

} // namespace

namespace X11 {

std::unique_ptr<GlobalShortcuts> createGlobalShortcuts()
{
    return std::make_unique<X11GlobalShortcuts>();
}

} // namespace X11
