#pragma once

#include <QImage>
#include <QWidget>
#include <initializer_list>
#include <optional>

namespace velmor {

// A drawing surface that keeps what is drawn in a retained image, in pixels,
// and shows that image on every repaint.
class PictureBox : public QWidget {
    Q_OBJECT

  public:
    explicit PictureBox(QWidget* parent = nullptr);

    // What the box shows, with any drawing that waited for it done.
    const QImage& Image();
    // The image to draw into directly; call Refresh() when done.
    QImage& Canvas();
    // The colour set, or else the button face of the palette the box has now.
    QColor BackColor() const { return backColor_.value_or(palette().color(QPalette::Button)); }
    void SetBackColor(const QColor& color);

    // Fills the whole image with the background colour.
    void Clear();
    // Boxes from (left, top) to (right, bottom), both corners included.
    void FillBox(int left, int top, int right, int bottom, const QColor& color);
    void BoxOutline(int left, int top, int right, int bottom, const QColor& color);
    // The box filled, inside rings one pixel wide: `rings` from the outermost in.
    void FillFramed(int left, int top, int right, int bottom, std::initializer_list<QRgb> rings,
                    QRgb fill);
    // Fills the whole area with one colour and shows it.
    void FillWith(const QColor& color);
    // The same inside a black line: a swatch seen on any background.
    void FillOutlined(const QColor& color);
    // A swatch of that size, to fill.
    static PictureBox* Swatch(int size, QWidget* parent);
    // Schedules a repaint of what was drawn since the last one.
    void Refresh() { update(); }

  protected:
    // Drawing a box put off until its picture is needed: shown or read.
    virtual void DrawPending() {}
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // Keeps the image the widget's size, even before the widget is first shown.
    void EnsureImage() const;

    mutable QImage image_;
    std::optional<QColor> backColor_;
};

}  // namespace velmor
