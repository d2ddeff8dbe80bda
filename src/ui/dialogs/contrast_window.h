#pragma once

#include <QWidget>

#include <array>
#include <optional>
#include <vector>
#include "core/color.h"

class QLabel;
class QPushButton;
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
    // Taking a suggestion makes it current while the first colour follows
    // the current one.
    explicit ContrastWindow(CurrentColor& current, QWidget* parent = nullptr);

    void Swap();
    QLineEdit* FirstBox() const { return first_; }
    QLineEdit* SecondBox() const { return second_; }
    QRadioButton* FollowSecond() const { return followSecond_; }
    QLabel* RatioLabel() const { return ratio_; }
    QString Verdicts() const;  // the pass and fail lines, one a line
    QLabel* Sample() const { return sample_; }
    // For AA and AAA normal text, where the pair fails: the first colour
    // nearest to it that passes, or why there is none; hidden otherwise.
    QLabel* SuggestionText(int level) const { return Suggestion(level).text; }
    QPushButton* TakeButton(int level) const { return Suggestion(level).take; }
    void TakeSuggestion(int level);
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

    struct Suggested {
        double ratio = 0;
        PictureBox* swatch = nullptr;
        QLabel* text = nullptr;
        QPushButton* take = nullptr;
        std::optional<Color> color;
    };
    const Suggested& Suggestion(int level) const {
        return suggestions_[static_cast<std::size_t>(level)];
    }
    void Suggest(const Color& first, const Color& second, double ratio);

    CurrentColor& current_;
    std::array<Suggested, 2> suggestions_{};
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
