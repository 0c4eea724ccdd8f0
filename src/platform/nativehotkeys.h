// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/globalshortcuts.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QHash>

#include <optional>

// Global shortcuts made of the window system's own key grabs (X11's passive grabs, Windows'
// hot keys). This part knows which grabbed key stands for which command, reports the
// shortcuts that could not be had and delivers the presses; a platform only grabs, ungrabs
// and recognises its key events.
class NativeHotKeys : public GlobalShortcuts, public QAbstractNativeEventFilter
{
public:
    // The platform's own number for a grabbed key.
    using Key = quint32;

    NativeHotKeys() { qApp->installNativeEventFilter(this); }
    ~NativeHotKeys() override { qApp->removeNativeEventFilter(this); }

    QStringList grab(const QList<Command> &commands) final
    {
        QStringList missing;
        const QList<QList<Key>> grabbed = grabKeys(commands);
        for (qsizetype i = 0; i < commands.size(); ++i) {
            if (i >= grabbed.size() || grabbed.at(i).isEmpty())
                missing << name(commands.at(i));
            else
                for (Key key : grabbed.at(i))
                    m_commands.insert(key, commands.at(i));
        }
        return missing;
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) final
    {
        const std::optional<Key> key = pressedKey(type, message);
        const auto found = key ? m_commands.constFind(*key) : m_commands.cend();
        if (found == m_commands.cend())
            return false;
        emit activated(*found);
        return true;
    }

protected:
    // Grabs Ctrl+Alt with each command's letter, all at once: for each command, the keys that
    // now stand for it, or none where the shortcut could not be had (nothing of it is kept).
    virtual QList<QList<Key>> grabKeys(const QList<Command> &commands) = 0;
    virtual void ungrabKey(Key key) = 0;
    // The grabbed key a native event reports pressed with Ctrl+Alt, if it is one.
    virtual std::optional<Key> pressedKey(const QByteArray &type, void *message) const = 0;

    // For the platform's destructor, while its ungrabKey can still be called.
    void ungrabAll()
    {
        for (auto it = m_commands.cbegin(); it != m_commands.cend(); ++it)
            ungrabKey(it.key());
        m_commands.clear();
    }

private:
    QHash<Key, Command> m_commands;
};
