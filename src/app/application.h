#pragma once

#include <memory>

#include "core/command_line.h"

namespace velmor {

// Puts the program together: settings, options, the capture service, the pick
// flow and, unless it only picks, the main window.
class Application {
  public:
    explicit Application(const CommandLine& commandLine);
    ~Application();
    int Run(int& argc, char** argv);

  private:
    int RunWindow();
    int RunPickOnly();

    CommandLine commandLine_;
};

}  // namespace velmor
