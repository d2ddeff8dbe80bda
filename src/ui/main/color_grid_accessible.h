#pragma once

#include <QAccessibleWidget>
#include <map>

namespace velmor {

class ColorGrid;

// A colour grid as a screen reader sees it: a list whose items are the cells,
// each named by its colour ("DarkOrange, #FF8C00"), the selected one marked.
class ColorGridAccessible : public QAccessibleWidget {
  public:
    explicit ColorGridAccessible(ColorGrid* grid);
    ~ColorGridAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // Makes the toolkit ask this class for every grid.
    static void Install();

  private:
    ColorGrid* Grid() const;

    mutable std::map<int, QAccessible::Id> cells_;
};

}  // namespace velmor
