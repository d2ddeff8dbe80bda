#include "platform/desktop/resident_service.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include "platform/desktop/resident_client.h"

namespace velmor {

ResidentService::ResidentService(std::function<void()> show, PickHandler pick, QObject* parent)
    : QObject(parent), show_(std::move(show)), pick_(std::move(pick)) {}

bool ResidentService::Register() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    // Without a session bus nobody can reach us, nor another copy: run alone.
    if (!bus.isConnected()) return true;
    if (!bus.registerObject(QString::fromStdString(ResidentPath()), this,
                            QDBusConnection::ExportScriptableSlots)) {
        return false;
    }
    // Never queued behind another copy: that one answers instead.
    const auto reply = bus.interface()->registerService(
        QStringLiteral(VELMOR_APP_ID), QDBusConnectionInterface::DontQueueService,
        QDBusConnectionInterface::DontAllowReplacement);
    return reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
}

void ResidentService::Show() {
    show_();
}

int ResidentService::Pick(const QStringList& arguments, const QDBusMessage& message, QString&,
                          QString&) {
    // Answered when the pick ends, which may be minutes later.
    message.setDelayedReply(true);
    pick_(arguments, [message](int status, const QString& out, const QString& err) {
        QDBusConnection::sessionBus().send(message.createReply({status, out, err}));
    });
    return 0;
}

}  // namespace velmor
