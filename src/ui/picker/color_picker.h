#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <array>
#include <functional>

#include "core/color_codec.h"
#include "core/magnifier.h"
#include "settings/app_options.h"

class QFrame;
class QLineEdit;
class QToolButton;

namespace velmor {

class MagnifierView;
class PictureBox;
class ScreenAccess;

// The full-screen picker: a frozen capture of the screen to point at, a
// panel with the sample, 28 history cells and a magnifier. Every pick goes
// straight to the main window; the picker stays open until Esc, a right
// click or its close button.
class ColorPicker : public QDialog {
    Q_OBJECT

  public:
    using AddToFavorites = std::function<void(const QString& text, QWidget* messageParent)>;

    ColorPicker(QImage capture, ScreenAccess& screen, const AppOptions& options,
                AddToFavorites addToFavorites, QWidget* parent = nullptr);

    // Reads the captured pixel at a point in device pixels into the sample.
    void Track(QPoint devicePoint);
    void Pick();
    void Recall(int cell);
    void MovePanel(PanelCorner corner);
    void ShowHtmlValue();

    QString HtmlText() const;
    ColorValue Sample() const { return sample_; }
    ColorValue HistoryColor(int cell) const { return history_[static_cast<std::size_t>(cell)]; }
    std::int16_t HistoryNext() const { return historyNext_; }
    QFrame* Panel() const { return frame1_; }
    MagnifierView* Magnifier() const { return picture1_; }
    PictureBox* SampleBox() const { return picCap_; }
    PictureBox* HistoryCell(int cell) const { return picPal_[static_cast<std::size_t>(cell)]; }
    QToolButton* CornerButton(int position) const {
        return toolbar1_[static_cast<std::size_t>(position - 1)];
    }
    QToolButton* AddButton() const { return addButton_; }
    QToolButton* RemoveButton() const { return removeButton_; }
    QToolButton* CloseButton() const { return closeButton_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildPanel();
    void TakeKeyboard();
    void FillCell(int cell, ColorValue color);
    QPoint DevicePoint(QPointF logical) const;
    QRect PanelDeviceRect() const;
    bool OverPanel(const QMouseEvent* event) const;

    QImage capture_;
    ScreenAccess& screen_;
    const AppOptions& options_;
    AddToFavorites addToFavorites_;
    qreal ratio_ = 1.0;

    QFrame* frame1_ = nullptr;
    std::array<QToolButton*, 4> toolbar1_{};
    QToolButton* addButton_ = nullptr;
    QToolButton* removeButton_ = nullptr;
    QToolButton* closeButton_ = nullptr;
    QLineEdit* txtHTML_ = nullptr;
    PictureBox* picCap_ = nullptr;
    QWidget* picture3_ = nullptr;
    std::array<PictureBox*, kHistoryCells> picPal_{};
    MagnifierView* picture1_ = nullptr;

    ColorValue sample_ = 0;
    std::array<ColorValue, kHistoryCells> history_{};
    std::int16_t historyNext_ = 0;
    QPoint pointer_;  // the last tracked point, device pixels
    QElapsedTimer lastPress_;
    QPoint lastPressAt_;
    QTimer timer1_;
    QTimer grabRetry_;
    int grabTries_ = 0;
    bool panelMoved_ = false;
    bool keyMoved_ = false;  // the pointer was put on a logical pixel by a key
};

}  // namespace velmor
