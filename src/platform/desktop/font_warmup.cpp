#include "platform/desktop/font_warmup.h"

#include "platform/capture/late_libraries.h"

namespace velmor {

FontWarmup::FontWarmup() {
    // Already loaded with the toolkit: opening it again costs a count.
    using Init = int (*)();
    const LateLibraries fontconfig({"libfontconfig.so.1"});
    Init init = nullptr;
    if (!fontconfig.Find("FcInit", init)) return;
    // Thread-safe: a second caller meanwhile waits for, or repeats, the same work.
    thread_ = std::thread(init);
}

FontWarmup::~FontWarmup() {
    Wait();
}

void FontWarmup::Wait() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace velmor
