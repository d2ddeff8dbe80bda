#include "ui/widgets/copied_note.h"

#include <QCoreApplication>
#include <QCursor>
#include <QToolTip>
#include <QWidget>

#include "platform/desktop/clipboard.h"

namespace velmor {

void CopyAndSay(const QString& text, QWidget* near) {
    PutTextOnClipboard(text);
    const QPoint at = near != nullptr ? near->mapToGlobal(QPoint(0, near->height()))
                                      : QCursor::pos() + QPoint(8, 16);
    QToolTip::showText(at, QCoreApplication::translate("Copy", "Copied"), near, {}, 1200);
}

}  // namespace velmor
