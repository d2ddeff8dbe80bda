#pragma once

#include "core/command_line.h"

namespace velmor {

// The composition root: puts the program together from the floors below it,
// settings, models, the capture service, the pick flow and, unless it only
// picks, the main window.
class Application {
  public:
    // `waylandSession` and `displays` are what start-up found, so nothing is
    // probed twice.
    Application(const CommandLine& commandLine, bool waylandSession, const DisplayFacts& displays);
    int Run(char** argv);

  private:
    int RunWindow();
    int RunPickOnly();

    CommandLine commandLine_;
    bool waylandSession_;
    DisplayFacts displays_;
};

}  // namespace velmor
