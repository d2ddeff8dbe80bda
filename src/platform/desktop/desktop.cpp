#include "platform/desktop/desktop.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTimer>
#include <memory>

#include "settings/settings_location.h"

namespace velmor {

QString ProgramDirectory() {
    return QString::fromStdString(ApplicationFolder());
}

namespace {

// How long an opener has to fail before it is taken to have worked (a
// browser it started may keep it waiting for as long as it runs).
constexpr int kWatchMs = 4000;
constexpr int kPollMs = 100;

// Reads the opener's exit status from `statusFile` once it is written.
void WatchStatus(const QString& statusFile, const QUrl& url, const SystemDesktop::Failure& failed) {
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [=] {
        *waited += kPollMs;
        QFile file(statusFile);
        const bool written = file.open(QIODevice::ReadOnly) && file.size() > 0;
        if (!written && *waited < kWatchMs) return;
        const QByteArray status = written ? file.readAll().trimmed() : QByteArray("0");
        file.close();
        QFile::remove(statusFile);
        timer->deleteLater();
        if (status != "0" && failed) failed(url);
    });
    timer->start(kPollMs);
}

}  // namespace

bool SystemDesktop::Open(const QUrl& url) {
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    // In a sandbox, or with no xdg-open, the toolkit's own way (the portal).
    if (opener.isEmpty() || qEnvironmentVariableIsSet("FLATPAK_ID")) {
        return QDesktopServices::openUrl(url);
    }
    QTemporaryFile status(QDir::tempPath() + QStringLiteral("/velmor-open-XXXXXX"));
    status.setAutoRemove(false);
    if (!status.open()) return QDesktopServices::openUrl(url);
    const QString statusFile = status.fileName();
    status.close();
    // The shell writes xdg-open's status when it ends; we read it if that is soon.
    const bool started = QProcess::startDetached(
        QStringLiteral("/bin/sh"),
        {QStringLiteral("-c"), QStringLiteral("\"$0\" \"$1\" >/dev/null 2>&1; echo $? > \"$2\""),
         opener, url.toString(QUrl::FullyEncoded), statusFile});
    if (!started) {
        QFile::remove(statusFile);
        return false;
    }
    WatchStatus(statusFile, url, failed_);
    return true;
}

}  // namespace velmor
