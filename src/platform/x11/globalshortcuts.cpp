// SPDX-License-Identifier: GPL-3.0-or-later
// Global shortcuts on X11 (and XWayland): passive key grabs on the root window.
#include "platform/nativehotkeys.h"
#include "platform/x11/connection.h"
#include "platform/x11/x11.h"

#include <xcb/xcb_keysyms.h>

#include <cstdlib>

namespace {

// The keysyms of the lower-case Latin letters are their character codes; Page Up and Page
// Down's are XK_Prior and XK_Next.
xcb_keysym_t keysymOf(Command command)
{
    if (command == Command::More)
        return 0xff55;
    if (command == Command::Less)
        return 0xff56;
    return Commands::key(command);
}

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

class X11GlobalShortcuts final : public NativeHotKeys
{
public:
    X11GlobalShortcuts()
    {
        // Under another platform (offscreen, wayland) the shortcuts are reported as not had.
        m_connection = x11Connection();
        // Every X screen has its own root, and a grab holds below its own root only.
        if (m_connection)
            m_roots = x11Roots(m_connection);
    }

    ~X11GlobalShortcuts() override
    {
        ungrabAll();
        if (m_connection)
            xcb_flush(m_connection);
    }

protected:
    // Every grab is sent before any is checked: one round trip to the server for them all,
    // however many keys, roots and lock states. A shortcut refused in any of them is given
    // up entirely and left to the program that holds it.
    QList<QList<Key>> grabKeys(const QList<Command> &commands) override
    {
        if (!m_connection)
            return {};
        xcb_key_symbols_t *symbols = xcb_key_symbols_alloc(m_connection);
        QList<QList<Key>> keys;
        QList<QList<xcb_void_cookie_t>> cookies;
        for (Command command : commands) {
            xcb_keycode_t *codes =
                symbols ? xcb_key_symbols_get_keycode(symbols, keysymOf(command)) : nullptr;
            keys.append(QList<Key>());
            cookies.append(QList<xcb_void_cookie_t>());
            for (xcb_keycode_t *code = codes; code && *code != XCB_NO_SYMBOL; ++code) {
                keys.last().append(*code);
                for (xcb_window_t root : m_roots)
                    for (uint16_t locks : lockCombinations())
                        // Reported to the root window whichever window has the focus.
                        cookies.last().append(xcb_grab_key_checked(
                            m_connection, 0, root, controlAlt | locks, *code,
                            XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
            }
            std::free(codes);
        }
        if (symbols)
            xcb_key_symbols_free(symbols);
        for (qsizetype i = 0; i < keys.size(); ++i) {
            bool refused = false;
            for (xcb_void_cookie_t cookie : std::as_const(cookies.at(i))) {
                if (xcb_generic_error_t *error = xcb_request_check(m_connection, cookie)) {
                    std::free(error);
                    refused = true;
                }
            }
            if (refused) {
                // The grabs that were had are let go again (an ungrab ends our own only).
                for (Key key : std::as_const(keys.at(i)))
                    ungrabKey(key);
                keys[i].clear();
            }
        }
        xcb_flush(m_connection);
        return keys;
    }

    void ungrabKey(Key key) override
    {
        for (xcb_window_t root : m_roots)
            for (uint16_t locks : lockCombinations())
                xcb_ungrab_key(m_connection, xcb_keycode_t(key), root, controlAlt | locks);
    }

    std::optional<Key> pressedKey(const QByteArray &type, void *message) const override
    {
        if (type != "xcb_generic_event_t")
            return std::nullopt;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
            return std::nullopt;
        const auto *key = reinterpret_cast<const xcb_key_press_event_t *>(event);
        if (!m_roots.contains(key->event) || (key->state & controlAlt) != controlAlt)
            return std::nullopt;
        return key->detail;
    }

private:
    xcb_connection_t *m_connection = nullptr;
    QList<xcb_window_t> m_roots;
};

} // namespace

namespace X11 {

std::unique_ptr<GlobalShortcuts> createGlobalShortcuts()
{
    return std::make_unique<X11GlobalShortcuts>();
}

} // namespace X11
