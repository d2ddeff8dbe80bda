#include <map>

#include "ui/dialogs/about_box.h"
#include "ui/widgets/accessible_roles.h"
#include "window_fixture.h"

namespace velmor {
namespace {

// The contrast between the text drawn in `area` and what is behind it: the
// commonest colour is the background, the text the pixel that stands out most.
double DrawnContrast(const QImage& image, QRect area) {
    std::map<QRgb, int> counts;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) ++counts[image.pixel(x, y)];
    }
    if (counts.empty()) return 0;
    QRgb background = counts.begin()->first;
    for (const auto& [rgb, n] : counts) {
        if (n > counts[background]) background = rgb;
    }
    auto srgb = [](QRgb c) { return Srgb8{qRed(c), qGreen(c), qBlue(c)}; };
    double best = 1;
    for (const auto& [rgb, n] : counts) {
        best = std::max(best, ContrastRatio(srgb(rgb), srgb(background)));
    }
    return best;
}

// Every text of `window` fits its control, and no two controls side by side overlap.
void ExpectTextsFit(QWidget* window) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window)) continue;
        const std::string what =
            std::string(w->metaObject()->className()) + " " + w->objectName().toStdString();
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap()) {
            EXPECT_LE(label->sizeHint().width(), label->width())
                << what << label->text().toStdString();
        } else if (auto* line = qobject_cast<QLineEdit*>(w); line && line->isReadOnly()) {
            EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()),
                      line->contentsRect().width() - 4)
                << what << line->text().toStdString();
        } else if (qobject_cast<QCheckBox*>(w) != nullptr) {
            EXPECT_LE(w->sizeHint().width(), w->width()) << what;
        } else if (auto* tool = qobject_cast<QToolButton*>(w);
                   tool && tool->toolButtonStyle() == Qt::ToolButtonTextBesideIcon) {
            // The style's label room: inside the frame, after the icon and 4 pixels.
            const int frame =
                tool->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, tool);
            EXPECT_LE(tool->fontMetrics().horizontalAdvance(tool->text()),
                      tool->width() - 2 * frame - tool->iconSize().width() - 4)
                << what << tool->text().toStdString();
        }
    }
    for (QWidget* parent : window->findChildren<QWidget*>()) {
        QList<QWidget*> controls;
        for (QObject* child : parent->children()) {
            auto* w = qobject_cast<QWidget*>(child);
            if (w != nullptr && w->isVisibleTo(window) && !w->isWindow()) controls << w;
        }
        for (int i = 0; i < controls.size(); ++i) {
            for (int j = i + 1; j < controls.size(); ++j) {
                EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                    << controls[i]->metaObject()->className() << " and "
                    << controls[j]->metaObject()->className() << " in "
                    << parent->metaObject()->className();
            }
        }
    }
}

// A dark desktop palette, as GNOME's dark style or Breeze Dark give one.
QPalette DarkPalette() {
    QPalette p(QColor(0x35, 0x35, 0x35), QColor(0x2d, 0x2d, 0x2d));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        p.setColor(role, QColor(0xee, 0xee, 0xee));
    }
    p.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    return p;
}

class DarkDesktopTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        saved_ = QApplication::palette();
        QApplication::setPalette(DarkPalette());
    }
    void TearDown() override {
        WindowTest::TearDown();
        QApplication::setPalette(saved_);
    }
    // Every caption, check box and tab of `window` (the visible ones) at 4.5:1 or better.
    static void ExpectLegible(QWidget* window) {
        const QImage shown = window->grab().toImage();
        int checked = 0;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisible()) continue;
            QRect area;
            if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty()) {
                area = label->contentsRect();
            } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
                area = box->rect().adjusted(box->height(), 0, 0, 0);  // the text, not the box
            } else if (auto* bar = qobject_cast<QTabBar*>(w)) {
                area = bar->tabRect(bar->currentIndex() == 0 ? 1 : 0).adjusted(4, 4, -4, -4);
            } else {
                continue;
            }
            const QRect inWindow(w->mapTo(window, area.topLeft()), area.size());
            EXPECT_GE(DrawnContrast(shown, inWindow), 4.5)
                << w->metaObject()->className() << " " << w->objectName().toStdString();
            ++checked;
        }
        EXPECT_GT(checked, 0);
    }
    QPalette saved_;
};

