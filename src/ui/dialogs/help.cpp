#include "ui/dialogs/help.h"

#include <QUrl>

#include "platform/desktop.h"
#include "settings/settings_store.h"

namespace velmor {

void OpenHelpFile() {
    Desktop::Open(
        QUrl::fromLocalFile(QString::fromStdString(ApplicationFolder()) + "/" + kHelpFileName));
}

void OpenSupportMail() {
    Desktop::Open(QUrl(QStringLiteral("mailto:") + kSupportAddress));
}

void OpenWebSite() {
    Desktop::Open(QUrl(kWebAddress));
}

}  // namespace velmor
