#pragma once

#include <QFrame>
#include <array>
#include <cstdint>
#include <optional>

class QLineEdit;

namespace velmor {

class PictureBox;

// "Calculate:": HTML value, long value and three components converted into one
// another when the focus leaves a box. Independent of the current colour.
class Converter : public QFrame {
    Q_OBJECT

  public:
    explicit Converter(QWidget* parent = nullptr);

    QLineEdit* HtmlBox() const { return txtHTML_; }
    QLineEdit* LongBox() const { return txtLong_; }
    QLineEdit* ComponentBox(int index) const { return txtRed_[static_cast<std::size_t>(index)]; }
    PictureBox* Preview() const { return picHTML_; }

    void HtmlLeft();
    void LongLeft();
    void ComponentLeft();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::optional<std::int32_t> LongNumber() const;
    void FillPreview(std::optional<std::int32_t> number);
    void ShowComponents(std::optional<std::int32_t> number);
    void ShowHtmlFromComponents();

    QLineEdit* txtHTML_;
    QLineEdit* txtLong_;
    std::array<QLineEdit*, 3> txtRed_{};
    PictureBox* picHTML_;
};

}  // namespace velmor
