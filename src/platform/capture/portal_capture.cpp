#include "platform/capture/portal_capture.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>
#include <cmath>
#include <cstdlib>

#include "core/portal_backends.h"
#include "core/screenshot_checks.h"
#include "platform/capture/screenshot_file.h"
#include "platform/desktop/portal_names.h"

namespace velmor {

namespace {

const QString kScreenshot = QStringLiteral("org.freedesktop.portal.Screenshot");
// A portal that has not answered by then is showing the user a question
// (GNOME asks once whether screenshots are allowed); the user then has all the
// time a person needs, within a bound that keeps a script from hanging.
constexpr int kAskingAfterMs = 1500;
constexpr int kAnswerTimeMs = 10 * 60 * 1000;
// Long enough for the compositor to take the note off the screen before the
// picture is taken again.
constexpr int kRepaintMs = 200;

// The portal's remembered answer for programs outside a sandbox (app id "").
enum class StoredAnswer { None, Yes, No };
StoredAnswer StoredScreenshotAnswer(const QDBusConnection& bus) {
    const QString store = QStringLiteral("org.freedesktop.impl.portal.PermissionStore");
    QDBusMessage call = QDBusMessage::createMethodCall(
        store, QStringLiteral("/org/freedesktop/impl/portal/PermissionStore"), store,
        QStringLiteral("Lookup"));
    call << QStringLiteral("screenshot") << QStringLiteral("screenshot");
    const QDBusMessage reply = bus.call(call, QDBus::Block, 1000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return StoredAnswer::None;
    }
    QMap<QString, QStringList> permissions;
    reply.arguments().first().value<QDBusArgument>() >> permissions;
    const QStringList answer = permissions.value(QString());
    if (answer.contains(QStringLiteral("yes"))) return StoredAnswer::Yes;
    if (answer.contains(QStringLiteral("no"))) return StoredAnswer::No;
    return StoredAnswer::None;
}

std::vector<std::string> InstalledPortalBackends() {
    std::vector<std::string> names;
    for (const QString& folder : QStandardPaths::locateAll(
             QStandardPaths::GenericDataLocation, QStringLiteral("xdg-desktop-portal/portals"),
             QStandardPaths::LocateDirectory)) {
        for (const QFileInfo& file :
             QDir(folder).entryInfoList({QStringLiteral("*.portal")}, QDir::Files)) {
            names.push_back(file.completeBaseName().toStdString());
        }
    }
    return names;
}

// Whether xdg-desktop-portal itself is installed: the bus starts it by its service file.
bool PortalInstalled() {
    return !QStandardPaths::locate(
                QStandardPaths::GenericDataLocation,
                QStringLiteral("dbus-1/services/org.freedesktop.portal.Desktop.service"))
                .isEmpty();
}

int Component(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

// The monitors as the toolkit lays them out, scaled to the picture, which the
// compositor makes of the whole layout. False when the picture is not of it.
bool AddMonitors(ScreenImage& screen) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    QRect all;
    double highest = 1;
    for (QScreen* s : screens) {
        all |= s->geometry();
        highest = std::max(highest, s->devicePixelRatio());
    }
    if (!PictureFitsDesktop(screen.image.width(), screen.image.height(), all.width(), all.height(),
                            highest)) {
        return false;
    }
    const double scale = double(screen.image.width()) / all.width();
    for (QScreen* s : screens) {
        screen.resampled = screen.resampled || s->devicePixelRatio() < scale - 0.01;
        const QRect g = s->geometry().translated(-all.topLeft());
        const DeviceRect r{int(std::lround(g.x() * scale)), int(std::lround(g.y() * scale)),
                           int(std::lround(g.width() * scale)),
                           int(std::lround(g.height() * scale))};
        screen.monitors.push_back({r, scale});
        screen.surfaces.push_back(s->geometry());
    }
    return true;
}

}  // namespace

PortalCapture::PortalCapture(QDBusConnection bus, int timeoutMs, QObject* parent)
    : ScreenCapture(parent), bus_(std::move(bus)), timeoutMs_(timeoutMs) {
    timeout_.setSingleShot(true);
    connect(&timeout_, &QTimer::timeout, this, [this] {
        CloseRequest();
        Fail(tr("The screen could not be read: the desktop portal did not answer within %1 "
                "seconds.")
                 .arg(timeout_.interval() / 1000));
    });
    asking_.setSingleShot(true);
    asking_.setInterval(kAskingAfterMs);
    connect(&asking_, &QTimer::timeout, this, [this, timeoutMs] {
        if (step_ != Step::Screenshot) return;
        // Only a desktop that asks, and a question never answered, show a
        // dialog; a remembered answer is just slow, and elsewhere a portal
        // this slow has no answer to give.
        const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
        if (!PortalAsksBeforeScreenshots(desktop != nullptr ? desktop : "")) return;
        if (StoredScreenshotAnswer(bus_) != StoredAnswer::None) return;
        asked_ = true;
        timeout_.start(std::max(timeoutMs, kAnswerTimeMs));
        emit askingUser();
    });
}

void PortalCapture::Retry(Remedy remedy) {
    if (step_ != Step::Idle) return;
    if (remedy == Remedy::AskAgain) {
        Request(parentWindow_);
        return;
    }
    timeout_.start(kAnswerTimeMs);
    Call(Step::PickColor);
}

QString PortalCapture::RefusedReason() {
    return tr(
        "Screenshots were refused, so the picker cannot show the screen.\n"
        "GNOME keeps that answer in the desktop portal's permission store (table "
        "\"screenshot\"); to be asked again, run\n"
        "busctl --user call org.freedesktop.impl.portal.PermissionStore "
        "/org/freedesktop/impl/portal/PermissionStore "
        "org.freedesktop.impl.portal.PermissionStore Delete ss screenshot screenshot\n"
        "Other desktops keep the answer in their privacy settings.");
}

void PortalCapture::Refuse(const QString& reason) {
    EndRequest();
    if (OffersPickColor()) {
        emit refused(reason, Remedy::DesktopPicker);
    } else {
        emit failed(reason);
    }
}

void PortalCapture::Cancel() {
    if (step_ == Step::Idle) return;
    CloseRequest();
    EndRequest();
}

void PortalCapture::CloseRequest() {
    // Takes down any dialog the desktop still shows for this request.
    if (requestPath_.isEmpty()) return;
    bus_.asyncCall(QDBusMessage::createMethodCall(kPortalService, requestPath_, kPortalRequest,
                                                  QStringLiteral("Close")));
}

QString PortalCapture::NoScreenshotReason(const QDBusError& error) const {
    const PortalFault fault = PortalFaultOf(error.name().toStdString());
    if (fault == PortalFault::NoAnswer) {
        return tr("The screen could not be read: the desktop portal did not answer (%1); it "
                  "may have stopped or hung. Restart it (systemctl --user restart "
                  "xdg-desktop-portal), or log out and in again.")
            .arg(error.message());
    }
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    const std::vector<std::string> missing = MissingPortalPackages(
        desktop != nullptr ? desktop : "", InstalledPortalBackends(), PortalInstalled());
    QStringList packages;
    for (const std::string& p : missing) packages << QString::fromStdString(p);
    if (packages.isEmpty() && fault == PortalFault::NotRunning) {
        return tr("The screen could not be read: the desktop portal (xdg-desktop-portal) is "
                  "installed but not running, and could not be started (%1). Start it "
                  "(systemctl --user start xdg-desktop-portal), or log out and in again.")
            .arg(error.message());
    }
    if (packages.isEmpty()) {
        return tr("The screen could not be read: the desktop portal offers no screenshots here "
                  "(%1), although its backends for this desktop are installed. Log out and in "
                  "again so that the portal finds them.")
            .arg(error.message());
    }
    return tr("The screen could not be read: no desktop portal offers screenshots here (%1). "
              "Install %2.")
        .arg(error.message(), packages.join(QStringLiteral(", ")));
}

void PortalCapture::Request(const QString& parentWindow) {
    if (step_ != Step::Idle) return;
    parentWindow_ = parentWindow;
    if (!bus_.isConnected()) {
        emit failed(
            tr("The screen could not be read: this Wayland session has no session bus, "
               "so the desktop portal cannot be asked for a screenshot."));
        return;
    }
    RegisterWithPortal(bus_);
    timeout_.start(timeoutMs_);
    asking_.start();
    asked_ = false;
    clock_gettime(CLOCK_REALTIME, &requestStart_);
    Call(Step::Screenshot);
}

void PortalCapture::Listen(const QString& path) {
    StopListening();
    requestPath_ = path;
    bus_.connect(kPortalService, requestPath_, kPortalRequest, QStringLiteral("Response"), this,
                 SLOT(OnResponse(uint, QVariantMap)));
}

void PortalCapture::StopListening() {
    if (requestPath_.isEmpty()) return;
    bus_.disconnect(kPortalService, requestPath_, kPortalRequest, QStringLiteral("Response"), this,
                    SLOT(OnResponse(uint, QVariantMap)));
    requestPath_.clear();
}

void PortalCapture::Call(Step step) {
    step_ = step;
    // The request's path is known before the call, so its answer cannot be missed.
    const QString token = QStringLiteral("velmor%1").arg(++requests_);
    Listen(PortalRequestPath(bus_.baseService(), token));

    QVariantMap options{{QStringLiteral("handle_token"), token}};
    if (step == Step::Screenshot) options.insert(QStringLiteral("interactive"), false);
    QDBusMessage call = QDBusMessage::createMethodCall(
        kPortalService, kPortalPath, kScreenshot,
        step == Step::Screenshot ? QStringLiteral("Screenshot") : QStringLiteral("PickColor"));
    call << parentWindow_ << options;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, step](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                if (step_ != step) return;
                const QDBusPendingReply<QDBusObjectPath> reply = *w;
                if (reply.isError()) {
                    Refuse(NoScreenshotReason(reply.error()));
                    return;
                }
                // Older portals choose their own path.
                const QString path = reply.value().path();
                if (path != requestPath_) Listen(path);
            });
}

