#pragma once

#include <QFrame>
#include <array>
#include <optional>

#include "core/color.h"
#include "core/magnifier.h"
#include "core/pick_history.h"

class QLabel;
class QLineEdit;
class QToolButton;

namespace velmor {

class MagnifierView;
class PictureBox;

// The picker's panel: corner and command buttons, the sample with its
// "#RRGGBB", the history cells and the magnifier. It shows what it is given
// and says what the user asked for.
class PickerPanel : public QFrame {
    Q_OBJECT

  public:
    // What the panel says of the capture below the magnifier, one line each:
    // resampled monitors, more than 8 bits a channel.
    struct Note {
        QString name;
        QString text;
    };
    PickerPanel(const QList<Note>& notes, QWidget* surface);

    // The sample, its hex and its name or nearest name.
    void ShowSample(const Color& color);
    void ShowHistoryCell(int cell, const Color& color);
    // The cell "Remove from List" takes, outlined; none disables the button.
    void SelectHistoryCell(std::optional<int> cell);
    void ShowZoom(int zoom, int area);
    // The sample in sRGB through its monitor's profile, on the note line
    // "managedNote" where the panel has one; nothing clears it.
    void ShowManaged(const std::optional<Color>& srgb);
    // The last two picks compared: CIEDE2000 and the WCAG 2 ratio, on a
    // line the panel grows by the first time. Returns what it shows, for a
    // reader to say.
    QString ShowComparison(const Color& before, const Color& last);

    MagnifierView* Magnifier() const { return magnifier_; }
    PictureBox* SampleBox() const { return sampleBox_; }
    QLineEdit* HtmlField() const { return htmlField_; }
    PictureBox* HistoryCell(int cell) const {
        return historyCells_[static_cast<std::size_t>(cell)];
    }
    QToolButton* CornerButton(int position) const {
        return cornerButtons_[static_cast<std::size_t>(position - 1)];
    }
    QToolButton* AddButton() const { return addButton_; }
    QToolButton* RemoveButton() const { return removeButton_; }
    QToolButton* CloseButton() const { return closeButton_; }
    QLabel* NameLine() const { return nameLine_; }
    QLabel* ZoomLine() const { return zoomLine_; }
    QLabel* CompareLine() const { return compareLine_; }

  signals:
    void cornerChosen(velmor::PanelCorner corner);
    void addRequested();
    void removeRequested();
    void closeRequested();
    void historyPressed(int cell, Qt::MouseButton button, QPoint globalPosition);
    // A key of the picker's own pressed while a button has the keyboard.
    void keyPressed(const QKeyEvent& event);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::array<QToolButton*, 4> cornerButtons_{};
    QToolButton* addButton_ = nullptr;
    QToolButton* removeButton_ = nullptr;
    QToolButton* closeButton_ = nullptr;
    QLineEdit* htmlField_ = nullptr;
    PictureBox* sampleBox_ = nullptr;
    void DrawHistoryCell(int cell);

    std::array<PictureBox*, kHistoryCells> historyCells_{};
    std::array<QColor, kHistoryCells> cellColors_{};
    std::optional<int> selectedCell_;
    QLabel* nameLine_ = nullptr;
    QLabel* zoomLine_ = nullptr;
    QLabel* compareLine_ = nullptr;
    MagnifierView* magnifier_ = nullptr;
};

}  // namespace velmor
