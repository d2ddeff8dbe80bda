#pragma once

#include <QString>

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

}  // namespace velmor
