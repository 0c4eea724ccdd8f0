// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/command.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <memory>

// Ctrl+Alt and a letter, for the whole desktop: they reach the timer whichever program has
// the keyboard, so the slide show keeps it.
class GlobalShortcuts : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Takes Ctrl+Alt with each command's key. Returns the shortcuts ("Ctrl+Alt+A") that could
    // not be had, because another program holds them or the window system has no such thing;
    // the others work.
    virtual QStringList grab(const QList<Command> &commands) = 0;

    static QString name(Command command)
    {
        return QStringLiteral("Ctrl+Alt+") + QChar(Commands::key(command)).toUpper();
    }

signals:
    // A grabbed shortcut was pressed.
    void activated(Command command);
};

namespace Platform {

std::unique_ptr<GlobalShortcuts> createGlobalShortcuts();

} // namespace Platform
