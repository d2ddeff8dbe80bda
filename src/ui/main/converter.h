#pragma once

#include <QFrame>
#include <array>
#include <cstdint>
#include <optional>

#include "core/converter_steps.h"

class QLineEdit;

namespace velmor {

class PictureBox;

// "Calculate:": HTML value, long value and three components converted into one
// another when the focus leaves a box. Independent of the current colour.
class Converter : public QFrame {
    Q_OBJECT

  public:
    explicit Converter(QWidget* parent = nullptr);

    QLineEdit* HtmlBox() const { return htmlBox_; }
    QLineEdit* LongBox() const { return longBox_; }
    QLineEdit* ComponentBox(int index) const {
        return componentBoxes_[static_cast<std::size_t>(index)];
    }
    PictureBox* Preview() const { return preview_; }

    // What leaving a box does: the other boxes and the preview follow it.
    void Leave(ConverterBox box);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* htmlBox_;
    QLineEdit* longBox_;
    std::array<QLineEdit*, 3> componentBoxes_{};
    PictureBox* preview_;
};

}  // namespace velmor
