// Times the resident program's picker on an X server without a window
// manager: from a key press (or the start of a forwarded --pick) to the first
// picker surface mapped, then Esc, until it is gone again.
//   shortcut_timer keys RUNS                  presses Super+Shift+C RUNS times
//   shortcut_timer forward RUNS PROGRAM [ARGS]  runs PROGRAM --pick ARGS RUNS times
// Prints one line: "opened N/RUNS median M ms p95 P ms".
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Waits up to `ms` for a top-level window to be mapped (or unmapped).
bool WaitFor(Display* display, int type, int ms) {
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < end) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == type) return true;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return false;
}

void Press(Display* display, std::initializer_list<KeySym> keys) {
    for (KeySym k : keys) XTestFakeKeyEvent(display, XKeysymToKeycode(display, k), True, 0);
    for (auto k = std::rbegin(keys); k != std::rend(keys); ++k) {
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, *k), False, 0);
    }
    XFlush(display);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || (std::strcmp(argv[1], "forward") == 0 && argc < 4)) {
        std::fprintf(stderr, "usage: shortcut_timer keys RUNS | forward RUNS PROGRAM [ARGS...]\n");
        return 2;
    }
    const bool forward = std::strcmp(argv[1], "forward") == 0;
    const int runs = std::atoi(argv[2]);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 2;
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        XSync(display, True);  // nothing left over from the last round
        const auto start = Clock::now();
        pid_t pid = 0;
        if (forward) {
            std::vector<char*> args{argv[3], const_cast<char*>("--pick")};
            for (int a = 4; a < argc; ++a) args.push_back(argv[a]);
            args.push_back(nullptr);
            posix_spawn(&pid, argv[3], nullptr, nullptr, args.data(), environ);
        } else {
            Press(display, {XK_Super_L, XK_Shift_L, XK_c});
        }
        if (WaitFor(display, MapNotify, 3000)) {
            times.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        Press(display, {XK_Escape});
        WaitFor(display, UnmapNotify, 3000);
        if (pid > 0) waitpid(pid, nullptr, 0);
        // The resident is idle again before the next press.
        std::this_thread::sleep_for(std::chrono::milliseconds(120));
    }
    std::sort(times.begin(), times.end());
    const auto at = [&times](double q) {
        return times.empty() ? 0.0
                             : times[std::min(times.size() - 1, std::size_t(q * times.size()))];
    };
    std::printf("opened %zu/%d median %.1f ms p95 %.1f ms\n", times.size(), runs, at(0.5),
                at(0.95));
    return times.size() == std::size_t(runs) ? 0 : 1;
}
