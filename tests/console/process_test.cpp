// The built program on a real X display: it shows its window, it saves squawk.txt when a window
// manager closes it and when it is sent SIGTERM, and on a Wayland desktop it runs on X.

#include "fakes/qtprint.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>
// Xlib's macros (None, Status, ...) clash with other headers; it comes last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

struct DisplayCloser {
    void operator()(Display *d) const { XCloseDisplay(d); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

QString windowName(Display *d, Window w) {
    char *name = nullptr;
    QString result;
    if (XFetchName(d, w, &name) && name) {
        result = QString::fromLocal8Bit(name);
        XFree(name);
    }
    return result;
}

// The process that owns a window, as the toolkit announces it.
long windowPid(Display *d, Window w) {
    const Atom pidAtom = XInternAtom(d, "_NET_WM_PID", True);
    if (pidAtom == 0)
        return -1;
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char *data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(d, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data && count == 1)
        pid = static_cast<long>(*reinterpret_cast<unsigned long *>(data));
    if (data)
        XFree(data);
    return pid;
}

bool isViewable(Display *d, Window w) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(d, w, &attributes) && attributes.map_state == IsViewable;
}

// The shown window of that title that belongs to the process (tests may run side by side).
Window findWindow(Display *d, Window root, const QString &title, long pid) {
    if (windowName(d, root) == title && windowPid(d, root) == pid && isViewable(d, root))
        return root;
    Window parent, rootReturn, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(d, root, &rootReturn, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && !found; ++i)
            found = findWindow(d, children[i], title, pid);
        if (children)
            XFree(children);
    }
    return found;
}

Window waitForWindow(Display *d, const QString &title, int ms, const QProcess &program) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms && program.state() != QProcess::NotRunning) {
        if (Window w = findWindow(d, DefaultRootWindow(d), title, program.processId()))
            return w;
        QThread::msleep(50);
    }
    return 0;
}

// What a window manager sends when the user presses the close button of the title bar.
void sendDeleteWindow(Display *d, Window w) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = w;
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, w, False, NoEventMask, &event);
    XFlush(d);
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        display.reset(XOpenDisplay(nullptr));
        if (!display)
            GTEST_SKIP() << "no X display (the test command runs these tests under Xvfb)";
        QFile squawk(QDir(data.path()).filePath("squawk.txt"));
        ASSERT_TRUE(squawk.open(QIODevice::WriteOnly));
        squawk.write("5051\r\n5103\r\nEDDB\r\n 3 \r\n");
        // The METAR download half a second after start stays on this machine and is refused.
        QFile network(QDir(data.path()).filePath("network.txt"));
        ASSERT_TRUE(network.open(QIODevice::WriteOnly));
        network.write("metar-network=http://127.0.0.1:9/{code}.TXT\n"
                      "metar-noaa=http://127.0.0.1:9/metar?ids={code}\n"
                      "airports=http://127.0.0.1:9/\n");
    }
    void launch(QProcessEnvironment environment = xcbEnvironment(),
                QProcess::ProcessChannelMode channels = QProcess::ForwardedErrorChannel) {
        program.setProgram(QStringLiteral(TARVOS_BINARY));
        program.setProcessEnvironment(environment);
        program.setArguments({"--data-dir", data.path()});
        program.setProcessChannelMode(channels);
        program.start();
        ASSERT_TRUE(program.waitForStarted(10000));
    }
    static QProcessEnvironment xcbEnvironment() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "xcb");
        return environment;
    }
    QByteArray savedSquawk() {
        QFile f(QDir(data.path()).filePath("squawk.txt"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    DisplayPtr display;
    QTemporaryDir data;
    QProcess program;
};

} // namespace

TEST_F(ProgramTest, WindowManagerCloseSavesTheSquawkState) {
    launch();
    const Window w = waitForWindow(display.get(), "Tarvos V7.4", 30000, program);
    ASSERT_NE(w, 0u) << "the console window did not appear; exit code " << program.exitCode();
    QFile::remove(QDir(data.path()).filePath("squawk.txt"));
    sendDeleteWindow(display.get(), w);
    ASSERT_TRUE(program.waitForFinished(15000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(savedSquawk(), QByteArray("5051\r\n5103\r\nEDDB\r\n 3 \r\n"));
}

TEST_F(ProgramTest, SigtermSavesTheSquawkState) {
    launch();
    ASSERT_NE(waitForWindow(display.get(), "Tarvos V7.4", 30000, program), 0u);
    QFile::remove(QDir(data.path()).filePath("squawk.txt"));
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(15000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(savedSquawk(), QByteArray("5051\r\n5103\r\nEDDB\r\n 3 \r\n"));
}

// A Wayland desktop with XWayland, where the user chose no platform: the console runs on X, where
// it can place itself and stay on top. Qt's own log of its platform plugins tells which it took
// (there is no compositor behind WAYLAND_DISPLAY, so a window on X alone would not).
TEST_F(ProgramTest, OnAWaylandDesktopWithXWaylandTheConsoleRunsOnX) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    environment.insert("WAYLAND_DISPLAY", "wayland-tarvos-test");
    environment.insert("XDG_SESSION_TYPE", "wayland");
    environment.insert("QT_LOGGING_RULES", "qt.qpa.plugin.debug=true");
    launch(environment, QProcess::SeparateChannels);
    EXPECT_NE(waitForWindow(display.get(), "Tarvos V7.4", 30000, program), 0u);
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(15000));
    const QString log = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_TRUE(log.contains(R"(Successfully loaded Qt platform plugin "xcb")")) << log;
    EXPECT_FALSE(log.contains(R"("wayland")")) << log;
}
