#include "ui/picker/permission_note.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmor {

PermissionNote::PermissionNote(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("permissionNote"));
    setWindowTitle(tr("Velmor Color Picker"));
    auto* layout = new QVBoxLayout(this);
    auto* text =
        new QLabel(tr("Your desktop is asking whether Velmor Color Picker may take screenshots.\n"
                      "Choose Allow in its dialog to open the picker, or Deny to stop."),
                   this);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    connect(cancel, &QPushButton::clicked, this, &PermissionNote::cancelRequested);
    layout->addWidget(cancel, 0, Qt::AlignRight);
}

void PermissionNote::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit cancelRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PermissionNote::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit cancelRequested();
}

}  // namespace velmor
