#pragma once

namespace velmor {

class MainWindow;
class ScreenAccess;
struct AppOptions;

// Takes the main window off the screen, captures the screen, runs the picker
// modally and brings the main window back.
void RunPickCommand(MainWindow& window, ScreenAccess& screen, const AppOptions& options);

}  // namespace velmor
