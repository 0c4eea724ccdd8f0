// SPDX-License-Identifier: GPL-3.0-or-later
// Global shortcuts on Windows: hot keys registered for the GUI thread, which Qt's event
// dispatcher hands to the native event filters as WM_HOTKEY thread messages.
#include "platform/platform.h"
#include "platform/windows/win32window.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QHash>

namespace {

class WindowsGlobalShortcuts final : public GlobalShortcuts, public QAbstractNativeEventFilter
{
public:
    WindowsGlobalShortcuts() { qApp->installNativeEventFilter(this); }

    ~WindowsGlobalShortcuts() override
    {
        qApp->removeNativeEventFilter(this);
        for (auto it = m_commands.cbegin(); it != m_commands.cend(); ++it)
            Win32Window::unregisterHotKey(it.key());
    }

    QStringList grab(const QList<Command> &commands) override
    {
        QStringList missing;
        for (Command command : commands) {
            const char16_t letter = Commands::key(command);
            const int id = 0x4d00 + letter; // any id of our own, one per shortcut
            if (Win32Window::registerHotKey(id, char(QChar(letter).toUpper().unicode())))
                m_commands.insert(id, command);
            else
                missing << name(command);
        }
        return missing;
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        // Thread messages reach the filters through the event dispatcher only.
        if (type != "windows_dispatcher_MSG")
            return false;
        const auto found = m_commands.constFind(Win32Window::hotKeyId(message));
        if (found == m_commands.cend())
            return false;
        deliver(*found);
        return true;
    }

private:
    QHash<int, Command> m_commands;
};

} // namespace

namespace Platform {

std::unique_ptr<GlobalShortcuts> createGlobalShortcuts()
{
    return std::make_unique<WindowsGlobalShortcuts>();
}

} // namespace Platform
