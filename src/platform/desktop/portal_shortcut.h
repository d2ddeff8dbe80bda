#pragma once

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QVariantMap>
#include <functional>

namespace velmor {

// The desktop portal's global shortcut (KDE Plasma, GNOME 48 and later,
// Hyprland): one session for the program's life, under one fixed token so
// that the desktop knows it again; the shortcut is bound, which the desktop
// asks the user about, only when the session does not list it already.
class PortalShortcut : public QObject {
    Q_OBJECT

  public:
    explicit PortalShortcut(QDBusConnection bus = QDBusConnection::sessionBus(),
                            QObject* parent = nullptr);
    // True when the portal offers global shortcuts.
    bool Available() const;
    // Opens the session and binds TRIGGER (the portal's spelling, "LOGO+SHIFT+c").
    void Start(const QString& trigger);

  signals:
    void activated();
    void failed(const QString& why);

  private slots:
    void OnResponse(uint response, const QVariantMap& results);
    void OnActivated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                     const QVariantMap& options);

  private:
    enum class Step { Idle, Session, List, Bind, Bound };
    // Calls METHOD of the interface with ARGUMENTS and an options map holding a
    // fresh handle token, and listens for its request's answer.
    void Ask(Step step, const QString& method, QVariantList arguments, QVariantMap options = {});

    QDBusConnection bus_;
    Step step_ = Step::Idle;
    QString trigger_;
    QString session_;
    QString requestPath_;
    int requests_ = 0;
};

}  // namespace velmor