// Legible on a dark desktop, and every text fits its box, the longest values too.
TEST_F(DarkDesktopTest, EveryWindowStaysLegibleAndItsTextsFitTheirBoxes) {
    MainWindow& w = Start();
    for (int tab = 0; tab < w.Tabs()->Count(); ++tab) {
        w.Tabs()->SetCurrentIndex(tab);
        ExpectLegible(&w);
    }
    for (const char* hex : {"#FAFAD2", "#FFFFFF", "#00FA9A"}) {  // LightGoldenrodYellow, ...
        current_->Set(Hex(hex));
        w.NamedColors()->MarkColor(Hex(hex));
        for (int tab = 0; tab < w.Tabs()->Count(); ++tab) {
            w.Tabs()->SetCurrentIndex(tab);
            ExpectTextsFit(&w);
        }
        // What does not fit whole is shortened, shown whole in its tooltip and copied whole.
        for (int i = 0; i < kValueFormatCount; ++i) {
            const QLineEdit* row = w.Panel()->Row(i);
            EXPECT_TRUE(row->text() == Row(i) || row->toolTip() == Row(i)) << i;
        }
    }
    current_->Set(Hex("#330099"));  // the first start's colour again
    AboutBox about(desktop_, &w);
    OptionsDialog options(*options_, desktop_, prompter_, &w);
    ContrastWindow contrast(*current_);
    // A picture resampled for lower scales: the panel grows by a note that says so.
    ColorPicker picker(testing::Shot(QImage(800, 600, QImage::Format_RGB32), true), pointer_,
                       options_->Values(), program_->Memory());
    const QLabel* note = picker.Panel()->findChild<QLabel*>("resampledNote");
    ASSERT_NE(note, nullptr);
    for (QWidget* window :
         std::initializer_list<QWidget*>{&about, &options, &contrast, picker.PanelSurface()}) {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        ExpectLegible(window);
        ExpectTextsFit(window);
    }
    EXPECT_TRUE(note->isVisible());
    EXPECT_TRUE(picker.Panel()->rect().contains(note->geometry()));
}

TEST_F(WindowTest, GridsReadAsListsOfNamedColors) {
    MainWindow& w = Start();
    ColorGrid* grid = w.NamedColors()->AdditionalGrid();
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(grid);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    ASSERT_EQ(list->childCount(), grid->CellCount());
    QStringList names;
    for (int i = 0; i < list->childCount(); ++i) names << list->child(i)->text(QAccessible::Name);
    EXPECT_TRUE(names.contains("DarkOrange, #FF8C00")) << names.join("; ").toStdString();

    // The reader's pointer and a tooltip find the same cell.
    const QRect cell3 = list->child(3)->rect();
    EXPECT_EQ(list->childAt(cell3.center().x(), cell3.center().y()), list->child(3));
    QHelpEvent help(QEvent::ToolTip, grid->mapFromGlobal(cell3.center()), cell3.center());
    QApplication::sendEvent(grid, &help);
    EXPECT_EQ(QToolTip::text(), list->child(3)->text(QAccessible::Name));
}

