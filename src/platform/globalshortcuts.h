// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/command.h"
#include "platform/outcome.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

// Ctrl+Alt and a letter, for the whole desktop: they reach the timer whichever program has
// the keyboard, so the slide show keeps it.
class GlobalShortcuts : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Takes Ctrl+Alt with each command's key (Commands::keyName). Returns the shortcuts
    // ("Ctrl+Alt+A") that could not be had, because another program holds them or the window
    // system has no such thing; the others work.
    virtual QStringList grab(const QList<Command> &commands) = 0;

    static QString name(Command command)
    {
        const QString key = Commands::keyName(command);
        return QStringLiteral("Ctrl+Alt+")
               + (key.size() == 1 ? key.toUpper() : QString(key).remove(u'_'));
    }

Q_SIGNALS:
    // A grabbed shortcut was pressed.
    void activated(Command command);
};

namespace Platform {

std::unique_ptr<GlobalShortcuts> createGlobalShortcuts();
// Adds (or removes) the desktop's own shortcuts that run `program --command ...`, where the
// desktop lets a program set them, or says how to bind them; says what was done.
Outcome changeDesktopShortcuts(const QString &program, bool install);

} // namespace Platform
