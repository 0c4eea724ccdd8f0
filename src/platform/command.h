// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// The speaker's four commands, whichever way they come: the timer's own keys, the desktop-wide
// Ctrl+Alt shortcuts and `moriv --command`.
enum class Command { Start, Pause, Reset, Settings };

namespace Commands {

inline constexpr std::array<Command, 4> all = {Command::Start, Command::Pause, Command::Reset,
                                               Command::Settings};

// The timer's key for each command, which is also the letter of its Ctrl+Alt shortcut. Only
// the lower-case letters count: Shift or Caps Lock give other codes.
constexpr char16_t key(Command command)
{
    constexpr std::array<char16_t, 4> keys = {u'a', u's', u'd', u'f'};
    return keys[std::size_t(command)];
}

inline std::optional<Command> fromKey(int characterCode)
{
    for (Command command : all)
        if (characterCode == key(command))
            return command;
    return std::nullopt;
}

// The command's name for `moriv --command`.
inline QString name(Command command)
{
    constexpr std::array<const char16_t *, 4> names = {u"start", u"pause", u"reset",
                                                       u"settings"};
    return QString::fromUtf16(names[std::size_t(command)]);
}

inline std::optional<Command> named(QStringView text)
{
    for (Command command : all)
        if (text == name(command))
            return command;
    return std::nullopt;
}

// What the command does, in the user's language: the name of a desktop shortcut.
inline QString description(Command command)
{
    constexpr std::array<const char *, 4> texts = {
        QT_TRANSLATE_NOOP("Commands", "开始倒计时"), QT_TRANSLATE_NOOP("Commands", "暂停倒计时"),
        QT_TRANSLATE_NOOP("Commands", "重置倒计时"), QT_TRANSLATE_NOOP("Commands", "打开设置")};
    return QCoreApplication::translate("Commands", texts[std::size_t(command)]);
}

// A question or a dialog opens for these.
constexpr bool opensWindow(Command command)
{
    return command == Command::Reset || command == Command::Settings;
}

} // namespace Commands
