#include "ui/main/tab_toolbar.h"

#include <QAction>
#include <QToolButton>

#include "ui/widgets/artwork.h"

namespace velmor {

ImageToolbar::ImageToolbar(const std::vector<ToolButtonSpec>& buttons, Qt::Orientation orientation,
                           QWidget* parent)
    : QWidget(parent), orientation_(orientation) {
    for (const auto& item : buttons) {
        auto* action = new QAction(Artwork::Icon(item.image), item.caption, this);
        action->setObjectName(item.key);
        action->setToolTip(item.toolTip.isEmpty() ? item.caption.trimmed() : item.toolTip);
        auto* button = new QToolButton(this);
        button->setObjectName(item.key);
        button->setDefaultAction(action);
        button->setIconSize(QSize(16, 16));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(true);
        // Reached by Tab like any button; Space or Enter presses it.
        button->setFocusPolicy(Qt::TabFocus);
        button->setAccessibleName(item.caption.trimmed());
        buttons_.push_back(button);
    }
}

QAction* ImageToolbar::Action(const QString& key) const {
    for (QToolButton* button : buttons_) {
        if (button->objectName() == key) return button->defaultAction();
    }
    return nullptr;
}

void ImageToolbar::resizeEvent(QResizeEvent* event) {
    const int count = ButtonCount();
    if (count > 0) {
        for (int i = 0; i < count; ++i) {
            QToolButton* button = buttons_[static_cast<std::size_t>(i)];
            if (orientation_ == Qt::Vertical) {
                const int row = height() / count;
                button->setGeometry(0, i * row, width(), row);
            } else {
                const int column = width() / count;
                button->setGeometry(i * column, 0, column, height());
            }
        }
    }
    QWidget::resizeEvent(event);
}

std::vector<ToolButtonSpec> PaletteToolbarButtons() {
    return {{"Add to Favorites", "addToFavorites", QString(), "favo"},
            {"Copy to Clipboard", "copyToClipboard", QString(), "copy"}};
}

}  // namespace velmor
