// Starts a program and reports, in milliseconds, how long it takes until its
// first top-level window is mapped, and its resident memory 1.5 s after that.
// MAP_TIMER_STDERR=FILE keeps the program's standard error in FILE.
// Run on an X server without a window manager: map_timer PROGRAM [ARGS...]
#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace {

long ResidentKilobytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: map_timer PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // The program's own output must not mix with the figures; its
        // standard error goes to MAP_TIMER_STDERR where that names a file.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        const char* errors = std::getenv("MAP_TIMER_STDERR");
        const int err =
            errors != nullptr ? open(errors, O_WRONLY | O_CREAT | O_APPEND, 0644) : null;
        dup2(err >= 0 ? err : null, STDERR_FILENO);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    double elapsed = -1;
    const int fd = ConnectionNumber(display);
    while (elapsed < 0) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && event.xmap.event == root &&
                !event.xmap.override_redirect) {
                XWindowAttributes attributes;
                XGetWindowAttributes(display, event.xmap.window, &attributes);
                if (attributes.width > 50 && attributes.height > 50) {
                    elapsed = std::chrono::duration<double, std::milli>(
                                  std::chrono::steady_clock::now() - start)
                                  .count();
                    break;
                }
            }
        }
        if (elapsed >= 0) break;
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(20)) break;
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(fd, &fds);
        timeval timeout{0, 2000};  // wake every 2 ms at most
        select(fd + 1, &fds, nullptr, nullptr, &timeout);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    const long rss = ResidentKilobytes(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    if (elapsed < 0) {
        std::fprintf(stderr, "no window was mapped\n");
        return 1;
    }
    std::printf("%.1f %ld\n", elapsed, rss);
    return 0;
}
