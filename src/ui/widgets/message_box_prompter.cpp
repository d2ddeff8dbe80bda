#include "ui/widgets/message_box_prompter.h"

#include <QFileDialog>
#include <QMessageBox>

namespace velmor {

namespace {

int Run(QWidget* parent, QMessageBox::Icon icon, const QString& text,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, QStringLiteral(VELMOR_NAME), text, buttons, parent);
    box.setDefaultButton(defaultButton);
    // Above whatever owns it, even a window that stays on top of everything.
    if (parent != nullptr && (parent->windowFlags() & Qt::WindowStaysOnTopHint)) {
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    return box.exec();
}

}  // namespace

bool MessageBoxPrompter::AskYesNo(QWidget* parent, const QString& text) {
    return Run(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
               QMessageBox::No) == QMessageBox::Yes;
}

void MessageBoxPrompter::ShowStopMessage(QWidget* parent, const QString& text) {
    Run(parent, QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

void MessageBoxPrompter::ShowInformation(QWidget* parent, const QString& text) {
    Run(parent, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

QString MessageBoxPrompter::AskFile(QWidget* parent, bool save, const QString& caption,
                                    const QString& filters, QString* selectedFilter) {
    return save ? QFileDialog::getSaveFileName(parent, caption, QString(), filters, selectedFilter)
                : QFileDialog::getOpenFileName(parent, caption, QString(), filters, selectedFilter);
}

}  // namespace velmor
