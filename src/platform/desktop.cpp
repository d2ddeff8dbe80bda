#include "platform/desktop.h"

#include <QDesktopServices>

namespace velmor {

bool SystemDesktop::Open(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

}  // namespace velmor