bool PortalCapture::OffersPickColor() {
    QDBusMessage get = QDBusMessage::createMethodCall(
        kPortalService, kPortalPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << kScreenshot << QStringLiteral("version");
    const QDBusMessage reply = bus_.call(get, QDBus::Block, 2000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return false;
    const QVariant version = reply.arguments().first().value<QDBusVariant>().variant();
    return version.toUInt() >= 2;
}

void PortalCapture::EndRequest() {
    StopListening();
    timeout_.stop();
    asking_.stop();
    step_ = Step::Idle;
}

void PortalCapture::Fail(const QString& reason) {
    EndRequest();
    emit failed(reason);
}

void PortalCapture::OnResponse(uint response, const QVariantMap& results) {
    const Step step = step_;
    if (step == Step::Idle) return;
    const bool asked = asked_;
    asked_ = false;
    if (asked) emit stoppedAsking();
    if (response == 1) {
        // A screenshot taken without interaction shows nothing a person could
        // cancel, unless the desktop asked first.
        if (step == Step::Screenshot && !asked) {
            Fail(tr("The screen could not be read: the desktop portal cancelled the screenshot "
                    "without asking anything. KDE's portal does so when it cannot "
                    "save the picture: check that %1 exists and can be written.")
                     .arg(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)));
            return;
        }
        EndRequest();
        emit cancelled();
        return;
    }
    if (response != 0 && step == Step::Screenshot) {
        const StoredAnswer stored = StoredScreenshotAnswer(bus_);
        if (asked && stored == StoredAnswer::None) {
            // The portal gives up on its question after 25 seconds and leaves it up.
            EndRequest();
            emit refused(tr("Your desktop stopped waiting for an answer to its question "
                            "whether Velmor Color Picker may take screenshots; an answer "
                            "given after that is lost. Close its dialog and ask again."),
                         Remedy::AskAgain);
            return;
        }
        Refuse(stored == StoredAnswer::No
                   ? RefusedReason()
                   : tr("The screen could not be read: the desktop portal did not take the "
                        "screenshot."));
        return;
    }
    if (response != 0) {
        Fail(tr("The desktop portal picked no color."));
        return;
    }
    EndRequest();
    if (step == Step::PickColor) {
        ReadColor(results);
        return;
    }
    if (asked) {
        // The note was on the screen when the picture was taken: take it again
        // once the note is gone, now that the answer is remembered.
        TakeScreenshotFile(results.value(QStringLiteral("uri")).toString(), requestStart_);
        QTimer::singleShot(kRepaintMs, this, [this] { Request(parentWindow_); });
        return;
    }
    LoadScreenshot(results);
}

void PortalCapture::LoadScreenshot(const QVariantMap& results) {
    const QString uri = results.value(QStringLiteral("uri")).toString();
    if (uri.isEmpty()) {
        emit failed(tr("The screen could not be read: the desktop portal returned no file."));
        return;
    }
    // A pick leaves no screenshots behind, and removes nothing else.
    ScreenshotFile file = TakeScreenshotFile(uri, requestStart_);
    if (!file.error.isEmpty()) {
        emit failed(file.error);
        return;
    }
    ScreenImage screen;
    screen.pointerShown = true;
    // A PNG of 16 bits a channel keeps them.
    screen.image = OwnedPicture(file.image);
    screen.channelBits = ChannelBits(file.image);
    if (!AddMonitors(screen)) {
        emit failed(tr("The screen could not be read: the screenshot is %1 x %2 pixels, which "
                       "is not the size of this desktop.")
                        .arg(screen.image.width())
                        .arg(screen.image.height()));
        return;
    }
    emit routeNote(tr("captured through the desktop portal's screenshot"));
    emit captured(screen);
}

void PortalCapture::ReadColor(const QVariantMap& results) {
    const QVariant value = results.value(QStringLiteral("color"));
    if (!value.canConvert<QDBusArgument>()) {
        emit failed(tr("The desktop portal picked no color."));
        return;
    }
    const QDBusArgument argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("(ddd)")) {
        emit failed(tr("The desktop portal picked no color."));
        return;
    }
    double r = 0, g = 0, b = 0;
    argument.beginStructure();
    argument >> r >> g >> b;
    argument.endStructure();
    emit colorPicked(QColor(Component(r), Component(g), Component(b)));
}

}  // namespace velmor
