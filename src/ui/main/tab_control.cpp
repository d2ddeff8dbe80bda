#include "ui/main/tab_control.h"

#include <QEvent>

#include <QApplication>
#include <QFrame>
#include <QProxyStyle>
#include <QStackedWidget>
#include <QStyleFactory>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/widgets/accessible_roles.h"
#include "ui/widgets/twips.h"

namespace velmor {

namespace {

// All tabs in one row across the control: each as wide as its caption needs,
// and the room left over shared out equally.
class EqualTabBar : public QTabBar {
  public:
    explicit EqualTabBar(QWidget* parent) : QTabBar(parent) {}

  protected:
    QSize tabSizeHint(int index) const override {
        int natural = 0;
        for (int i = 0; i < count(); ++i) natural += CaptionWidth(i);
        const int spare = std::max(0, width() - natural) / std::max(1, count());
        return QSize(CaptionWidth(index) + spare, TabControl::kStripHeight);
    }

    void tabInserted(int index) override {
        widths_.clear();
        QTabBar::tabInserted(index);
    }
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
            widths_.clear();
        }
        QTabBar::changeEvent(event);
    }

  private:
    // Measured once per caption and font: the bar asks for every tab's size
    // many times over while it lays out.
    int CaptionWidth(int index) const {
        if (widths_.size() != static_cast<std::size_t>(count())) {
            widths_.clear();
            for (int i = 0; i < count(); ++i) {
                widths_.push_back(
                    fontMetrics().horizontalAdvance(QString(tabText(i)).remove(QLatin1Char('&'))) +
                    8);
            }
        }
        return widths_[static_cast<std::size_t>(index)];
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

    mutable std::vector<int> widths_;
};

// Narrow margins around the tab captions, so four fit in one row.
class CompactTabStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_TabBarTabHSpace) return 6;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// Tab reaches a page built late where it would have been built at the start:
// after the controls before its holder, not after every control of the window.
void FollowInFocusChain(QWidget* holder, QWidget* page) {
    const auto takesFocus = [](const QWidget* w) { return w->focusPolicy() != Qt::NoFocus; };
    QWidget* previous = holder->previousInFocusChain();
    while (previous != holder && !takesFocus(previous)) previous = previous->previousInFocusChain();
    if (previous == holder) return;  // nothing before it takes focus
    std::vector<QWidget*> chain;
    for (QWidget* w = page; w == page || page->isAncestorOf(w); w = w->nextInFocusChain()) {
        if (takesFocus(w)) chain.push_back(w);
        if (w->nextInFocusChain() == page) break;
    }
    for (QWidget* w : chain) {
        QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

}  // namespace

TabControl::TabControl(QWidget* parent)
    : QWidget(parent),
      tabBar_(new EqualTabBar(this)),
      frame_(new BorderFrame(this)),
      stack_(new QStackedWidget(frame_)) {
    tabBar_->setExpanding(false);
    auto* style = new CompactTabStyle(QStyleFactory::create(QApplication::style()->name()));
    style->setParent(this);
    tabBar_->setStyle(style);
    tabBar_->setDrawBase(false);
    tabBar_->setUsesScrollButtons(false);
    tabBar_->setElideMode(Qt::ElideNone);
    frame_->setFrameShape(QFrame::StyledPanel);
    frame_->setFrameShadow(QFrame::Raised);
    connect(tabBar_, &QTabBar::currentChanged, this, [this](int index) {
        Page(index);
        stack_->setCurrentIndex(index);
    });
}

void TabControl::AddPage(QWidget* page, const QString& caption) {
    stack_->addWidget(page);
    pages_.push_back({page, page, {}});
    tabBar_->addTab(caption);
}

void TabControl::AddPage(std::function<QWidget*()> build, const QString& caption) {
    auto* holder = new QWidget;
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    stack_->addWidget(holder);
    pages_.push_back({holder, nullptr, std::move(build)});
    tabBar_->addTab(caption);
}

QWidget* TabControl::Page(int index) {
    if (index < 0 || index >= Count()) return nullptr;
    Slot& slot = pages_[static_cast<std::size_t>(index)];
    if (slot.page == nullptr) {
        slot.page = slot.build();
        slot.holder->layout()->addWidget(slot.page);
        FollowInFocusChain(slot.holder, slot.page);
    }
    return slot.page;
}

int TabControl::CurrentIndex() const {
    return tabBar_->currentIndex();
}

void TabControl::SetCurrentIndex(int index) {
    tabBar_->setCurrentIndex(index);
}

void TabControl::Place(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(TwipsRect(left, top, width, height).translated(0, -kStripHeight));
}

void TabControl::Move(QWidget* control, int left, int top) {
    control->move(TwipsPoint(left, top) - QPoint(0, kStripHeight));
}

void TabControl::resizeEvent(QResizeEvent* event) {
    tabBar_->setGeometry(0, 0, width(), kStripHeight);
    frame_->setGeometry(0, kStripHeight, width(), height() - kStripHeight);
    // The pages start exactly under the strip, where the frame's inside starts too.
    stack_->setGeometry(0, 0, frame_->width(), frame_->height());
    QWidget::resizeEvent(event);
}

}  // namespace velmor
