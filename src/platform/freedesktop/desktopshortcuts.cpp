// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's own shortcuts for the six commands, where a program may set them: GNOME (and
// the desktops that share its schema) keeps custom shortcuts in GSettings, a list of paths under
// media-keys, each with a name, a command and a binding. Ours are the paths ending in
// moriv-<command>/; nothing else in the list is changed.
#include "platform/freedesktop/gsettingsstore.h"
#include "platform/globalshortcuts.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

using namespace GSettingsStore;

// The command line's texts, in the interface's language (the application has its
// translators installed by now).
QString translated(const char *text)
{
    return QCoreApplication::translate("DesktopShortcuts", text);
}

// One line of the command line's own, after the program's name.
void say(const char *text)
{
    std::printf("moriv: %s\n", qPrintable(translated(text)));
}

QByteArray pathOf(Command command)
{
    return "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/moriv-"
           + Commands::name(command).toUtf8() + '/';
}

QByteArray bindingOf(Command command)
{
    return "<Primary><Alt>" + Commands::keyName(command).toLatin1();
}

// The desktops run the command line through shell rules: a path with a space or a quote in
// it is quoted, so that it stays one word.
QString commandLine(QString program, Command command)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./+-]+$"));
    if (!plain.match(program).hasMatch())
        program = '\'' + program.replace('\'', QStringLiteral("'\\''")) + '\'';
    return program + QStringLiteral(" --command ") + Commands::name(command);
}

// What the user binds, or unbinds, by hand: a line for each command, its key named as the
// timer names it (Ctrl+Alt+A), or as a keysym in a configuration file's line (sway's a).
void printCommands(const char *introduction, const QString &program, const char *format)
{
    if (introduction)
        say(introduction);
    const bool named = qstrncmp(format, "Ctrl+Alt+", 9) == 0;
    for (Command command : Commands::shortcuts) {
        const QString key = named ? GlobalShortcuts::name(command).mid(9)
                                  : Commands::keyName(command);
        std::printf(format, qPrintable(key), qPrintable(commandLine(program, command)));
    }
}

Outcome notWritten(const QString &what)
{
    return Outcome::failure(
        translated(QT_TRANSLATE_NOOP("DesktopShortcuts",
                                     "桌面的设置（GSettings、dconf）无法写入（%1）"))
            .arg(what));
}

QString nothingChanged()
{
    return translated(QT_TRANSLATE_NOOP("DesktopShortcuts", "什么也没有改变"));
}

// Every key is checked before anything is written and the list is written last, so that a
// refusal leaves the user's database as it was; what dconf did not commit (it only logs that)
// is found by reading the keys back once the writes have gone through, and undone.
Outcome change(const QString &program, bool install)
{
    Settings media(gio.g_settings_new(mediaKeys));
    if (!persistent() || !gio.g_settings_is_writable(media.get(), listKey))
        return notWritten(nothingChanged());
    std::vector<Settings> shortcuts;
    for (Command command : Commands::shortcuts) {
        shortcuts.push_back(shortcutAt(pathOf(command)));
        for (const char *key : shortcutKeys)
            if (!gio.g_settings_is_writable(shortcuts.back().get(), key))
                return notWritten(QString::fromUtf8(pathOf(command) + key) + u'；'
                                  + nothingChanged());
    }
    std::vector<std::unique_ptr<Saved>> saved;
    for (const Settings &shortcut : shortcuts)
        for (const char *key : shortcutKeys)
            saved.push_back(std::make_unique<Saved>(shortcut.get(), key));
    saved.push_back(std::make_unique<Saved>(media.get(), listKey));

    QList<QByteArray> list = paths(media.get());
    QList<std::pair<GSettings *, std::pair<const char *, QString>>> wanted;
    bool written = true;
    for (std::size_t i = 0; i < Commands::shortcuts.size(); ++i) {
        const Command command = Commands::shortcuts[i];
        const QByteArray path = pathOf(command);
        GSettings *shortcut = shortcuts[i].get();
        if (!install) {
            list.removeAll(path);
            for (const char *key : shortcutKeys) {
                gio.g_settings_reset(shortcut, key);
                wanted.append({shortcut, {key, QString()}});
            }
            continue;
        }
        QByteArray binding = bindingOf(command);
        for (const QByteArray &other : std::as_const(list)) {
            if (other.contains("/moriv-"))
                continue;
            Settings theirs = shortcutAt(other);
            if (text(theirs.get(), "binding").compare(QString::fromUtf8(binding),
                                                      Qt::CaseInsensitive) == 0) {
                std::printf("%s\n", qPrintable(translated(QT_TRANSLATE_NOOP(
                                                     "DesktopShortcuts",
                                                     "%1 是你的快捷键“%2”的按键：%3 没有按键"))
                                                     .arg(QString::fromUtf8(binding),
                                                          text(theirs.get(), "name"),
                                                          Commands::name(command))));
                binding.clear();
            }
        }
        const QString values[] = {QStringLiteral("Moriv: ") + Commands::description(command),
                                  commandLine(program, command), QString::fromUtf8(binding)};
        for (std::size_t k = 0; k < std::size(shortcutKeys); ++k) {
            written = written && gio.g_settings_set_string(shortcut, shortcutKeys[k],
                                                           values[k].toUtf8().constData());
            wanted.append({shortcut, {shortcutKeys[k], values[k]}});
        }
        if (!list.contains(path))
            list.append(path);
    }
    written = written && setPaths(media.get(), list);
    gio.g_settings_sync();
    bool committed = written && paths(media.get()) == list;
    for (const auto &[settings, value] : std::as_const(wanted))
        committed = committed && text(settings, value.first) == value.second;
    if (!committed) {
        for (const auto &key : saved)
            key->restore();
        gio.g_settings_sync();
        return notWritten(translated(QT_TRANSLATE_NOOP("DesktopShortcuts",
                                                       "dconf 没有提交这些更改"))
                          + u'；' + nothingChanged());
    }
    say(install ? QT_TRANSLATE_NOOP("DesktopShortcuts", "计时器的快捷键已加入桌面的自定义快捷键")
                : QT_TRANSLATE_NOOP("DesktopShortcuts", "计时器的快捷键已移除"));
    return {};
}

} // namespace

