#include "platform/desktop/kde_shortcut.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>

namespace velmor {

namespace {

const QString kService = QStringLiteral("org.kde.kglobalaccel");
const QString kPath = QStringLiteral("/kglobalaccel");
const QString kInterface = QStringLiteral("org.kde.KGlobalAccel");
const QString kComponentInterface = QStringLiteral("org.kde.kglobalaccel.Component");
const QString kAction = QStringLiteral("pick");

// How the service takes a key: for a program that runs now, as given rather
// than as it saved it last, and (with the last flag) as the default that
// System Settings offers back.
constexpr uint kSetPresent = 2;
constexpr uint kNoAutoloading = 4;
constexpr uint kIsDefault = 8;

}  // namespace

KdeShortcut::KdeShortcut(QDBusConnection bus, QObject* parent)
    : GlobalShortcut(parent),
      bus_(std::move(bus)),
      // Component and action, each by id and by the name System Settings shows.
      actionId_{QStringLiteral(VELMOR_APP_ID), kAction, QStringLiteral(VELMOR_NAME),
                tr("Pick a color from the screen")} {}

KdeShortcut::~KdeShortcut() {
    // The key stays listed, marked as belonging to a program that is gone.
    if (!componentPath_.isEmpty()) {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                           QStringLiteral("setInactive"));
        call << actionId_;
        bus_.call(call, QDBus::NoBlock);
    }
}

bool KdeShortcut::Running(const QDBusConnection& bus) {
    return bus.interface() != nullptr && bus.interface()->isServiceRegistered(kService).value();
}

QDBusMessage KdeShortcut::Call(const QString& method, const QVariantList& arguments) const {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    call.setArguments(arguments);
    return bus_.call(call, QDBus::Block, 3000);
}

bool KdeShortcut::Grab(const QKeySequence& sequence) {
    if (sequence.isEmpty()) {
        Release();
        return true;
    }
    const QList<int> keys{sequence[0].toCombined()};
    if (Call(QStringLiteral("doRegister"), {actionId_}).type() == QDBusMessage::ErrorMessage) {
        return false;
    }
    // Once as the default, once as the key in use: the service keeps the two apart.
    Call(QStringLiteral("setShortcut"),
         {actionId_, QVariant::fromValue(keys), kSetPresent | kNoAutoloading | kIsDefault});
    const QDBusMessage reply =
        Call(QStringLiteral("setShortcut"),
             {actionId_, QVariant::fromValue(keys), kSetPresent | kNoAutoloading});
    Listen();
    // The service answers with the keys it gave: none when another program has ours.
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           qdbus_cast<QList<int>>(reply.arguments().constFirst()) == keys;
}

void KdeShortcut::Release() {
    Call(QStringLiteral("setShortcut"),
         {actionId_, QVariant::fromValue(QList<int>{}), kSetPresent | kNoAutoloading});
}

void KdeShortcut::Listen() {
    if (!componentPath_.isEmpty()) return;
    const QDBusMessage reply = Call(QStringLiteral("getComponent"), {actionId_.constFirst()});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return;
    componentPath_ = qdbus_cast<QDBusObjectPath>(reply.arguments().constFirst()).path();
    bus_.connect(kService, componentPath_, kComponentInterface,
                 QStringLiteral("globalShortcutPressed"), this,
                 SLOT(OnPressed(QString, QString, qlonglong)));
}

void KdeShortcut::OnPressed(const QString& component, const QString& action, qlonglong) {
    if (component == actionId_.constFirst() && action == kAction) emit activated();
}

}  // namespace velmor
