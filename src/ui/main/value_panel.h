#pragma once

#include <QFrame>
#include <array>

#include "app/options.h"
#include "core/value_formatter.h"

class QLabel;
class QLineEdit;
class QToolButton;

namespace velmor {

class CurrentColor;

// The fourteen rows that write the current colour, each with its copy button.
class ValuePanel : public QFrame {
    Q_OBJECT

  public:
    ValuePanel(const CurrentColor& current, const AppOptions& options, QWidget* parent = nullptr);

    // Writes the current colour anew, in the letter case of the options.
    void ShowColor();
    // Ctrl+C: copies the row chosen in the options.
    void CopyChosenValue(Qt::KeyboardModifiers modifiers);
    void CopyRow(int index);

    // A row's whole text, as it is copied.
    QString RowText(int index) const;

    QLineEdit* Row(int index) const { return valueRows_[static_cast<std::size_t>(index)]; }
    QToolButton* CopyButton(int index) const {
        return copyButtons_[static_cast<std::size_t>(index)];
    }

  signals:
    // A right click on the panel: the current colour's menu.
    void colorMenuRequested(QPoint globalPosition);

  protected:
    bool event(QEvent* event) override;

  private:
    // The colour's name, or the nearest one, and what a right click offers.
    void WriteToolTip();

    const CurrentColor& current_;
    const AppOptions& options_;
    std::array<QLabel*, kValueFormatCount> captions_{};
    std::array<QLineEdit*, kValueFormatCount> valueRows_{};
    std::array<QToolButton*, kValueFormatCount> copyButtons_{};
    // The rows' whole texts: a row too narrow for its text shows it shortened.
    std::array<QString, kValueFormatCount> texts_{};
    // The nearest name takes 140 colour differences: it is worked out when
    // the tooltip is asked for, or at once while a screen reader listens.
    bool toolTipStale_ = true;
};

}  // namespace velmor
