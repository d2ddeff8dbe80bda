#pragma once

#include <QDBusConnection>
#include <QStringList>

#include "platform/desktop/global_shortcut.h"

namespace velmor {

// A global shortcut through KDE's own shortcut service (KWin serves it on
// Wayland): the one that System Settings lists, and that Plasma 5's portal
// never registers a program's shortcuts with.
class KdeShortcut : public GlobalShortcut {
    Q_OBJECT

  public:
    explicit KdeShortcut(QDBusConnection bus = QDBusConnection::sessionBus(),
                         QObject* parent = nullptr);
    ~KdeShortcut() override;

    // True when the service runs in this session; never starts it.
    static bool Running(const QDBusConnection& bus = QDBusConnection::sessionBus());

    bool Grab(const QKeySequence& sequence) override;
    void Release() override;

  private slots:
    void OnPressed(const QString& component, const QString& action, qlonglong timestamp);

  private:
    QDBusMessage Call(const QString& method, const QVariantList& arguments) const;
    void Listen();

    QDBusConnection bus_;
    QStringList actionId_;
    QString componentPath_;
};

}  // namespace velmor
