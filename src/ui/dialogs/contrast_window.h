#pragma once

#include <QWidget>
#include <array>
#include <vector>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace velmor {

class CurrentColor;
class PictureBox;

// "Contrast": the WCAG 2.x contrast of two colours, with pass or fail for
// text and user-interface parts, and a sample of one on the other. The first
// colour is the current colour; the grids and the picker set the second one
// instead while "the second color" is chosen, and either may be typed.
class ContrastWindow : public QWidget {
    Q_OBJECT

  public:
    explicit ContrastWindow(const CurrentColor& current, QWidget* parent = nullptr);

    void Swap();
    QLineEdit* FirstBox() const { return first_; }
    QLineEdit* SecondBox() const { return second_; }
    QRadioButton* FollowSecond() const { return followSecond_; }
    QLabel* RatioLabel() const { return ratio_; }
    QString Verdicts() const;  // the pass and fail lines, one a line
    QLabel* Sample() const { return sample_; }
    // As seen with each colour-vision deficiency: the ratio and the sample.
    QLabel* SeenRatio(int vision) const { return seen_[static_cast<std::size_t>(vision)].ratio; }
    QLabel* SeenSample(int vision) const { return seen_[static_cast<std::size_t>(vision)].sample; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void CurrentChanged();
    void Update();
    std::vector<QLabel*> Samples() const;
    // What passes and what fails, as a reader says it.
    QString Summary() const;
    void SayRatio();

    const CurrentColor& current_;
    QLineEdit* first_;
    QLineEdit* second_;
    QRadioButton* followFirst_;
    QRadioButton* followSecond_;
    PictureBox* firstSwatch_;
    PictureBox* secondSwatch_;
    QLabel* ratio_;
    std::vector<QLabel*> verdicts_;
    QLabel* sample_;
    struct Seen {
        QLabel* ratio = nullptr;
        QLabel* sample = nullptr;
    };
    std::array<Seen, 4> seen_{};
};

}  // namespace velmor
