#include "ui/widgets/copied_note.h"

#include <QApplication>
#include <QCursor>
#include <QToolTip>
#include <QWidget>

#include "platform/desktop/clipboard.h"
#include "ui/widgets/accessible_roles.h"

namespace velmor {

void CopyAndSay(const QString& text, QWidget* near) {
    PutTextOnClipboard(text);
    const QPoint at = near != nullptr ? near->mapToGlobal(QPoint(0, near->height()))
                                      : QCursor::pos() + QPoint(8, 16);
    const QString copied = QCoreApplication::translate("Copy", "Copied");
    QToolTip::showText(at, copied, near, {}, 1200);
    Announce(near != nullptr ? near : QApplication::activeWindow(),
             QStringLiteral("%1 %2").arg(copied, text));
}

}  // namespace velmor
