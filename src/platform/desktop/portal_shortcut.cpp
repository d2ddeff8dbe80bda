#include "platform/desktop/portal_shortcut.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

#include "platform/desktop/portal_names.h"

namespace velmor {

namespace {

const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kShortcutId = QStringLiteral("pick");

// The portal's shortcut list: a(sa{sv}).
struct PortalShortcutEntry {
    QString id;
    QVariantMap properties;
};
using PortalShortcutList = QList<PortalShortcutEntry>;

QDBusArgument& operator<<(QDBusArgument& out, const PortalShortcutEntry& entry) {
    out.beginStructure();
    out << entry.id << entry.properties;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, PortalShortcutEntry& entry) {
    in.beginStructure();
    in >> entry.id >> entry.properties;
    in.endStructure();
    return in;
}

}  // namespace

}  // namespace velmor

Q_DECLARE_METATYPE(velmor::PortalShortcutEntry)

namespace velmor {

PortalShortcut::PortalShortcut(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {
    qDBusRegisterMetaType<PortalShortcutEntry>();
    qDBusRegisterMetaType<PortalShortcutList>();
}

bool PortalShortcut::Available() const {
    RegisterWithPortal(bus_);
    QDBusMessage get = QDBusMessage::createMethodCall(
        kPortalService, kPortalPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << kInterface << QStringLiteral("version");
    const QDBusMessage reply = bus_.call(get, QDBus::Block, 2000);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty();
}

void PortalShortcut::Start(const QString& trigger) {
    trigger_ = trigger;
    RegisterWithPortal(bus_);
    // A fixed token: the desktop keeps the binding for this session name.
    Ask(Step::Session, QStringLiteral("CreateSession"), {},
        {{QStringLiteral("session_handle_token"), QStringLiteral("velmor")}});
}

void PortalShortcut::Ask(Step step, const QString& method, QVariantList arguments,
                         QVariantMap options) {
    step_ = step;
    // The request's path is known before the call, so its answer cannot be missed.
    const QString token = QStringLiteral("velmorkeys%1").arg(++requests_);
    if (!requestPath_.isEmpty()) {
        bus_.disconnect(kPortalService, requestPath_, kPortalRequest, QStringLiteral("Response"),
                        this, SLOT(OnResponse(uint, QVariantMap)));
    }
    requestPath_ = PortalRequestPath(bus_.baseService(), token);
    bus_.connect(kPortalService, requestPath_, kPortalRequest, QStringLiteral("Response"), this,
                 SLOT(OnResponse(uint, QVariantMap)));
    options.insert(QStringLiteral("handle_token"), token);
    arguments << options;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kPortalService, kPortalPath, kInterface, method);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *w;
        if (reply.isError()) {
            step_ = Step::Idle;
            emit failed(
                tr("The desktop's shortcut service refused: %1").arg(reply.error().message()));
        }
    });
}

void PortalShortcut::OnResponse(uint response, const QVariantMap& results) {
    if (response != 0) {
        step_ = Step::Idle;
        emit failed(response == 1 ? tr("The shortcut was not confirmed.")
                                  : tr("The desktop's shortcut service gave up."));
        return;
    }
    switch (step_) {
        case Step::Session: {
            // An object path as the portal documents it; a string from older portals.
            const QVariant handle = results.value(QStringLiteral("session_handle"));
            session_ = handle.canConvert<QDBusObjectPath>() ? handle.value<QDBusObjectPath>().path()
                                                            : handle.toString();
            if (session_.isEmpty()) session_ = handle.toString();
            bus_.connect(kPortalService, kPortalPath, kInterface, QStringLiteral("Activated"), this,
                         SLOT(OnActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
            Ask(Step::List, QStringLiteral("ListShortcuts"),
                {QVariant::fromValue(QDBusObjectPath(session_))});
            break;
        }
        case Step::List: {
            PortalShortcutList listed;
            results.value(QStringLiteral("shortcuts")).value<QDBusArgument>() >> listed;
            for (const PortalShortcutEntry& entry : listed) {
                if (entry.id == kShortcutId) {
                    step_ = Step::Bound;  // bound on an earlier run: nothing to ask
                    return;
                }
            }
            const PortalShortcutList wanted{
                {kShortcutId,
                 {{QStringLiteral("description"), tr("Pick a color from the screen")},
                  {QStringLiteral("preferred_trigger"), trigger_}}}};
            Ask(Step::Bind, QStringLiteral("BindShortcuts"),
                {QVariant::fromValue(QDBusObjectPath(session_)), QVariant::fromValue(wanted),
                 QString()});
            break;
        }
        case Step::Bind:
            step_ = Step::Bound;
            break;
        case Step::Idle:
        case Step::Bound:
            break;
    }
}

void PortalShortcut::OnActivated(const QDBusObjectPath& session, const QString& id, qulonglong,
                                 const QVariantMap&) {
    if (session.path() == session_ && id == kShortcutId) emit activated();
}

}  // namespace velmor
