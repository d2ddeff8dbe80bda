#include "ui/dialogs/about_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "ui/dialogs/help.h"
#include "ui/widgets/artwork.h"
#include "ui/widgets/controls.h"
#include "ui/widgets/look.h"
#include "ui/widgets/twips.h"

namespace velmor {

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    QFont linkFont = font();
    linkFont.setPixelSize(11);
    linkFont.setUnderline(true);
    setFont(linkFont);
    QPalette blue = palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(blue);
    setCursor(Artwork::Cursor("hand", QPoint(12, 5)));
    adjustSize();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

AboutBox::AboutBox(Desktop& desktop, QWidget* parent)
    : QDialog(parent, FixedBorderFlags(Qt::Dialog, false)) {
    setWindowTitle(QStringLiteral("About Velmor Color Picker"));
    UseLayoutFont(this);
    setFixedSize(TwipsToPixels(5325), TwipsToPixels(2700));
    UseLayoutColors(this, QColor(255, 240, 240));

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setGeometry(TwipsRect(3960, 120, 1125, 345));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    auto* productImage = new QLabel(this);
    productImage->setGeometry(TwipsRect(240, 240, 720, 720));
    productImage->setPixmap(Artwork::Pixmap("product", QSize(48, 48)));

    const struct {
        QString text;
        int left, top;
    } labels[] = {{QStringLiteral(VELMOR_NAME " " VELMOR_VERSION), 1080, 240},
                  {QStringLiteral("Free software for picking colors (MIT License)."), 1080, 720},
                  {QStringLiteral("Website:"), 1080, 1200},
                  {QStringLiteral("Support:"), 1080, 1560}};
    for (std::size_t i = 0; i < captions_.size(); ++i) {
        captions_[i] = new QLabel(labels[i].text, this);
        captions_[i]->move(TwipsPoint(labels[i].left, labels[i].top));
    }
    QFont title = captions_[0]->font();
    title.setBold(true);
    title.setPixelSize(13);
    captions_[0]->setFont(title);
    QPalette red = captions_[0]->palette();
    // A deeper red than pure red, which is only 3.6:1 on the pink.
    red.setColor(QPalette::WindowText, QColor(200, 0, 0));
    captions_[0]->setPalette(red);
    for (QLabel* label : captions_) label->adjustSize();

    webLink_ = new LinkLabel(kWebAddress, this);
    webLink_->setObjectName(QStringLiteral("webLink"));
    webLink_->move(TwipsPoint(1920, 1200));
    supportLink_ = new LinkLabel(kSupportAddress, this);
    supportLink_->setObjectName(QStringLiteral("supportLink"));
    supportLink_->move(TwipsPoint(1920, 1560));
    connect(webLink_, &LinkLabel::clicked, this, [&desktop] { OpenWebSite(desktop); });
    connect(supportLink_, &LinkLabel::clicked, this, [&desktop] { OpenSupportMail(desktop); });
    okButton_->setFocus(Qt::OtherFocusReason);
}

void AboutBox::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // The engraved rule: a grey line with a white one a pixel below and right.
    QPainter painter(this);
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(TwipsPoint(840, 2040), TwipsPoint(5160, 2040));
    painter.setPen(Qt::white);
    painter.drawLine(TwipsPoint(855, 2055), TwipsPoint(5175, 2055));
}

}  // namespace velmor