TEST_F(WindowTest, KeyboardPathsReachWhatTheMouseDoes) {
    MainWindow& w = Start();
    // Delete removes the selected favorite, Shift+Delete clears them all.
    for (const char* hex : {"#ff0000", "#00ff00", "#0000ff"}) {
        w.AddToFavorites(Hex(hex), HexCase::Lower);
    }
    w.Tabs()->SetCurrentIndex(MainWindow::FavoriteColorsTab);
    ColorGrid* favorites = w.FavoriteColors()->Grid();
    favorites->setFocus();
    QTest::mouseClick(favorites, Qt::LeftButton, {}, favorites->CellArea(1).center());
    QTest::keyClick(favorites, Qt::Key_Delete);
    EXPECT_EQ(FavoritesText(), "ff0000;0000ff");
    prompter_.answers = {true};
    QTest::keyClick(favorites, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(FavoritesText(), "");

    // Shift+F10 opens the grid's menu; with no cell selected, for the current colour.
    w.Tabs()->SetCurrentIndex(MainWindow::NamedColorsTab);
    ColorGrid* basic = w.NamedColors()->BasicGrid();
    ASSERT_EQ(basic->Selection(), -1);
    basic->setFocus();
    QSignalSpy asked(basic, &ColorGrid::menuRequested);
    QStringList menus;
    QTimer::singleShot(50, [&menus] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* a : menu->actions()) menus << a->text();
            menu->close();
        }
    });
    QTest::keyClick(basic, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(menus.contains("Copy as")) << menus.join("; ").toStdString();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0][0].value<std::optional<Color>>(), current_->Value());

    // The grid shows that it has the keyboard.
    const QImage focused = basic->grab().toImage();
    w.PickButton()->setFocus();
    EXPECT_NE(basic->grab().toImage(), focused);

    // The per-tab toolbars are reached by Tab.
    EXPECT_NE(w.NamedColors()->Toolbar()->findChild<QToolButton*>()->focusPolicy() & Qt::TabFocus,
              0);
}

TEST_F(WindowTest, PagesBuiltWhenFirstShownTakeTheirPlaceInTheTabOrder) {
    MainWindow& w = Start();
    EXPECT_EQ(w.findChild<SafetyPage*>(), nullptr);  // nobody opened it yet
    for (const auto& [tab, first] : std::vector<std::pair<int, const char*>>{
             {MainWindow::SafetyPaletteTab, "safetyGrid"},
             {MainWindow::FavoriteColorsTab, "favoritesGrid"}}) {
        w.Tabs()->SetCurrentIndex(tab);
        w.Tabs()->TabBar()->setFocus();
        QTest::keyClick(w.Tabs()->TabBar(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), first);
    }
}

// Orca takes the innermost frame for the window and speaks nothing inside an
// inactive one; text runs of no length make it drop a line's last character.
// What Orca says is the Orca end-to-end test's; this walks every tab.
TEST_F(WindowTest, ReadersFindNoInnerFramesAndWholeNamedLines) {
    MainWindow& w = Start();
    w.Tabs()->SetCurrentIndex(MainWindow::CustomColorTab);
    w.Tabs()->SetCurrentIndex(MainWindow::SafetyPaletteTab);
    for (QWidget* child : w.findChildren<QWidget*>()) {
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(child);
        EXPECT_NE(node->role(), QAccessible::Border) << child->metaObject()->className();
        if (node->role() == QAccessible::EditableText) {
            EXPECT_FALSE(node->text(QAccessible::Name).isEmpty())
                << child->objectName().toStdString();
            QAccessibleTextInterface* text = node->textInterface();
            int start = -1, end = -1;
            text->attributes(1, &start, &end);
            EXPECT_EQ(std::make_pair(start, end), std::make_pair(0, text->characterCount()));
        }
    }
}

TEST_F(WindowTest, AtStartThePalettesShowTheCurrentColor) {
    WriteSettings("[Favorites]\nFavorites=ff8c00;123456\n");
    MainWindow& w = Start();
    EXPECT_EQ(Row(0), "#FF8C00");
    const ColorGrid* additional = w.NamedColors()->AdditionalGrid();
    ASSERT_GE(additional->Selection(), 0);
    EXPECT_EQ(additional->CellColor(additional->Selection()), Hex("#ff8c00"));
    EXPECT_EQ(w.NamedColors()->BasicGrid()->Selection(), -1);
    EXPECT_TRUE(w.NamedColors()->NameLine()->text().contains("DarkOrange"));
    EXPECT_EQ(w.Safety()->Grid()->Selection(), -1);  // not web-safe
}

}  // namespace
}  // namespace velmor
