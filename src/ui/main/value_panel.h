#pragma once

#include <QFrame>
#include <array>

#include "core/value_formatter.h"
#include "settings/app_options.h"

class QLabel;
class QLineEdit;
class QToolButton;

namespace velmor {

// The fourteen rows that write the current colour, each with its copy button.
// The current colour lives only here, in rows 0 (text) and 1 (name).
class ValuePanel : public QFrame {
    Q_OBJECT

  public:
    explicit ValuePanel(const AppOptions& options, QWidget* parent = nullptr);

    void ShowColor(const QString& colorText, const QString& name);
    // Ctrl+C: copies the row chosen in the options.
    void CopyChosenValue(Qt::KeyboardModifiers modifiers);
    void CopyRow(int index);

    QString RowText(int index) const;
    QString CurrentColorText() const { return RowText(0); }
    QString CurrentName() const { return RowText(1); }

    QLineEdit* Row(int index) const { return tColor_[static_cast<std::size_t>(index)]; }
    QToolButton* CopyButton(int index) const { return cmdCopy_[static_cast<std::size_t>(index)]; }

  signals:
    void swatchColorChanged(ColorValue color);

  private:
    const AppOptions& options_;
    std::array<QLabel*, kValueFormatCount> labelColor_{};
    std::array<QLineEdit*, kValueFormatCount> tColor_{};
    std::array<QToolButton*, kValueFormatCount> cmdCopy_{};
};

}  // namespace velmor
