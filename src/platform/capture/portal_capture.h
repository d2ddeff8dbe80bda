#pragma once

#include <QDBusConnection>
#include <QDBusError>
#include <QTimer>
#include <QVariantMap>
#include <ctime>

#include "platform/capture/screen_capture.h"

namespace velmor {

// The desktop portal's Screenshot, non-interactive; where the portal refuses it
// or has none, its PickColor for a single pick. The saved screenshot is
// deleted once loaded.
class PortalCapture : public ScreenCapture {
    Q_OBJECT

  public:
    explicit PortalCapture(QDBusConnection bus = QDBusConnection::sessionBus(),
                           int timeoutMs = 5000, QObject* parent = nullptr);

    void Request(const QString& parentWindow) override;
    void Cancel() override;
    void Retry(Remedy remedy) override;

  private slots:
    void OnResponse(uint response, const QVariantMap& results);

  private:
    enum class Step { Idle, Screenshot, PickColor };

    void Call(Step step);
    void Listen(const QString& path);
    void StopListening();
    bool OffersPickColor();
    void EndRequest();
    void CloseRequest();
    QString NoScreenshotReason(const QDBusError& error) const;
    void Fail(const QString& reason);
    // The screenshot refused: the desktop's own picker offered where it has one.
    void Refuse(const QString& reason);
    static QString RefusedReason();
    void LoadScreenshot(const QVariantMap& results);
    void ReadColor(const QVariantMap& results);

    QDBusConnection bus_;
    QTimer timeout_;
    QTimer asking_;
    int timeoutMs_;
    timespec requestStart_{};
    // The user was shown the desktop's question during this request.
    bool asked_ = false;
    Step step_ = Step::Idle;
    QString parentWindow_;
    QString requestPath_;
    int requests_ = 0;
};

}  // namespace velmor