namespace Platform {

Outcome changeDesktopShortcuts(const QString &program, bool install)
{
    const QString desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    if (desktop.contains(QLatin1String("KDE"))) {
        // Plasma 5.27 answers the portal's BindShortcuts and binds nothing; Plasma 6 binds.
        if (install)
            say(QT_TRANSLATE_NOOP("DesktopShortcuts",
                                  "在 KDE 上，计时器启动时向桌面的门户申请 Ctrl+Alt+A、S、D、F、"
                                  "PageUp 和 PageDown"
                                  "（Plasma 6 会询问你一次）；Plasma 5 不会这样绑定。"));
        printCommands(install ? QT_TRANSLATE_NOOP("DesktopShortcuts",
                                                  "在“系统设置 > 快捷键 > 自定义快捷键”中绑定"
                                                  "这些命令：")
                              : QT_TRANSLATE_NOOP("DesktopShortcuts",
                                                  "在“系统设置 > 快捷键 > 自定义快捷键”中移除"
                                                  "这些命令："),
                      program, "Ctrl+Alt+%s: %s\n");
        return {};
    }
    if (qEnvironmentVariableIsSet("SWAYSOCK") || desktop.contains(QLatin1String("sway"))) {
        printCommands(install ? QT_TRANSLATE_NOOP("DesktopShortcuts",
                                                  "sway 在它的配置文件中绑定按键；把这几行加入 "
                                                  "~/.config/sway/config，然后运行 swaymsg "
                                                  "reload：")
                              : QT_TRANSLATE_NOOP("DesktopShortcuts",
                                                  "从 ~/.config/sway/config 中删除这几行，然后"
                                                  "运行 swaymsg reload："),
                      program, "bindsym Ctrl+Mod1+%s exec %s\n");
        return {};
    }
    if (!gio.load())
        return Outcome::failure(translated(QT_TRANSLATE_NOOP("DesktopShortcuts",
                                                             "无法加载 GIO（libgio-2.0.so.0）"))
                                + u'；' + nothingChanged());
    if (hasSchemas())
        return change(program, install);
    printCommands(install ? QT_TRANSLATE_NOOP("DesktopShortcuts",
                                              "这个桌面把快捷键保存在计时器无法设置的地方；"
                                              "请在它的设置中绑定这些：")
                          : QT_TRANSLATE_NOOP("DesktopShortcuts",
                                              "这个桌面把快捷键保存在计时器无法设置的地方；"
                                              "请在它的设置中移除这些："),
                  program, "Ctrl+Alt+%s: %s\n");
    return {};
}

} // namespace Platform
