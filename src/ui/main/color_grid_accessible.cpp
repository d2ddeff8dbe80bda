#include "ui/main/color_grid_accessible.h"

#include <QPointer>

#include "ui/main/color_grid.h"

namespace velmor {

namespace {

class CellAccessible : public QAccessibleInterface {
  public:
    CellAccessible(ColorGrid* grid, int index) : grid_(grid), index_(index) {}

    bool isValid() const override { return grid_ && index_ < grid_->DrawnCells(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(grid_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        if (!isValid() || (t != QAccessible::Name && t != QAccessible::Description)) return {};
        return grid_->CellLabel(index_);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) return {};
        const QRect r = grid_->CellArea(index_);
        return QRect(grid_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.selectable = true;
        s.focusable = true;
        if (isValid() && grid_->Selection() == index_) {
            s.selected = true;
            s.focused = grid_->hasFocus();
        }
        return s;
    }

  private:
    QPointer<ColorGrid> grid_;
    int index_;
};

QAccessibleInterface* MakeGridInterface(const QString&, QObject* object) {
    if (auto* grid = qobject_cast<ColorGrid*>(object)) return new ColorGridAccessible(grid);
    return nullptr;
}

}  // namespace

ColorGridAccessible::ColorGridAccessible(ColorGrid* grid)
    : QAccessibleWidget(grid, QAccessible::List) {}

ColorGridAccessible::~ColorGridAccessible() {
    for (const auto& [index, id] : cells_) QAccessible::deleteAccessibleInterface(id);
}

void ColorGridAccessible::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(MakeGridInterface);
        return true;
    }();
    (void)installed;
}

ColorGrid* ColorGridAccessible::Grid() const {
    return static_cast<ColorGrid*>(widget());
}

int ColorGridAccessible::childCount() const {
    return Grid()->DrawnCells();
}

QAccessibleInterface* ColorGridAccessible::child(int index) const {
    if (index < 0 || index >= childCount()) return nullptr;
    auto found = cells_.find(index);
    if (found == cells_.end()) {
        const QAccessible::Id id =
            QAccessible::registerAccessibleInterface(new CellAccessible(Grid(), index));
        found = cells_.emplace(index, id).first;
    }
    return QAccessible::accessibleInterface(found->second);
}

int ColorGridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (const auto& [index, id] : cells_) {
        if (QAccessible::accessibleInterface(id) == child) return index;
    }
    return -1;
}

QAccessibleInterface* ColorGridAccessible::childAt(int x, int y) const {
    const int cell = Grid()->CellAt(Grid()->mapFromGlobal(QPointF(x, y)));
    return cell >= 0 ? child(cell) : nullptr;
}

}  // namespace velmor
