#include "platform/desktop/desktop.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTimer>
#include <memory>

#include <QCoreApplication>
#include <QSaveFile>

#include "platform/capture/x11_screen.h"
#include "platform/desktop/kde_shortcut.h"
#include "platform/desktop/portal_shortcut.h"
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

namespace {

// gsettings, answered within a few seconds; its output, or nothing on failure.
std::optional<QString> Gsettings(const QStringList& arguments, QString* why) {
    QProcess gsettings;
    gsettings.start(QStringLiteral("gsettings"), arguments);
    if (!gsettings.waitForFinished(5000) || gsettings.exitStatus() != QProcess::NormalExit ||
        gsettings.exitCode() != 0) {
        const QString said = QString::fromLocal8Bit(gsettings.readAllStandardError()).trimmed();
        *why = said.isEmpty() ? gsettings.errorString() : said;
        gsettings.kill();
        return std::nullopt;
    }
    return QString::fromLocal8Bit(gsettings.readAllStandardOutput()).trimmed();
}

QString AutostartFile() {
    const QString config = qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME")
                               ? QDir::homePath() + QStringLiteral("/.config")
                               : qEnvironmentVariable("XDG_CONFIG_HOME");
    return config + QStringLiteral("/autostart/" VELMOR_APP_ID ".desktop");
}

}  // namespace

ShortcutRoute SystemDesktop::Shortcuts() const {
    ShortcutPlace place{qEnvironmentVariable("XDG_CURRENT_DESKTOP").toStdString(), OnX11(),
                        qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") ||
                            qEnvironmentVariableIsSet("WAYLAND_DISPLAY")};
    // Asked only where the X grab cannot serve: calls to the bus.
    if (place.waylandSession) {
        place.kdeService = KdeShortcut::Running();
        if (!place.kdeService) place.portalShortcuts = PortalShortcut().Available();
    }
    return ChooseShortcutRoute(place);
}

bool SystemDesktop::BindGnomeShortcut(const QString& accelerator, QString* why) {
    const QString schema = QStringLiteral("org.gnome.settings-daemon.plugins.media-keys");
    const QString path =
        QStringLiteral("/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/velmor/");
    const QString binding = schema + QStringLiteral(".custom-keybinding:") + path;
    // The pick goes to the resident copy when one runs, and copies its colour.
    const QString command =
        QStringLiteral("\"%1\" --pick --copy").arg(QCoreApplication::applicationFilePath());
    const auto list =
        Gsettings({QStringLiteral("get"), schema, QStringLiteral("custom-keybindings")}, why);
    if (!list) return false;
    const auto quoted = [](const QString& text) {
        return QString::fromStdString(GVariantString(text.toStdString()));
    };
    return Gsettings({QStringLiteral("set"), binding, QStringLiteral("name"),
                      quoted(QStringLiteral(VELMOR_NAME))},
                     why) &&
           Gsettings({QStringLiteral("set"), binding, QStringLiteral("command"), quoted(command)},
                     why) &&
           Gsettings(
               {QStringLiteral("set"), binding, QStringLiteral("binding"), quoted(accelerator)},
               why) &&
           Gsettings({QStringLiteral("set"), schema, QStringLiteral("custom-keybindings"),
                      QString::fromStdString(
                          WithGnomeKeybindingPath(list->toStdString(), path.toStdString()))},
                     why);
}

bool SystemDesktop::StartsWithDesktop() const {
    return QFile::exists(AutostartFile());
}

bool SystemDesktop::SetStartWithDesktop(bool start, QString* why) {
    const QString file = AutostartFile();
    if (!start) {
        if (!QFile::exists(file) || QFile::remove(file)) return true;
        *why = QStringLiteral("%1 could not be removed").arg(file);
        return false;
    }
    QSaveFile entry(file);
    const std::string text =
        AutostartEntry(VELMOR_NAME, QCoreApplication::applicationFilePath().toStdString());
    if (!QDir().mkpath(QFileInfo(file).absolutePath()) || !entry.open(QIODevice::WriteOnly) ||
        entry.write(text.data(), qint64(text.size())) != qint64(text.size()) || !entry.commit()) {
        *why = QStringLiteral("%1: %2").arg(file, entry.errorString());
        return false;
    }
    return true;
}

}  // namespace velmor
