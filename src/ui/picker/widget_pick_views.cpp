#include "ui/picker/widget_pick_views.h"

#include "ui/picker/color_picker.h"
#include "ui/picker/permission_note.h"

#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

namespace velmor {

bool WidgetPickHost::IsShown() const {
    return window_.isVisible();
}

QWindow* WidgetPickHost::Handle() const {
    return window_.windowHandle();
}

void WidgetPickHost::Hide() {
    window_.hide();
}

void WidgetPickHost::Restore() {
    // Shown again as it was hidden: the window system kept its place.
    window_.show();
    window_.raise();
    window_.activateWindow();
}

std::unique_ptr<PickerView> WidgetPickViews::MakePicker(ScreenImage screen, PointerControl& pointer,
                                                        const AppOptions& options,
                                                        PickerMemory& memory, QWidget* owner) {
    return std::make_unique<ColorPicker>(std::move(screen), pointer, options, memory, owner);
}

std::unique_ptr<QObject> WidgetPickViews::ShowPermissionNote(std::function<void()> cancel) {
    auto note = std::make_unique<PermissionNote>();
    QObject::connect(note.get(), &PermissionNote::cancelRequested, note.get(), std::move(cancel));
    note->show();
    return note;
}

bool WidgetPickViews::OfferRemedy(const QString& reason, ScreenCapture::Remedy remedy) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral(VELMOR_NAME), reason);
    box.setObjectName(QStringLiteral("refusalMessage"));
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPushButton* retry = box.addButton(remedy == ScreenCapture::Remedy::AskAgain
                                           ? QObject::tr("Ask &Again")
                                           : QObject::tr("&Use the Desktop's Picker"),
                                       QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Close);
    box.setDefaultButton(QMessageBox::Close);
    box.exec();
    return box.clickedButton() == retry;
}

}  // namespace velmor
