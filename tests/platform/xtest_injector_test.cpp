// The F-key macros with real synthetic input on an X display: a plain X window of the test stands
// in for the ATC client. Like another program it has a connection and a thread of its own; it
// writes down the button and key events it receives and takes the keyboard focus when clicked,
// at once or when it gets round to it, or never.

#include "clientlink/macrocontroller.h"
#include "console/form1.h"
#include "fakes/fakeplatform.h"
#include "fakes/qtprint.h"
#include "macroinput.h"
#include "platform/xtestinjector.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTest>
#include <QThread>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <optional>
#include <poll.h>
#include <thread>
#include <utility>
// Xlib's macros (None, Status, ...) clash with other headers; it comes last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

using namespace tarvos;

namespace {

struct DisplayCloser {
    void operator()(Display *d) const { XCloseDisplay(d); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

using namespace tarvos::testing;

class StandInClient {
public:
    StandInClient() : m_display(XOpenDisplay(nullptr)) {
        Display *d = m_display.get();
        XSetWindowAttributes attributes{};
        attributes.event_mask = ButtonPressMask | ButtonReleaseMask | KeyPressMask |
                                KeyReleaseMask | StructureNotifyMask;
        m_window = XCreateWindow(d, DefaultRootWindow(d), kStandInLeft, kStandInTop, kStandInWidth,
                                 kStandInHeight, 0, CopyFromParent, InputOutput, CopyFromParent,
                                 CWEventMask, &attributes);
        XSizeHints hints{};
        hints.flags = USPosition | USSize; // a window manager puts it where it asks to be
        hints.x = kStandInLeft, hints.y = kStandInTop, hints.width = kStandInWidth,
        hints.height = kStandInHeight;
        XSetWMNormalHints(d, m_window, &hints);
        // A window manager that has only just started may drop a request that came while it
        // was starting: the window asks again every half second.
        QElapsedTimer clock;
        clock.start();
        for (qint64 asked = -500; !mapped && clock.elapsed() < 10000;) {
            if (clock.elapsed() - asked >= 500) {
                XMapWindow(d, m_window);
                XSync(d, False);
                asked = clock.elapsed();
            }
            XEvent e;
            if (XCheckTypedWindowEvent(d, m_window, MapNotify, &e))
                mapped = true;
            else
                QThread::msleep(10);
        }
        m_thread = std::jthread([this](std::stop_token stop) { run(stop); });
    }
    ~StandInClient() {
        m_thread.request_stop();
        m_thread.join();
        XDestroyWindow(m_display.get(), m_window);
    }

    bool mapped = false;

    // The events received, from the first not yet taken, until `count` of them or `ms`
    // milliseconds.
    QStringList received(int count, int ms = 2000) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms) {
            {
                std::lock_guard lock(m_mutex);
                if (m_events.size() >= count)
                    break;
            }
            QThread::msleep(10);
        }
        std::lock_guard lock(m_mutex);
        const QStringList events = m_events.mid(0, count);
        m_events.remove(0, events.size());
        return events;
    }
    // From now on the window takes the focus this long after it has read a click (with the
    // click's time when at once, else as late as it comes), or never.
    void takeFocusAfter(std::optional<int> ms) { m_focusAfterMs = ms.value_or(kNever); }
    // The next click it reads makes it press this key, as the controller would meanwhile.
    void pressOnClick(KeySym key) { m_pressOnClick = key; }

private:
    void run(std::stop_token stop) {
        using Clock = std::chrono::steady_clock;
        Display *d = m_display.get();
        std::optional<Clock::time_point> takeFocusAt;
        while (!stop.stop_requested()) {
            if (takeFocusAt && Clock::now() >= *takeFocusAt) {
                XSetInputFocus(d, m_window, RevertToParent, CurrentTime);
                XFlush(d);
                takeFocusAt.reset();
            }
            if (!XPending(d)) {
                pollfd connection{ConnectionNumber(d), POLLIN, 0};
                poll(&connection, 1, takeFocusAt ? 1 : 10);
                continue;
            }
            XEvent e;
            XNextEvent(d, &e);
            QString event;
            if (e.type == ButtonPress || e.type == ButtonRelease) {
                event = QStringLiteral("%1 %2 %3,%4")
                            .arg(e.type == ButtonPress ? "down" : "up")
                            .arg(e.xbutton.button)
                            .arg(e.xbutton.x_root)
                            .arg(e.xbutton.y_root);
                if (const KeySym key = m_pressOnClick.exchange(0); key && e.type == ButtonPress) {
                    const KeyCode code = XKeysymToKeycode(d, key);
                    XTestFakeKeyEvent(d, code, True, CurrentTime);
                    XTestFakeKeyEvent(d, code, False, CurrentTime);
                    XFlush(d);
                }
                const int after = m_focusAfterMs;
                if (e.type == ButtonPress && after == 0) {
                    XSetInputFocus(d, m_window, RevertToParent, e.xbutton.time);
                    XFlush(d);
                } else if (e.type == ButtonPress && after > 0 && !takeFocusAt) {
                    takeFocusAt = Clock::now() + std::chrono::milliseconds(after);
                }
            } else if (e.type == KeyPress || e.type == KeyRelease) {
                const KeySym sym = XLookupKeysym(&e.xkey, 0);
                event = QStringLiteral("%1 %2")
                            .arg(e.type == KeyPress ? "press" : "release")
                            .arg(QString::fromLatin1(XKeysymToString(sym)));
            }
            if (!event.isEmpty()) {
                std::lock_guard lock(m_mutex);
                m_events << event;
            }
        }
    }

