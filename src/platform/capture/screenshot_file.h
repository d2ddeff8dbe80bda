#pragma once

#include <QImage>
#include <QString>
#include <ctime>

namespace velmor {

// The picture a desktop portal saved for a request, and whether it was
// removed. The file is read without following a link or blocking on a FIFO,
// and removed only when it is surely the portal's fresh screenshot for this
// request: a regular file of the user's, changed since `requestStart`, that
// decoded as a picture. Anything else is left as it is.
struct ScreenshotFile {
    QImage image;
    QString error;  // why nothing could be read, for the user
    bool removed = false;
};
ScreenshotFile TakeScreenshotFile(const QString& uri, timespec requestStart);

}  // namespace velmor
