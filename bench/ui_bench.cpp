// Redraw and panel refill costs of the main window, offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/current_color.h"
#include "app/favorites.h"
#include "app/options.h"
#include "core/text.h"
#include "platform/desktop/desktop.h"
#include "platform/desktop/prompter.h"
#include "settings/app_options.h"
#include "settings/settings_store.h"
#include "ui/main/color_grid.h"
#include "ui/main/favorites_page.h"
#include "ui/main/main_window.h"
#include "ui/main/safety_page.h"
#include "ui/widgets/copy_as_menu.h"
#include "ui/widgets/message_box_prompter.h"

namespace {

using namespace velmor;

struct Fixture {
    Fixture() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velmor-ui-bench-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        settings = std::make_unique<SettingsFile>(folder + "/settings.ini");
    }
    ~Fixture() {
        window.reset();
        std::filesystem::remove_all(folder);
    }
    void Start(int favourites) {
        std::vector<std::string> entries;
        for (int i = 0; i < favourites; ++i) {
            char entry[16];
            std::snprintf(entry, sizeof entry, "%06x", unsigned(i * 74898) & 0xFFFFFFu);
            entries.emplace_back(entry);
        }
        settings->Write("Favorites", "Favorites", Join(entries, ';'));
        options = std::make_unique<Options>(*settings);
        favorites = std::make_unique<Favorites>(*settings);
        window = std::make_unique<MainWindow>(*options, current, *favorites, prompter, desktop);
        window->show();
    }
    std::string folder;
    std::unique_ptr<SettingsFile> settings;
    MessageBoxPrompter prompter;
    SystemDesktop desktop;
    std::unique_ptr<Options> options;
    CurrentColor current;
    std::unique_ptr<Favorites> favorites;
    std::unique_ptr<MainWindow> window;
};

void BM_SafetySelectionChange(benchmark::State& state) {
    Fixture f;
    f.Start(0);
    std::int16_t i = 0;
    for (auto _ : state) {
        f.window->Safety()->DrawSafetyGrid(i);
        i = static_cast<std::int16_t>((i + 1) % 216);
    }
}
BENCHMARK(BM_SafetySelectionChange)->Unit(benchmark::kMicrosecond);

void BM_AddToFavoritesAt223(benchmark::State& state) {
    Fixture f;
    f.Start(223);
    for (auto _ : state) {
        f.window->AddToFavorites(Color::From8(0x12, 0x34, 0x56), HexCase::Lower);
        state.PauseTiming();
        f.favorites->Select(223);
        f.favorites->RemoveSelected();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddToFavoritesAt223)->Unit(benchmark::kMicrosecond);

void BM_FavoritesKeyMove(benchmark::State& state) {
    Fixture f;
    f.Start(223);
    ColorGrid* grid = f.window->FavoriteColors()->Grid();
    f.favorites->Select(0);
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(grid, &press);
    }
}
BENCHMARK(BM_FavoritesKeyMove)->Unit(benchmark::kMicrosecond);

// The right-click menu with 100,000 templates in settings.ini.
void BM_CopyAsMenuWithManyTemplates(benchmark::State& state) {
    Templates templates;
    for (int i = 0; i < 100000; ++i) {
        templates.emplace_back("Template" + std::to_string(i), "{r},{g},{b}");
    }
    for (auto _ : state) {
        QMenu menu;
        AddCopyAsMenu(menu, Color::From8(0x33, 0x66, 0x99), templates);
        benchmark::DoNotOptimize(menu.actions().size());
    }
}
BENCHMARK(BM_CopyAsMenuWithManyTemplates)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
