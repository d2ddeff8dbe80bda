#include "platform/portal_capture.h"

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
#include "platform/screenshot_file.h"

namespace velmor {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kScreenshot = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
// A portal that has not answered by then is showing the user a question
// (GNOME asks once whether screenshots are allowed); the user then has all the
// time a person needs, within a bound that keeps a script from hanging.
constexpr int kAskingAfterMs = 1500;
constexpr int kAnswerTimeMs = 10 * 60 * 1000;

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
        if (step_ == Step::Idle) return;
        timeout_.start(std::max(timeoutMs, kAnswerTimeMs));
        emit askingUser();
    });
}

void PortalCapture::Cancel() {
    if (step_ == Step::Idle) return;
    CloseRequest();
    EndRequest();
}

void PortalCapture::CloseRequest() {
    // Takes down any dialog the desktop still shows for this request.
    if (requestPath_.isEmpty()) return;
    bus_.asyncCall(
        QDBusMessage::createMethodCall(kService, requestPath_, kRequest, QStringLiteral("Close")));
}

QString PortalCapture::NoScreenshotReason(const QDBusError& error) const {
    const bool portal = error.type() != QDBusError::ServiceUnknown;
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    const std::vector<std::string> missing =
        MissingPortalPackages(desktop != nullptr ? desktop : "", InstalledPortalBackends(), portal);
    QStringList packages;
    for (const std::string& p : missing) packages << QString::fromStdString(p);
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
    timeout_.start(timeoutMs_);
    asking_.start();
    clock_gettime(CLOCK_REALTIME, &requestStart_);
    Call(Step::Screenshot);
}

void PortalCapture::Listen(const QString& path) {
    StopListening();
    requestPath_ = path;
    bus_.connect(kService, requestPath_, kRequest, QStringLiteral("Response"), this,
                 SLOT(OnResponse(uint, QVariantMap)));
}

void PortalCapture::StopListening() {
    if (requestPath_.isEmpty()) return;
    bus_.disconnect(kService, requestPath_, kRequest, QStringLiteral("Response"), this,
                    SLOT(OnResponse(uint, QVariantMap)));
    requestPath_.clear();
}

void PortalCapture::Call(Step step) {
    step_ = step;
    // The request's path is known before the call, so its answer cannot be missed.
    const QString token = QStringLiteral("velmor%1").arg(++requests_);
    QString sender = bus_.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    Listen(QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token));

    QVariantMap options{{QStringLiteral("handle_token"), token}};
    if (step == Step::Screenshot) options.insert(QStringLiteral("interactive"), false);
    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, kPath, kScreenshot,
        step == Step::Screenshot ? QStringLiteral("Screenshot") : QStringLiteral("PickColor"));
    call << parentWindow_ << options;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, step](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                if (step_ != step) return;
                const QDBusPendingReply<QDBusObjectPath> reply = *w;
                if (reply.isError()) {
                    FallBackOrFail(NoScreenshotReason(reply.error()));
                    return;
                }
                // Older portals choose their own path.
                const QString path = reply.value().path();
                if (path != requestPath_) Listen(path);
            });
}

bool PortalCapture::OffersPickColor() {
    QDBusMessage get = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kScreenshot << QStringLiteral("version");
    const QDBusMessage reply = bus_.call(get, QDBus::Block, 2000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return false;
    const QVariant version = reply.arguments().first().value<QDBusVariant>().variant();
    return version.toUInt() >= 2;
}

void PortalCapture::FallBackOrFail(const QString& reason) {
    if (step_ == Step::Screenshot && OffersPickColor()) {
        Call(Step::PickColor);
        return;
    }
    Fail(reason);
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
    if (response == 1) {
        EndRequest();
        emit cancelled();
        return;
    }
    if (response != 0) {
        FallBackOrFail(
            tr("The screen could not be read: the desktop refused the screenshot. GNOME "
               "remembers that answer; to be asked again, run\n"
               "busctl --user call org.freedesktop.impl.portal.PermissionStore "
               "/org/freedesktop/impl/portal/PermissionStore "
               "org.freedesktop.impl.portal.PermissionStore Delete ss screenshot screenshot\n"
               "Other desktops keep the answer in their privacy settings."));
        return;
    }
    EndRequest();
    if (step == Step::Screenshot) {
        LoadScreenshot(results);
    } else {
        ReadColor(results);
    }
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
