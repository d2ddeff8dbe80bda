#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QSet>
#include <QString>
#include <QVariantMap>

namespace velmor {

// Where the desktop portal answers, and the interface its requests answer on.
inline const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
inline const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
inline const QString kPortalRequest = QStringLiteral("org.freedesktop.portal.Request");

// The path a request's answer comes on, known before the call so that the
// answer cannot be missed: the caller's bus name and the call's token.
inline QString PortalRequestPath(const QString& baseService, const QString& token) {
    QString sender = baseService.mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
}

// Tells the portal which program calls it: from 1.19.4 it wants a program
// outside a sandbox to say so before its first call. Once a connection;
// an older portal's refusal changes nothing.
inline void RegisterWithPortal(const QDBusConnection& bus) {
    static QSet<QString> registered;
    if (!bus.isConnected() || registered.contains(bus.name())) return;
    registered.insert(bus.name());
    QDBusMessage call = QDBusMessage::createMethodCall(
        kPortalService, kPortalPath, QStringLiteral("org.freedesktop.host.portal.Registry"),
        QStringLiteral("Register"));
    call << QStringLiteral(VELMOR_APP_ID) << QVariantMap();
    // Sent ahead of the calls that follow on the same connection, which
    // the bus delivers in order; the answer is of no use.
    bus.asyncCall(call);
}

}  // namespace velmor
