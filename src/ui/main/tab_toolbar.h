#pragma once

#include <QWidget>
#include <vector>

class QAction;
class QToolButton;

namespace velmor {

struct ToolButtonSpec {
    QString caption;
    QString key;  // the action's name: what the button asks for
    QString toolTip;
    QString image;  // our artwork's name
};

// A row or column of flat buttons with an icon and a caption, each the face of
// a named action: owners connect to and enable the action they mean.
class ImageToolbar : public QWidget {
    Q_OBJECT

  public:
    ImageToolbar(const std::vector<ToolButtonSpec>& buttons, Qt::Orientation orientation,
                 QWidget* parent = nullptr);

    QToolButton* Button(int position) const {
        return buttons_[static_cast<std::size_t>(position - 1)];
    }
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    // The action of that key; every key of the toolbar has one.
    QAction* Action(const QString& key) const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    Qt::Orientation orientation_;
    std::vector<QToolButton*> buttons_;
};

// The two buttons of each palette tab: "Add to Favorites" and "Copy to Clipboard".
std::vector<ToolButtonSpec> PaletteToolbarButtons();

}  // namespace velmor
