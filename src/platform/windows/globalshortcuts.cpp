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
            const char16_t letter = Commands::key(command);
            const int id = 0x4d00 + letter; // any id of our own, one per shortcut
            keys.append(QList<Key>());
            if (Win32Window::registerHotKey(id, char(QChar(letter).toUpper().unicode())))
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
