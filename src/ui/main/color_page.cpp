#include "ui/main/color_page.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include "ui/main/color_grid.h"
#include "ui/main/tab_control.h"
#include "ui/main/tab_toolbar.h"
#include "ui/widgets/accessible_roles.h"
#include "ui/widgets/look.h"

namespace velmor {

ColorPage::ColorPage(QWidget* parent) : QWidget(parent) {
    // The window's font, before any caption is sized: a page is built
    // before it joins the window.
    UseLayoutFont(this);
}

QLabel* ColorPage::AddCaption(const QString& text, int left, int top) {
    auto* label = new QLabel(text, this);
    label->adjustSize();
    TabControl::Move(label, left, top);
    return label;
}

QFrame* ColorPage::AddFrame(int left, int top, int width, int height) {
    auto* frame = new BorderFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    TabControl::Place(frame, left, top, width, height);
    return frame;
}

QLineEdit* ColorPage::AddLine(QLabel* caption, QFrame* frame, const QString& text) {
    auto* line = new TextLine(text, frame);
    caption->setBuddy(line);
    line->setAccessibleName(caption->text().remove(QLatin1Char(':')));
    line->setReadOnly(true);
    line->setGeometry(6, (frame->height() - 19) / 2, frame->width() - 12, 19);
    return line;
}

void ColorPage::PlaceGrid(ColorGrid* grid, const QString& name, int left, int top, int width,
                          int height) {
    grid->setObjectName(name);
    TabControl::Place(grid, left, top, width, height);
    connect(grid, &ColorGrid::menuRequested, this, &ColorPage::colorMenuRequested);
}

ImageToolbar* ColorPage::AddPaletteToolbar(std::function<Color()> chosen,
                                           std::function<QString()> chosenText, int left, int top,
                                           int width, int height) {
    QFrame* frame = AddFrame(left, top, width, height);
    // Two rows of buttons, the toolbar's 44 pixels, centred in the frame.
    auto* toolbar = new ImageToolbar(PaletteToolbarButtons(), Qt::Vertical, frame);
    // The window's font set a little tighter, so "Copy to Clipboard" fits the
    // frame's width whole; a smaller size would load a second font at start-up.
    QFont tight = toolbar->font();
    tight.setLetterSpacing(QFont::AbsoluteSpacing, -0.3);
    toolbar->setFont(tight);
    const int rows = std::min(44, frame->height() - 4);
    toolbar->setGeometry(2, (frame->height() - rows) / 2, frame->width() - 4, rows);
    connect(toolbar->Action(QStringLiteral("addToFavorites")), &QAction::triggered, this,
            [this, chosen] { emit addToFavoritesRequested(chosen()); });
    connect(toolbar->Action(QStringLiteral("copyToClipboard")), &QAction::triggered, this,
            [this, chosenText] { emit copyRequested(chosenText()); });
    return toolbar;
}

}  // namespace velmor
