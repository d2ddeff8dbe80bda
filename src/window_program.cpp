#include "window_program.h"

#include "core/color_tables.h"

namespace velmor {

WindowProgram::Models::Models(const SettingsFile& settings)
    : options(settings), favorites(settings) {
    // The selected favourite is the current colour; before any, the safety
    // palette's first cell.
    QObject::connect(&favorites, &Favorites::changed, &current, [this] {
        if (const std::optional<Color> selected = favorites.SelectedColor()) current.Set(*selected);
    });
    current.Set(ColorTables::Instance().SafetyColors().front());
    options.Load();
    favorites.Load();
}

WindowProgram::WindowProgram(const SettingsFile& settings, Services services)
    : models_(settings),
      pickerMemory_(settings),
      flow_(services.capture, services.pointer, models_.options.Values(), pickerMemory_,
            services.views),
      window_(models_.options, models_.current, models_.favorites, services.prompter,
              services.desktop) {
    Prompter& prompter = services.prompter;
    flow_.SetHost(&host_);
    QObject::connect(&window_, &MainWindow::pickRequested, &flow_, &PickFlow::Start);
    // A pick becomes current and goes into the favourites; the models say
    // what changed, and the window shows it.
    QObject::connect(&flow_, &PickFlow::picked, &window_,
                     [this](const Color& color, const ProfileRef& profile) {
                         models_.current.SetPicked(color, profile);
                         models_.favorites.Add(color, HexCase::Upper);
                     });
    QObject::connect(&flow_, &PickFlow::colorMenuRequested, &window_,
                     [this](const Color& color, QPoint at) {
                         window_.ShowColorMenu(color, at, MainWindow::MenuPlace::Grid);
                     });
    QObject::connect(&flow_, &PickFlow::finished, &window_,
                     [this, &prompter](PickFlow::Outcome outcome, const QString& reason) {
                         if (outcome == PickFlow::Outcome::Failed) {
                             prompter.ShowStopMessage(&window_, reason);
                         }
                     });
    // A save that fails, or a colour that does not fit, says so once, over
    // whatever the user is looking at.
    auto tell = [this, &prompter](const QString& message) {
        QWidget* parent = flow_.MessageParent();
        prompter.ShowStopMessage(parent != nullptr ? parent : &window_, message);
    };
    QObject::connect(&models_.favorites, &Favorites::saveFailed, &window_, tell);
    QObject::connect(&models_.favorites, &Favorites::addRefused, &window_, tell);
    QObject::connect(&models_.options, &Options::saveFailed, &window_, tell);
    QObject::connect(&pickerMemory_, &PickerMemory::saveFailed, &window_, tell);
}

}  // namespace velmor
