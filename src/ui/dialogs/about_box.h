#pragma once

#include <QDialog>
#include <QLabel>
#include <array>

class QPushButton;

namespace velmor {

class Desktop;

// A label that acts as a link: blue, underlined, the hand pointer, a click.
class LinkLabel : public QLabel {
    Q_OBJECT

  public:
    LinkLabel(const QString& text, QWidget* parent = nullptr);

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// "About Velmor Color Picker": the product, its version and two links.
class AboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit AboutBox(Desktop& desktop, QWidget* parent = nullptr);

    LinkLabel* WebLink() const { return webLink_; }
    LinkLabel* SupportLink() const { return supportLink_; }
    QPushButton* OkButton() const { return okButton_; }
    QLabel* Caption(int index) const { return captions_[static_cast<std::size_t>(index)]; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPushButton* okButton_;
    std::array<QLabel*, 4> captions_{};
    LinkLabel* webLink_;
    LinkLabel* supportLink_;
};

}  // namespace velmor
