// Starts a program, waits until a top-level window with the given title is viewable, and
// prints the milliseconds that took and the program's peak resident memory (VmHWM, KiB) one
// second later; then ends the program with SIGTERM. The program it started always ends, also
// when the window never appears or the probe fails.
//   startup_probe "<window title>" <program> [arguments...]
#include <X11/Xlib.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// Windows come and go while the tree is read: one that vanished between listing and reading
// answers BadWindow, which Xlib's default handler turns into an exit (leaving the program
// running). Such an error only means that this window is not the one looked for.
int ignoreXError(Display *, XErrorEvent *) {
    return 0;
}

// Ends the started program however the probe ends.
struct Child {
    pid_t pid = -1;
    ~Child() { stop(); }
    void stop() {
        if (pid <= 0)
            return;
        kill(pid, SIGTERM);
        int status = 0;
        for (int i = 0; i < 500 && waitpid(pid, &status, WNOHANG) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (waitpid(pid, &status, WNOHANG) == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
        }
        pid = -1;
    }
};

bool viewableWindowNamed(Display *d, Window w, const char *title) {
    char *name = nullptr;
    if (XFetchName(d, w, &name) && name) {
        const bool same = std::strcmp(name, title) == 0;
        XFree(name);
        XWindowAttributes a;
        if (same && XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable)
            return true;
    }
    Window root, parent, *children = nullptr;
    unsigned n = 0;
    bool found = false;
    if (XQueryTree(d, w, &root, &parent, &children, &n)) {
        for (unsigned i = 0; i < n && !found; ++i)
            found = viewableWindowNamed(d, children[i], title);
        if (children)
            XFree(children);
    }
    return found;
}

long peakKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_probe <title> <program> [args...]\n");
        return 2;
    }
    Display *d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "startup_probe: no X display\n");
        return 2;
    }
    XSetErrorHandler(ignoreXError);
    const auto start = std::chrono::steady_clock::now();
    Child child;
    child.pid = fork();
    if (child.pid == 0) {
        execv(argv[2], argv + 2);
        _exit(127);
    }
    const pid_t pid = child.pid;
    double ms = -1;
    for (int i = 0; i < 6000; ++i) {
        if (viewableWindowNamed(d, DefaultRootWindow(d), argv[1])) {
            ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count();
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const long kib = peakKiB(pid);
    child.stop();
    XCloseDisplay(d);
    std::printf("%.1f %ld\n", ms, kib);
    return ms < 0 ? 1 : 0;
}
