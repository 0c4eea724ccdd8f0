// SPDX-License-Identifier: GPL-3.0-or-later
// Every portal call answers through a Request object's Response signal; the request's path is
// known before the call, so the answer is listened for first and cannot be missed.
#include "platform/freedesktop/portalshortcuts.h"

#include "platform/diagnostics.h"

#include <QCoreApplication>
#include <QDBusAbstractInterface>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include <algorithm>
#include <functional>

namespace {

const QString portal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
// The id the desktop files the shortcuts under: the desktop entry's and the AppStream id.
const QString appId = QStringLiteral("org.moriv.Moriv");

// One shortcut as BindShortcuts takes it: (sa{sv}), its id and its properties.
struct PortalShortcut
{
    QString id;
    QVariantMap properties;
};

QDBusArgument &operator<<(QDBusArgument &argument, const PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

} // namespace

Q_DECLARE_METATYPE(PortalShortcut)

namespace {

// The portal's objects as typed interfaces: QtDBus relays each D-Bus signal to the Qt signal
// of the same name and arguments, so a wrong name or type fails to compile, not at run time.
class PortalRequest final : public QDBusAbstractInterface
{
    Q_OBJECT

public:
    PortalRequest(const QString &path, const QDBusConnection &bus, QObject *parent)
        : QDBusAbstractInterface(portal, path, "org.freedesktop.portal.Request", bus, parent)
    {
    }

signals:
    void Response(uint response, const QVariantMap &results);
};

class PortalShortcutsInterface final : public QDBusAbstractInterface
{
    Q_OBJECT

public:
    PortalShortcutsInterface(const QDBusConnection &bus, QObject *parent)
        : QDBusAbstractInterface(portal, portalPath, "org.freedesktop.portal.GlobalShortcuts",
                                 bus, parent)
    {
    }

signals:
    void Activated(const QDBusObjectPath &session, const QString &shortcut, qulonglong timestamp,
                   const QVariantMap &options);
};

class PortalGlobalShortcuts final : public GlobalShortcuts
{
    Q_OBJECT

public:
    PortalGlobalShortcuts(std::unique_ptr<GlobalShortcuts> fallback, const QString &withoutPortal)
        : m_fallback(std::move(fallback))
        , m_withoutPortal(withoutPortal)
    {
        qDBusRegisterMetaType<PortalShortcut>();
        qDBusRegisterMetaType<QList<PortalShortcut>>();
        // QtDBus finds a relayed signal's argument types by name: Activated's object path has
        // to be known by its name before the signal is connected, or it is never relayed.
        qRegisterMetaType<QDBusObjectPath>();
        connect(m_fallback.get(), &GlobalShortcuts::activated, this, &GlobalShortcuts::activated);
        connect(m_shortcuts, &PortalShortcutsInterface::Activated, this,
                &PortalGlobalShortcuts::activate);
    }

    ~PortalGlobalShortcuts() override
    {
        if (m_session.isEmpty())
            return;
        m_bus.call(QDBusMessage::createMethodCall(portal, m_session,
                                                  QStringLiteral("org.freedesktop.portal.Session"),
                                                  QStringLiteral("Close")),
                   QDBus::Block, 1000);
    }

    // The X key grabs hold until the portal has bound the shortcuts, and stay if it never
    // does; the portal's answers come later, and nothing waits for them. A portal that runs
    // the program outside a sandbox learns its id from the program itself (GNOME 48 discards
    // the requests of a program without one); an older portal has no registry, and that is
    // no failure.
    QStringList grab(const QList<Command> &commands) override
    {
        m_commands = commands;
        QDBusMessage call = QDBusMessage::createMethodCall(
            portal, portalPath, QStringLiteral("org.freedesktop.host.portal.Registry"),
            QStringLiteral("Register"));
        call.setArguments({appId, QVariantMap()});
        auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
            watcher->deleteLater();
            request(QStringLiteral("CreateSession"), {},
                    {{QStringLiteral("session_handle_token"), QStringLiteral("moriv_session")}},
                    &PortalGlobalShortcuts::sessionCreated);
        });
        return m_fallback->grab(commands);
    }

private:
    // Shortcuts the desktop keeps from an earlier start are not bound again: binding makes
    // some desktops (Plasma 6) open their shortcut settings each time.
    void sessionCreated(uint response, const QVariantMap &results)
    {
        m_session = results.value(QStringLiteral("session_handle")).toString();
        if (response != 0 || m_session.isEmpty()) {
            refused(response);
            return;
        }
        // A portal that cannot list them is asked to bind them all.
        request(QStringLiteral("ListShortcuts"), {QVariant::fromValue(QDBusObjectPath(m_session))},
                {}, &PortalGlobalShortcuts::shortcutsListed,
                [this] { shortcutsListed(0, {}); });
    }

