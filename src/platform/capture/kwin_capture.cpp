#include "platform/capture/kwin_capture.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <vector>

namespace velmor {

namespace {

const QString kService = QStringLiteral("org.kde.KWin.ScreenShot2");
constexpr int kDeadlineMs = 3000;

// Reads the picture's bytes from the pipe, within the deadline.
bool ReadAll(int fd, QByteArray& data, qsizetype expected, const QElapsedTimer& clock) {
    data.reserve(expected);
    char buffer[65536];
    while (data.size() < expected) {
        pollfd p{fd, POLLIN, 0};
        const int left = kDeadlineMs - static_cast<int>(clock.elapsed());
        if (left <= 0 || ::poll(&p, 1, left) <= 0) return false;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return false;
        data.append(buffer, std::min<qsizetype>(n, expected - data.size()));
    }
    return true;
}

struct Shot {
    QImage image;
    QRect logical;
};

std::optional<Shot> CopyScreen(QDBusConnection& bus, const QScreen* screen, QString* why,
                               const QElapsedTimer& clock) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        *why = QStringLiteral("no pipe");
        return std::nullopt;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, QStringLiteral("/org/kde/KWin/ScreenShot2"),
                                       kService, QStringLiteral("CaptureScreen"));
    const QVariantMap options{{QStringLiteral("native-resolution"), true},
                              {QStringLiteral("include-cursor"), false}};
    call << screen->name() << options << QVariant::fromValue(QDBusUnixFileDescriptor(fds[1]));
    ::close(fds[1]);
    const QDBusMessage reply = bus.call(call, QDBus::Block, kDeadlineMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        ::close(fds[0]);
        if (reply.errorName() == QLatin1String("org.kde.KWin.ScreenShot2.Error.NoAuthorized")) {
            *why = QStringLiteral(
                       "KWin refused its screenshot interface: not authorized (its desktop entry "
                       "must run this program by its absolute path, %1)")
                       .arg(QCoreApplication::applicationFilePath());
        } else {
            *why = QStringLiteral("KWin refused its screenshot interface: %1")
                       .arg(reply.errorMessage().isEmpty() ? QStringLiteral("no answer")
                                                           : reply.errorMessage());
        }
        return std::nullopt;
    }
    const QVariantMap results = qdbus_cast<QVariantMap>(reply.arguments().first());
    const auto number = [&](const char* key) {
        return results.value(QString::fromLatin1(key)).toLongLong();
    };
    const qint64 width = number("width");
    const qint64 height = number("height");
    const qint64 stride = number("stride");
    const qint64 format = number("format");
    const bool sane = results.value(QStringLiteral("type")).toString() == QLatin1String("raw") &&
                      width > 0 && height > 0 && width <= 65535 && height <= 65535 &&
                      stride >= width && stride <= width * 16 && format > QImage::Format_Invalid &&
                      format < QImage::NImageFormats;
    QByteArray data;
    const bool read = sane && ReadAll(fds[0], data, stride * height, clock);
    ::close(fds[0]);
    if (!read || data.size() != stride * height) {
        *why = QStringLiteral("KWin sent no picture of %1").arg(screen->name());
        return std::nullopt;
    }
    const QImage view(reinterpret_cast<const uchar*>(data.constData()), int(width), int(height),
                      stride, static_cast<QImage::Format>(format));
    if (view.isNull() || view.bytesPerLine() > stride) {
        *why = QStringLiteral("KWin sent a picture this program cannot read");
        return std::nullopt;
    }
    return Shot{OwnedPicture(view), screen->geometry()};
}

}  // namespace

std::optional<ScreenImage> CopyKWinScreens(QDBusConnection bus, QString* why) {
    QString reason;
    const auto fail = [&]() -> std::optional<ScreenImage> {
        if (why != nullptr) *why = reason;
        return std::nullopt;
    };
    if (!bus.isConnected() || bus.interface() == nullptr ||
        !bus.interface()->isServiceRegistered(kService)) {
        reason = QStringLiteral("no KWin screenshot interface here");
        return fail();
    }
    QElapsedTimer clock;
    clock.start();
    std::vector<QImage> pictures;
    std::vector<QRect> logical;
    for (const QScreen* screen : QGuiApplication::screens()) {
        std::optional<Shot> shot = CopyScreen(bus, screen, &reason, clock);
        if (!shot) return fail();
        pictures.push_back(std::move(shot->image));
        logical.push_back(shot->logical);
    }
    std::optional<ScreenImage> screen = ComposeOutputs(pictures, logical);
    if (!screen) {
        reason = QStringLiteral("the screens' sizes do not agree");
        return fail();
    }
    return screen;
}

}  // namespace velmor
