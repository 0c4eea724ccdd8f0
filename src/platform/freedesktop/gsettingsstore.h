// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// GSettings as the desktop's shortcuts use it, through GIO loaded when they are changed: the
// media-keys schemas, the keys' texts and the list of custom shortcuts, and a key saved to be
// put back exactly.


#include <QByteArray>
#include <QDBusConnection>
#include <QLibrary>
#include <QList>
#include <QString>

// GLib names a structure member "signals", which Qt defines as a keyword: every Qt header the
// includer needs comes before this one.
#undef signals
#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gio.h>
#include <gio/gsettingsbackend.h>

#include <memory>

namespace GSettingsStore {

// GIO is loaded only when the shortcuts are changed: linked in, it and the GObject, mount and
// SELinux libraries it brings would cost every running timer a megabyte of memory.
#define MORIV_GIO_FUNCTIONS(F)                                                                 \
    F(g_free) F(g_strfreev) F(g_object_unref) F(g_type_name) F(g_settings_backend_get_default)  \
    F(g_settings_new) F(g_settings_new_with_path) F(g_settings_get_string)                     \
    F(g_settings_get_strv) F(g_settings_set_string) F(g_settings_set_strv) F(g_settings_reset) \
    F(g_settings_is_writable) F(g_settings_sync) F(g_settings_schema_source_get_default)       \
    F(g_settings_schema_source_lookup) F(g_settings_schema_unref) F(g_settings_get_user_value)  \
    F(g_settings_set_value) F(g_variant_unref)

struct Gio
{
#define MORIV_GIO_POINTER(name) decltype(&::name) name = nullptr;
    MORIV_GIO_FUNCTIONS(MORIV_GIO_POINTER)
#undef MORIV_GIO_POINTER

    bool load()
    {
        QLibrary library(QStringLiteral("gio-2.0"), 0);
        if (!library.load())
            return false;
        bool all = true;
#define MORIV_GIO_RESOLVE(name)                                                                \
        name = reinterpret_cast<decltype(&::name)>(library.resolve(#name));                   \
        all = all && name;
        MORIV_GIO_FUNCTIONS(MORIV_GIO_RESOLVE)
#undef MORIV_GIO_RESOLVE
        return all;
    }
};
inline Gio gio;

constexpr char mediaKeys[] = "org.gnome.settings-daemon.plugins.media-keys";
constexpr char customKeybinding[] =
    "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding";
constexpr char listKey[] = "custom-keybindings";

struct Unref
{
    void operator()(gpointer object) const { gio.g_object_unref(object); }
};
using Settings = std::unique_ptr<GSettings, Unref>;

inline Settings shortcutAt(const QByteArray &path)
{
    return Settings(gio.g_settings_new_with_path(customKeybinding, path.constData()));
}

inline QString text(GSettings *settings, const char *key)
{
    gchar *value = gio.g_settings_get_string(settings, key);
    const QString result = QString::fromUtf8(value);
    gio.g_free(value);
    return result;
}

inline QList<QByteArray> paths(GSettings *media)
{
    QList<QByteArray> result;
    gchar **list = gio.g_settings_get_strv(media, listKey);
    for (gchar **path = list; *path; ++path)
        result.append(*path);
    gio.g_strfreev(list);
    return result;
}

inline bool setPaths(GSettings *media, const QList<QByteArray> &list)
{
    QList<const char *> pointers;
    for (const QByteArray &path : list)
        pointers.append(path.constData());
    pointers.append(nullptr);
    return gio.g_settings_set_strv(media, listKey, pointers.constData());
}

inline bool hasSchemas()
{
    GSettingsSchemaSource *source = gio.g_settings_schema_source_get_default();
    for (const char *id : {mediaKeys, customKeybinding}) {
        GSettingsSchema *schema = source ? gio.g_settings_schema_source_lookup(source, id, TRUE)
                                         : nullptr;
        if (!schema)
            return false;
        gio.g_settings_schema_unref(schema);
    }
    return true;
}

// Changes that only a memory backend would take are lost at exit, and so are dconf's without a
// session bus to reach its writer: either is a failure.
inline bool persistent()
{
    GSettingsBackend *backend = gio.g_settings_backend_get_default();
    const QByteArray type(gio.g_type_name(G_TYPE_FROM_INSTANCE(backend)));
    gio.g_object_unref(backend);
    return !type.contains("Memory")
           && !(type.contains("DConf") && !QDBusConnection::sessionBus().isConnected());
}

inline constexpr const char *shortcutKeys[] = {"name", "command", "binding"};

// What a key holds in the user's database (nothing: the key is at its default), to be put back
// exactly so when the desktop refuses a part of a change.
class Saved
{
public:
    Saved(GSettings *settings, const char *key)
        : m_settings(settings), m_key(key), m_value(gio.g_settings_get_user_value(settings, key))
    {
    }
    Saved(const Saved &) = delete;
    Saved &operator=(const Saved &) = delete;
    ~Saved()
    {
        if (m_value)
            gio.g_variant_unref(m_value);
    }
    void restore() const
    {
        if (m_value)
            gio.g_settings_set_value(m_settings, m_key, m_value);
        else
            gio.g_settings_reset(m_settings, m_key);
    }

private:
    GSettings *m_settings;
    const char *m_key;
    GVariant *m_value;
};

} // namespace GSettingsStore
