// SPDX-License-Identifier: GPL-3.0-or-later
// Global shortcuts on Windows: hot keys registered for the GUI thread, which Qt's event
// dispatcher hands to the native event filters as WM_HOTKEY thread messages.
#include "globalshortcuts.h"
#include "win32window.h"

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
        for (auto it = m_letters.cbegin(); it != m_letters.cend(); ++it)
            Win32Window::unregisterHotKey(it.key());
    }

    QStringList grab(const QString &letters) override
    {
        QStringList missing;
        for (QChar letter : letters) {
            const int id = 0x4d00 + letter.unicode(); // any id of our own, one per letter
            if (Win32Window::registerHotKey(id, char(letter.toUpper().unicode())))
                m_letters.insert(id, letter);
            else
                missing << name(letter);
        }
        return missing;
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        // Thread messages reach the filters through the event dispatcher only.
        if (type != "windows_dispatcher_MSG")
            return false;
        const auto found = m_letters.constFind(Win32Window::hotKeyId(message));
        if (found == m_letters.cend())
            return false;
        emit activated(*found);
        return true;
    }

private:
    QHash<int, QChar> m_letters;
};

} // namespace

namespace Platform {

std::unique_ptr<GlobalShortcuts> createGlobalShortcuts()
{
    return std::make_unique<WindowsGlobalShortcuts>();
}

} // namespace Platform