    static constexpr int kNever = -1;
    std::atomic<int> m_focusAfterMs = 0;
    std::atomic<KeySym> m_pressOnClick = 0;
    DisplayPtr m_display;
    Window m_window = 0;
    std::mutex m_mutex;
    QStringList m_events;
    std::jthread m_thread;
};

class XTestMacroTest : public ::testing::Test {
protected:
    void SetUp() override {
        display.reset(XOpenDisplay(nullptr));
        if (!display)
            GTEST_SKIP() << "no X display (the test command runs these tests under Xvfb)";
        ASSERT_TRUE(injector.available()) << "the X server has no XTEST extension";
        client = std::make_unique<StandInClient>();
        ASSERT_TRUE(client->mapped) << "the stand-in window was not shown";
        aimAtWindow();
    }

    // The controller points at an aircraft in the ATC client.
    void aimAtWindow() {
        Display *d = display.get();
        XWarpPointer(d, 0, DefaultRootWindow(d), 0, 0, 0, 0, kP.x(), kP.y());
        XSync(d, False);
    }
    QStringList received(int count, int ms = 2000) { return client->received(count, ms); }
    QPoint pointer() {
        Display *d = display.get();
        Window root = 0, child = 0;
        int x = 0, y = 0, wx = 0, wy = 0;
        unsigned int mask = 0;
        XQueryPointer(d, DefaultRootWindow(d), &root, &child, &x, &y, &wx, &wy, &mask);
        return QPoint(x, y);
    }
    Window xFocus() {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(display.get(), &focus, &revert);
        return focus;
    }

