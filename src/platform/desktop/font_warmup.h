#pragma once

#include <thread>

namespace velmor {

// Reads the font configuration on another core while the toolkit connects to
// the display: the first text measured would otherwise wait for fontconfig to
// parse its files. Wait() (or the end of its life) joins it; without
// fontconfig it does nothing.
class FontWarmup {
  public:
    FontWarmup();
    ~FontWarmup();
    FontWarmup(const FontWarmup&) = delete;
    FontWarmup& operator=(const FontWarmup&) = delete;

    void Wait();

  private:
    std::thread thread_;
};

}  // namespace velmor