    void shortcutsListed(uint, const QVariantMap &results)
    {
        const QList<Command> missing = unbound(results);
        if (missing.isEmpty()) {
            m_fallback.reset(); // one press, one command
            return;
        }
        QList<PortalShortcut> shortcuts;
        for (Command command : missing)
            shortcuts.append({Commands::name(command),
                              {{QStringLiteral("description"), Commands::description(command)},
                               {QStringLiteral("preferred_trigger"),
                                QStringLiteral("CTRL+ALT+") + Commands::keyName(command)}}});
        request(QStringLiteral("BindShortcuts"),
                {QVariant::fromValue(QDBusObjectPath(m_session)),
                 QVariant::fromValue(shortcuts), QString()},
                {}, &PortalGlobalShortcuts::shortcutsBound);
    }

    // Only the shortcuts the answer lists are bound, whatever its code: Plasma 5.27 answers 0
    // and binds nothing, GNOME 48 answers 2 with the shortcuts the user added.
    void shortcutsBound(uint response, const QVariantMap &results)
    {
        const QList<Command> unboundCommands = unbound(results);
        if (unboundCommands.isEmpty()) {
            m_fallback.reset();
            return;
        }
        if (unboundCommands.size() == m_commands.size() && response != 0) {
            refused(response);
            return;
        }
        QStringList missing;
        for (Command command : unboundCommands)
            missing << GlobalShortcuts::name(command);
        qCWarning(lcMoriv, "the desktop's portal did not bind %s; %s: "
                           "bind the desktop's own shortcuts to moriv --command",
                  qPrintable(missing.join(QStringLiteral(", "))), qPrintable(m_withoutPortal));
    }

    void activate(const QDBusObjectPath &session, const QString &shortcut)
    {
        if (session.path() != m_session)
            return;
        if (const std::optional<Command> command = Commands::named(shortcut))
            emit activated(*command);
    }

    // Calls a portal method whose last argument is its options, with a handle token that names
    // the Request object the answer comes from.
    void request(const QString &method, QVariantList arguments, QVariantMap options,
                 void (PortalGlobalShortcuts::*answer)(uint, const QVariantMap &),
                 std::function<void()> failed = {})
    {
        const QString token = QStringLiteral("moriv%1").arg(++m_requests);
        QString sender = m_bus.baseService().mid(1);
        sender.replace(QLatin1Char('.'), QLatin1Char('_'));
        const QString path = portalPath + QStringLiteral("/request/") + sender + u'/' + token;
        auto *request = new PortalRequest(path, m_bus, this);
        connect(request, &PortalRequest::Response, this,
                [this, request, answer](uint response, const QVariantMap &results) {
                    request->deleteLater();
                    (this->*answer)(response, results);
                });
        options.insert(QStringLiteral("handle_token"), token);
        auto *watcher = new QDBusPendingCallWatcher(
            m_shortcuts->asyncCallWithArgumentList(method, arguments << options), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, method, failed] {
            watcher->deleteLater();
            if (!watcher->isError())
                return;
            if (failed) {
                failed();
                return;
            }
            const QDBusError error = watcher->error();
            const bool absent = error.type() == QDBusError::ServiceUnknown
                                || error.type() == QDBusError::UnknownInterface
                                || error.type() == QDBusError::UnknownMethod
                                || error.type() == QDBusError::UnknownObject;
            const QString why = absent ? QStringLiteral("this desktop offers no shortcuts portal")
                                       : QStringLiteral("the shortcuts portal failed %1: %2")
                                             .arg(method, error.message());
            qCWarning(lcMoriv, "%s (%s): %s; moriv "
                               "--install-shortcuts sets up the desktop's own",
                      qPrintable(why), qPrintable(error.name()), qPrintable(m_withoutPortal));
        });
    }

    // The commands whose shortcuts an answer does not list.
    QList<Command> unbound(const QVariantMap &results) const
    {
        QList<PortalShortcut> bound;
        const QVariant listed = results.value(QStringLiteral("shortcuts"));
        if (listed.canConvert<QDBusArgument>())
            listed.value<QDBusArgument>() >> bound;
        QList<Command> missing;
        for (Command command : std::as_const(m_commands)) {
            const auto named = [&](const PortalShortcut &shortcut) {
                return shortcut.id == Commands::name(command);
            };
            if (std::none_of(bound.cbegin(), bound.cend(), named))
                missing << command;
        }
        return missing;
    }

    static void refused(uint response)
    {
        qCWarning(lcMoriv, "the desktop did not grant the Ctrl+Alt shortcuts (%s); moriv "
                           "--command still works",
                  response == 1 ? "the user cancelled" : "refused");
    }

    std::unique_ptr<GlobalShortcuts> m_fallback;
    QString m_withoutPortal;
    QDBusConnection m_bus = QDBusConnection::sessionBus();
    PortalShortcutsInterface *m_shortcuts = new PortalShortcutsInterface(m_bus, this);
    QList<Command> m_commands;
    QString m_session;
    int m_requests = 0;
};

} // namespace

namespace PortalShortcuts {

std::unique_ptr<GlobalShortcuts> create(std::unique_ptr<GlobalShortcuts> fallback,
                                        const QString &withoutPortal)
{
    return std::make_unique<PortalGlobalShortcuts>(std::move(fallback), withoutPortal);
}

} // namespace PortalShortcuts

#include "portalshortcuts.moc"
