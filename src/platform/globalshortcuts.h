// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

    // Takes Ctrl+Alt with each of the lower-case letters. Returns the shortcuts ("Ctrl+Alt+A")
    // that could not be had, because another program holds them or the window system has no
    // such thing; the others work.
    virtual QStringList grab(const QString &letters) = 0;

    static QString name(QChar letter)
    {
        return QStringLiteral("Ctrl+Alt+") + letter.toUpper();
    }

signals:
    // A grabbed shortcut was pressed; the letter is lower case.
    void activated(QChar letter);
};

namespace Platform {

std::unique_ptr<GlobalShortcuts> createGlobalShortcuts();

} // namespace Platform
