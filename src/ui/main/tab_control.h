#pragma once

#include <QWidget>
#include <functional>
#include <vector>

class QTabBar;
class QFrame;
class QStackedWidget;

namespace velmor {

// A row of tabs over a framed page area. Controls are placed on a page by
// positions relative to the tab control's own corner, tab strip included, so
// they land on the same pixels whatever the strip's height.
class TabControl : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kStripHeight = 24;

    explicit TabControl(QWidget* parent = nullptr);

    // The control takes the page; its children are placed with Place() and Move().
    void AddPage(QWidget* page, const QString& caption);
    // A page built the first time its tab is shown or asked for: the pages
    // nobody opens cost nothing at start-up.
    void AddPage(std::function<QWidget*()> build, const QString& caption);
    // The page on a tab, built now if it was not yet.
    QWidget* Page(int index);
    int Count() const { return static_cast<int>(pages_.size()); }
    int CurrentIndex() const;
    void SetCurrentIndex(int index);
    QTabBar* TabBar() const { return tabBar_; }

    // Places a control on a page at a position given in twips from the tab
    // control's top-left corner.
    static void Place(QWidget* control, int left, int top, int width, int height);
    static void Move(QWidget* control, int left, int top);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct Slot {
        QWidget* holder;  // the stack's widget; a page built later goes inside it
        QWidget* page;    // null until built
        std::function<QWidget*()> build;
    };

    QTabBar* tabBar_;
    QFrame* frame_;
    QStackedWidget* stack_;
    std::vector<Slot> pages_;
};

}  // namespace velmor
