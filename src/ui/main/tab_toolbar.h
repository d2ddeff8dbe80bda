#pragma once

#include <QWidget>
#include <vector>

class QToolButton;

namespace velmor {

struct ToolButtonSpec {
    QString caption;
    QString key;
    QString toolTip;
    QString image;       // our artwork's name
    QString themeImage;  // the desktop theme's icon name, when it has a fitting one
};

// A row or column of flat buttons with an icon and a caption, reporting clicks
// by position from 1 and by key.
class ImageToolbar : public QWidget {
    Q_OBJECT

  public:
    ImageToolbar(const std::vector<ToolButtonSpec>& buttons, Qt::Orientation orientation,
                 QWidget* parent = nullptr);

    QToolButton* Button(int position) const {
        return buttons_[static_cast<std::size_t>(position - 1)];
    }
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    void SetButtonEnabled(int position, bool enabled);

  signals:
    void buttonClicked(int position, const QString& key);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    Qt::Orientation orientation_;
    std::vector<QToolButton*> buttons_;
};

// The two buttons of each palette tab: "Add to Favorites" and "Copy to Clipboard".
std::vector<ToolButtonSpec> PaletteToolbarButtons();

}  // namespace velmor
