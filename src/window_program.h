#pragma once

#include "app/current_color.h"
#include "app/favorites.h"
#include "app/options.h"
#include "app/pick_flow.h"
#include "app/pick_views.h"
#include "app/picker_memory.h"
#include "platform/capture/screen_capture.h"
#include "platform/desktop/desktop.h"
#include "platform/desktop/prompter.h"
#include "settings/settings_store.h"
#include "ui/main/main_window.h"
#include "ui/picker/widget_pick_views.h"

namespace velmor {

// The services the window program is given: the real desktop's, or a test's.
struct Services {
    ScreenCapture& capture;
    PointerControl& pointer;
    Prompter& prompter;
    PickViews& views;
    Desktop& desktop;
};

// The program with its main window, put together: the models, the pick flow
// and the window, and the wiring between them.
class WindowProgram {
  public:
    WindowProgram(const SettingsFile& settings, Services services);

    MainWindow& Window() { return window_; }
    PickFlow& Flow() { return flow_; }
    Options& OptionsModel() { return models_.options; }
    Favorites& FavoriteColors() { return models_.favorites; }
    CurrentColor& Current() { return models_.current; }
    PickerMemory& Memory() { return pickerMemory_; }
    PickHost& Host() { return host_; }

  private:
    // The models as the window first shows them: loaded before it is built.
    struct Models {
        explicit Models(const SettingsFile& settings);
        Options options;
        CurrentColor current;
        Favorites favorites;
    };
    Models models_;
    PickerMemory pickerMemory_;
    PickFlow flow_;
    MainWindow window_;
    WidgetPickHost host_{window_};
};

}  // namespace velmor
