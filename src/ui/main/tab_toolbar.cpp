#include "ui/main/tab_toolbar.h"

#include <QToolButton>

#include "ui/widgets/artwork.h"

namespace velmor {

ImageToolbar::ImageToolbar(const std::vector<ToolButtonSpec>& buttons, Qt::Orientation orientation,
                           QWidget* parent)
    : QWidget(parent), orientation_(orientation) {
    int position = 1;
    for (const auto& item : buttons) {
        auto* button = new QToolButton(this);
        button->setObjectName(item.key);
        button->setText(item.caption);
        button->setIcon(Artwork::Icon(item.image, item.themeImage));
        button->setIconSize(QSize(16, 16));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolTip(item.toolTip.isEmpty() ? item.caption.trimmed() : item.toolTip);
        connect(button, &QToolButton::clicked, this,
                [this, position, key = item.key] { emit buttonClicked(position, key); });
        buttons_.push_back(button);
        ++position;
    }
}

void ImageToolbar::SetButtonEnabled(int position, bool enabled) {
    if (position >= 1 && position <= ButtonCount()) Button(position)->setEnabled(enabled);
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
    return {{"Add to Favorites", "favo", QString(), "favo", QString()},
            {"Copy to Clipboard", "copy", QString(), "copy", "edit-copy"}};
}

}  // namespace velmor
