#include "platform/capture/screenshot_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QImageReader>

#include "core/screenshot_checks.h"

namespace velmor {

namespace {

// Two 8K monitors side by side, as PNG, stay well below this.
constexpr qint64 kLargestFile = qint64(1) << 30;

QString Tr(const char* text) {
    return QCoreApplication::translate("velmor::ScreenshotFile", text);
}

bool Newer(const timespec& a, const timespec& b) {
    return a.tv_sec > b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec >= b.tv_nsec);
}

}  // namespace

ScreenshotFile TakeScreenshotFile(const QString& uri, timespec requestStart) {
    ScreenshotFile result;
    const std::optional<std::string> path = LocalPathOfFileUri(uri.toStdString());
    const QString shown = path ? QString::fromStdString(*path) : uri;
    const auto fail = [&](const char* why) {
        result.error = Tr("The screen could not be read: the screenshot %1 could not be read (%2).")
                           .arg(shown, Tr(why));
        return result;
    };
    if (!path) return fail("it is not a plain local file name");
    const int fd = ::open(path->c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return fail(errno == ELOOP ? "it is a symbolic link" : "it cannot be opened");
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return fail("it is not a regular file");
    }
    if (opened.st_size > kLargestFile) {
        ::close(fd);
        return fail("it is larger than any screenshot");
    }
    QByteArray data;
    data.resize(static_cast<qsizetype>(opened.st_size));
    qsizetype got = 0;
    while (got < data.size()) {
        const ssize_t n = ::read(fd, data.data() + got, static_cast<size_t>(data.size() - got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += n;
    }
    ::close(fd);
    data.truncate(got);
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    result.image = reader.read();
    if (result.image.isNull()) return fail("it is not a picture this program reads");

    // Only the portal's own fresh file goes: never a link or someone else's,
    // never one older than the request, never one replaced since it was read.
    struct stat now {};
    const bool same = ::lstat(path->c_str(), &now) == 0 && S_ISREG(now.st_mode) &&
                      now.st_dev == opened.st_dev && now.st_ino == opened.st_ino;
    timespec since = requestStart;
    // File systems that keep whole seconds only.
    if (opened.st_mtim.tv_nsec == 0) since = {requestStart.tv_sec - 1, 0};
    if (same && opened.st_uid == ::geteuid() && Newer(opened.st_mtim, since) &&
        Newer(opened.st_ctim, since)) {
        result.removed = ::unlink(path->c_str()) == 0;
    }
    return result;
}

}  // namespace velmor