    // The controller's situation: the console shown below the stand-in and active, the wind
    // field with the keyboard.
    void showTheConsole() {
        form.move(0, 700);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        ASSERT_FALSE(form.frameGeometry().contains(QPoint(644, 12)))
            << "the console spot must not lie on the console here";
    }
    // The X server's focus first (a window manager hands it over in its own time); Qt learns of
    // it from the server.
    void expectTheKeyboardInTheWindField() {
        EXPECT_TRUE(QTest::qWaitFor([&] { return xFocus() == form.winId(); }, 2000))
            << "the keyboard is with X window " << xFocus();
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return QApplication::activeWindow() == &form &&
                   QApplication::focusWidget() == form.Text1;
        }));
    }

    // Each returning macro against clients that take the keyboard at once, late, or never (then
    // only a window manager gives it to them, on the click): the client gets exactly the
    // macro's input, the pointer comes back, the wind field gets the keyboard back and keeps
    // it, within the macro's second. Under openbox the menu macros' quick clicks reach the
    // client in pieces, whatever the client does (the manager holds the pointer at each click
    // into a client until it has handled it, while the pointer's moves go on): their events
    // are checked without one.
    void expectEachClientServedWithinASecond(const char *desktop) {
        const bool underAWindowManager = QByteArray(desktop) == "openbox";
        showTheConsole();
        for (const StandIn &standIn : kStandIns) {
            client->takeFocusAfter(standIn.focusAfterMs);
            for (Qt::Key key : kReturningMacros) {
                const QString where =
                    QStringLiteral("%1, a client that %2").arg(desktop, standIn.name);
                SCOPED_TRACE(qPrintable(where));
                form.Text1->setFocus();
                ASSERT_TRUE(QTest::qWaitFor([&] { return xFocus() == form.winId(); }, 2000));
                runTimed(form, macros, key, qPrintable(where));
                if (key >= Qt::Key_F5 || !underAWindowManager) {
                    const QStringList expected =
                        macroInput(key, standIn.focusAfterMs || underAWindowManager);
                    EXPECT_EQ(asLines(received(expected.size(), 1000)), asLines(expected));
                    EXPECT_EQ(received(1, 200), QStringList());
                } else {
                    received(1000, 300);
                }
                EXPECT_EQ(pointer(), kP);
                expectTheKeyboardInTheWindField();
            }
        }
    }

    DisplayPtr display;
    std::unique_ptr<StandInClient> client;
    Form1 form;
    XTestInjector injector;
    tarvos::testing::FakeScreen screen;
    tarvos::testing::FakeMessageBox messages;
    MacroController macros{form, injector, screen, messages};
};

TEST_F(XTestMacroTest, EachClientIsServedWithinASecond) {
    expectEachClientServedWithinASecond("no window manager");
}

// An F-key that reaches the console while a macro waits for the ATC client runs its macro
// afterwards, whole: F6's click (its keys go to the console, as the client never takes the
// keyboard), then all of F2.
TEST_F(XTestMacroTest, AnFKeyDuringAMacroRunsItsMacroAfterIt) {
    showTheConsole();
    client->takeFocusAfter(std::nullopt);
    client->pressOnClick(XK_F2);
    form.Text1->setFocus();
    QTest::keyClick(form.Text1, Qt::Key_F6);
    QTest::qWait(500);
    const QStringList expected = click(1, kP) + menuMacroBInput();
    EXPECT_EQ(asLines(received(expected.size())), asLines(expected));
    EXPECT_EQ(pointer(), kP);
    expectTheKeyboardInTheWindField();
}

// The same under a window manager that gives the focus to a clicked window and weighs each
// request for activation by its time (openbox, when installed).
class XTestMacroUnderAWindowManagerTest : public XTestMacroTest {
protected:
    void SetUp() override {
        const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        if (openbox.isEmpty())
            GTEST_SKIP() << "no window manager to test with (Debian: openbox)";
        display.reset(XOpenDisplay(nullptr));
        if (!display)
            GTEST_SKIP() << "no X display (the test command runs these tests under Xvfb)";
        manager.setProgram(openbox);
        manager.setArguments({"--sm-disable"});
        manager.setProcessChannelMode(QProcess::ForwardedChannels);
        manager.start();
        ASSERT_TRUE(manager.waitForStarted(5000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return windowManagerRuns(); }, 10000));
        XTestMacroTest::SetUp();
    }
    void TearDown() override {
        client.reset();
        form.hide();
        manager.terminate();
        manager.waitForFinished(5000);
    }
    bool windowManagerRuns() {
        Display *d = display.get();
        const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char *data = nullptr;
        const bool found =
            XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, False, XA_WINDOW, &type,
                               &format, &count, &after, &data) == Success &&
            count == 1;
        if (data)
            XFree(data);
        return found;
    }

    QProcess manager;
};

TEST_F(XTestMacroUnderAWindowManagerTest, EachClientIsServedWithinASecond) {
    expectEachClientServedWithinASecond("openbox");
}

TEST(XTestInjector, WithoutAnXServerNothingIsInjected) {
    XTestInjector injector(QByteArrayLiteral(":4242"));
    EXPECT_FALSE(injector.available());
    injector.movePointer(QPoint(10, 10));
    injector.press(InputInjector::Button::Left, QPoint(10, 10));
    injector.typeKey(InputInjector::Key::F11, QDeadlineTimer());
    injector.activate(1);
    EXPECT_EQ(injector.pointerPosition(), QPoint());
}

} // namespace
