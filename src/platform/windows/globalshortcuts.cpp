// SPDX-License-Identifier: GPL-3.0-or-later
// Global shortcuts on Windows: hot keys registered for the GUI thread, which Qt's event
// dispatcher hands to the native event filters as WM_HOTKEY thread messages.
#include "platform/nativehotkeys.h"
#include "platform/windows/win32window.h"

namespace {

class WindowsGlobalShortcuts final : public NativeHotKeys
{
public:
    ~WindowsGlobalShortcuts() override { ungrabAll(); }

protected:
    QList<QList<Key>> grabKeys(const QList<Command> &commands) override
    {
        QList<QList<Key>> keys;
        for (Command command : commands) {
            // The letter's virtual key is its capital; VK_PRIOR and VK_NEXT for Page Up and
            // Page Down.
            const unsigned virtualKey = command == Command::More   ? 0x21
                                        : command == Command::Less ? 0x22
                                        : QChar(Commands::key(command)).toUpper().unicode();
            const int id = 0x4d00 + int(command); // any id of our own, one per shortcut
            keys.append(QList<Key>());
            if (Win32Window::registerHotKey(id, virtualKey))
                keys.last().append(Key(id));
        }
        return keys;
    }

    void ungrabKey(Key key) override { Win32Window::unregisterHotKey(int(key)); }

    std::optional<Key> pressedKey(const QByteArray &type, void *message) const override
    {
        // Thread messages reach the filters through the event dispatcher only.
        if (type != "windows_dispatcher_MSG")
            return std::nullopt;
        const int id = Win32Window::hotKeyId(message);
        return id >= 0 ? std::optional<Key>(Key(id)) : std::nullopt;
    }
};

} // namespace

namespace Platform {

std::unique_ptr<GlobalShortcuts> createGlobalShortcuts()
{
    return std::make_unique<WindowsGlobalShortcuts>();
}

} // namespace Platform
