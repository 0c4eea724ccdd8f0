// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// The speaker's commands, whichever way they come: the timer's own keys (the first four), the
// desktop-wide Ctrl+Alt shortcuts (all but Quit) and `moriv --command` (all).
enum class Command { Start, Pause, Reset, Settings, More, Less, Quit };

namespace Commands {

inline constexpr std::array<Command, 7> all = {Command::Start, Command::Pause, Command::Reset,
                                               Command::Settings, Command::More, Command::Less,
                                               Command::Quit};
inline constexpr std::array<Command, 4> keyed = {Command::Start, Command::Pause, Command::Reset,
                                                 Command::Settings};
inline constexpr std::array<Command, 6> shortcuts = {Command::Start, Command::Pause,
                                                     Command::Reset, Command::Settings,
                                                     Command::More, Command::Less};

// The timer's key for each of the first four commands, which is also the letter of its
// Ctrl+Alt shortcut; 0 for the others. Only the lower-case letters count: Shift or Caps Lock
// give other codes.
constexpr char16_t key(Command command)
{
    constexpr std::array<char16_t, 7> keys = {u'a', u's', u'd', u'f', 0, 0, 0};
    return keys[std::size_t(command)];
}

// The key of the command's Ctrl+Alt shortcut by its keysym's name: the letter, or Page Up and
// Page Down for a minute more and less. The arrows are the desktops' own: GNOME, Xfce and
// openbox switch workspaces with Ctrl+Alt and an arrow.
inline QString keyName(Command command)
{
    if (command == Command::More)
        return QStringLiteral("Page_Up");
    if (command == Command::Less)
        return QStringLiteral("Page_Down");
    return QString(QChar(key(command)));
}

inline std::optional<Command> fromKey(int characterCode)
{
    for (Command command : keyed)
        if (characterCode == key(command))
            return command;
    return std::nullopt;
}

// The command's name for `moriv --command`.
inline QString name(Command command)
{
    constexpr std::array<const char16_t *, 7> names = {u"start", u"pause", u"reset",
                                                       u"settings", u"more", u"less", u"quit"};
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
    constexpr std::array<const char *, 7> texts = {
        QT_TRANSLATE_NOOP("Commands", "开始倒计时"), QT_TRANSLATE_NOOP("Commands", "暂停倒计时"),
        QT_TRANSLATE_NOOP("Commands", "重置倒计时"), QT_TRANSLATE_NOOP("Commands", "打开设置"),
        QT_TRANSLATE_NOOP("Commands", "多一分钟"),   QT_TRANSLATE_NOOP("Commands", "少一分钟"),
        QT_TRANSLATE_NOOP("Commands", "退出计时器")};
    return QCoreApplication::translate("Commands", texts[std::size_t(command)]);
}

// A question or a dialog opens for these.
constexpr bool opensWindow(Command command)
{
    return command == Command::Reset || command == Command::Settings;
}

} // namespace Commands
