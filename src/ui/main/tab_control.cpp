#include "ui/main/tab_control.h"

#include <QFrame>
#include <QStackedWidget>
#include <QTabBar>

#include "platform/twips.h"

namespace velmor {

TabControl::TabControl(QWidget* parent)
    : QWidget(parent),
      tabBar_(new QTabBar(this)),
      frame_(new QFrame(this)),
      stack_(new QStackedWidget(frame_)) {
    tabBar_->setExpanding(true);
    tabBar_->setDrawBase(false);
    tabBar_->setUsesScrollButtons(false);
    tabBar_->setElideMode(Qt::ElideNone);
    frame_->setFrameShape(QFrame::StyledPanel);
    frame_->setFrameShadow(QFrame::Raised);
    connect(tabBar_, &QTabBar::currentChanged, stack_, &QStackedWidget::setCurrentIndex);
}

void TabControl::AddPage(QWidget* page, const QString& caption) {
    stack_->addWidget(page);
    tabBar_->addTab(caption);
    pages_.push_back(page);
}

int TabControl::CurrentIndex() const { return tabBar_->currentIndex(); }

void TabControl::SetCurrentIndex(int index) { tabBar_->setCurrentIndex(index); }

void TabControl::Place(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(TwipsRect(left, top, width, height).translated(0, -kStripHeight));
}

void TabControl::Move(QWidget* control, int left, int top) {
    control->move(TwipsPoint(left, top) - QPoint(0, kStripHeight));
}

void TabControl::resizeEvent(QResizeEvent* event) {
    tabBar_->setGeometry(0, 0, width(), kStripHeight);
    // Tabs of equal width in one row.
    const int count = std::max(1, tabBar_->count());
    tabBar_->setStyleSheet(QStringLiteral("QTabBar::tab { width: %1px; height: %2px; padding: 0px; }")
                               .arg(width() / count - 4)
                               .arg(kStripHeight - 4));
    frame_->setGeometry(0, kStripHeight, width(), height() - kStripHeight);
    // The pages start exactly under the strip, where the frame's inside starts too.
    stack_->setGeometry(0, 0, frame_->width(), frame_->height());
    QWidget::resizeEvent(event);
}

}  // namespace velmor
