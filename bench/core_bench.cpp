// Formatting, name lookup and the settings file at its largest.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/color_tables.h"
#include "core/value_formatter.h"
#include "settings/settings_store.h"

namespace {

using namespace velmor;

void BM_FormatColor(benchmark::State& state) {
    for (auto _ : state) {
        auto out = FormatColor(Color::From8(255, 140, 0), "", true);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_FormatColor);

void BM_ColorName(benchmark::State& state) {
    for (auto _ : state) {
        auto name = ColorName("#FDF5E6");
        benchmark::DoNotOptimize(name);
    }
}
BENCHMARK(BM_ColorName);

// settings.ini with 224 favourites and the four options.
class FullSettings {
  public:
    FullSettings() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velmor-bench-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        path_ = folder_ + "/settings.ini";
        std::string favorites;
        for (int i = 0; i < 224; ++i) {
            char entry[16];
            std::snprintf(entry, sizeof entry, "%06x", unsigned(i * 74898) & 0xFFFFFFu);
            if (i > 0) favorites += ';';
            favorites += entry;
        }
        favorites_ = favorites;
        WriteSetting("Options", "Upper", "True", path_);
        WriteSetting("Options", "Remove", "False", path_);
        WriteSetting("Options", "Copy", "True", path_);
        WriteSetting("Options", "Value", "8", path_);
        WriteSetting("Favorites", "Favorites", favorites_, path_);
    }
    ~FullSettings() { std::filesystem::remove_all(folder_); }
    const std::string& Path() const { return path_; }
    const std::string& Favorites() const { return favorites_; }

  private:
    std::string folder_;
    std::string path_;
    std::string favorites_;
};

void BM_ReadFavorites(benchmark::State& state) {
    FullSettings settings;
    for (auto _ : state) {
        auto value = ReadSetting("Favorites", "Favorites", "", settings.Path());
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_ReadFavorites);

void BM_WriteFavorites(benchmark::State& state) {
    FullSettings settings;
    std::string value = settings.Favorites();
    for (auto _ : state) {
        value[0] = value[0] == '0' ? '1' : '0';  // a real change every time
        benchmark::DoNotOptimize(WriteSetting("Favorites", "Favorites", value, settings.Path()));
    }
}
BENCHMARK(BM_WriteFavorites)->Unit(benchmark::kMicrosecond);

// Start-up reads every template of [Formats]; 100,000 of them must stay cheap.
void BM_ReadManyTemplates(benchmark::State& state) {
    FullSettings settings;
    std::string text = "[Formats]\n";
    for (int i = 0; i < state.range(0); ++i) {
        text += "Template" + std::to_string(i) + "={r},{g},{b}\n";
    }
    ReplaceFileAtomically(settings.Path(), text);
    for (auto _ : state) {
        auto keys = ReadSection("Formats", settings.Path());
        benchmark::DoNotOptimize(keys);
    }
}
BENCHMARK(BM_ReadManyTemplates)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
