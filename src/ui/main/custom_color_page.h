#pragma once

#include <QColor>
#include <array>
#include <functional>
#include <optional>

#include "ui/main/color_page.h"

class QPushButton;
class QScrollBar;

namespace velmor {

class Converter;
class PictureBox;

// "Custom Color": a colour mixed with three bars, typed values or the colour
// dialog, and the converter. The bars alone hold the mixed colour.
class CustomColorPage : public ColorPage {
    Q_OBJECT

  public:
    // Asks the user for a colour, starting from the given one; nothing when cancelled.
    using ColorChooser =
        std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)>;

    explicit CustomColorPage(QWidget* parent = nullptr);

    void SetColorChooser(ColorChooser chooser) { chooser_ = std::move(chooser); }
    void OpenColorDialog();

    QScrollBar* Bar(int index) const { return bars_[static_cast<std::size_t>(index)]; }
    QLineEdit* ValueBox(int index) const { return valueBoxes_[static_cast<std::size_t>(index)]; }
    QLineEdit* CustomLine() const { return customLine_; }
    PictureBox* Preview() const { return preview_; }
    QPushButton* DialogButton() const { return dialogButton_; }
    Converter* Calculator() const { return converter_; }
    ImageToolbar* Toolbar() const { return toolbar_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BarMoved(int index);
    void Typed(int index);
    void Compose();

    std::array<QScrollBar*, 3> bars_{};
    std::array<QLineEdit*, 3> valueBoxes_{};
    PictureBox* preview_;
    QPushButton* dialogButton_;
    QLineEdit* customLine_;
    Color chosen_;  // the mixed colour
    Converter* converter_;
    ImageToolbar* toolbar_;
    ColorChooser chooser_;
};

}  // namespace velmor
