#include "ui/picker/widget_pick_views.h"

#include "ui/picker/color_picker.h"
#include "ui/picker/permission_note.h"

namespace velmor {

std::unique_ptr<PickerView> WidgetPickViews::MakePicker(ScreenImage screen, PointerControl& pointer,
                                                        const AppOptions& options, QWidget* owner) {
    return std::make_unique<ColorPicker>(std::move(screen), pointer, options, owner);
}

std::unique_ptr<QObject> WidgetPickViews::ShowPermissionNote(std::function<void()> cancel) {
    auto note = std::make_unique<PermissionNote>();
    QObject::connect(note.get(), &PermissionNote::cancelRequested, note.get(), std::move(cancel));
    note->show();
    return note;
}

}  // namespace velmor
