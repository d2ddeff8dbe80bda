#pragma once

#include <QWidget>
#include <vector>

#include "core/color.h"
#include "core/color_design.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace velmor {

class CurrentColor;
class PictureBox;

// "Schemes": colours that go with the current one, as OKLCH hue rotations
// (complementary, analogous, ...) or as steps toward white, black and grey.
// Each colour is copied or added to the favourites with one click; the
// window follows the current colour.
class SchemesWindow : public QWidget {
    Q_OBJECT

  public:
    explicit SchemesWindow(const CurrentColor& current, QWidget* parent = nullptr);

    void ShowScheme(Scheme scheme);
    QComboBox* SchemeList() const { return schemeList_; }
    QSpinBox* StepsBox() const { return steps_; }
    // The colours shown, in order.
    const std::vector<Color>& Colors() const { return colors_; }
    QPushButton* CopyButton(int row) const { return rows_[static_cast<std::size_t>(row)].copy; }
    QPushButton* AddButton(int row) const { return rows_[static_cast<std::size_t>(row)].add; }
    QLabel* Caption(int row) const { return rows_[static_cast<std::size_t>(row)].caption; }

  signals:
    void copyRequested(const velmor::Color& color);
    void addToFavoritesRequested(const velmor::Color& color);

  private:
    void Update();
    Scheme Chosen() const;

    const CurrentColor& current_;
    PictureBox* baseSwatch_;
    QLabel* baseText_;
    QComboBox* schemeList_;
    QSpinBox* steps_;
    struct Row {
        PictureBox* swatch = nullptr;
        QLabel* caption = nullptr;
        QLabel* hex = nullptr;
        QPushButton* copy = nullptr;
        QPushButton* add = nullptr;
    };
    std::vector<Row> rows_;
    std::vector<Color> colors_;
};

}  // namespace velmor
