// The F-key macros with real synthetic input on an X display: a plain X window of the test
// stands in for the ATC client and writes down the button and key events it receives.

#include "clientlink/macrocontroller.h"
#include "console/form1.h"
#include "fakes/fakeplatform.h"
#include "platform/xtestinjector.h"

#include <QElapsedTimer>
#include <QStringList>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>
// Xlib's macros (None, Status, ...) clash with other headers; it comes last.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

using namespace tarvos;

namespace {

struct DisplayCloser {
    void operator()(Display *d) const { XCloseDisplay(d); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// Where the stand-in window lies; the pointer rests at P inside it, and the console spot
// (644, 12) is outside.
constexpr int kLeft = 200, kTop = 300, kWidth = 400, kHeight = 300;
const QPoint kP(300, 400);

class XTestMacroTest : public ::testing::Test {
protected:
    void SetUp() override {
        display.reset(XOpenDisplay(nullptr));
        if (!display)
            GTEST_SKIP() << "no X display (the test command runs these tests under Xvfb)";
        Display *d = display.get();
        ASSERT_TRUE(injector.available()) << "the X server has no XTEST extension";
        const int screen = DefaultScreen(d);
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True; // placed exactly where asked, with or without a WM
        attributes.event_mask = ButtonPressMask | ButtonReleaseMask | KeyPressMask |
                                KeyReleaseMask | StructureNotifyMask;
        window = XCreateWindow(d, RootWindow(d, screen), kLeft, kTop, kWidth, kHeight, 0,
                               CopyFromParent, InputOutput, CopyFromParent,
                               CWOverrideRedirect | CWEventMask, &attributes);
        XMapWindow(d, window);
        for (XEvent e;;) {
            XNextEvent(d, &e);
            if (e.type == MapNotify)
                break;
        }
        aimAtWindow();
    }
    void TearDown() override {
        if (display && window)
            XDestroyWindow(display.get(), window);
    }

    // The controller points at an aircraft in the ATC client, which has the keyboard.
    void aimAtWindow() {
        Display *d = display.get();
        XWarpPointer(d, 0, DefaultRootWindow(d), 0, 0, 0, 0, kP.x(), kP.y());
        XSetInputFocus(d, window, RevertToParent, CurrentTime);
        XSync(d, False);
    }

    // The events that reached the window, until `count` of them or `ms` milliseconds.
    QStringList received(int count, int ms = 2000) {
        Display *d = display.get();
        QStringList events;
        QElapsedTimer clock;
        clock.start();
        while (events.size() < count && clock.elapsed() < ms) {
            if (!XPending(d)) {
                QThread::msleep(10);
                continue;
            }
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == ButtonPress || e.type == ButtonRelease) {
                events << QStringLiteral("%1 %2 %3,%4")
                              .arg(e.type == ButtonPress ? "down" : "up")
                              .arg(e.xbutton.button)
                              .arg(e.xbutton.x_root)
                              .arg(e.xbutton.y_root);
            } else if (e.type == KeyPress || e.type == KeyRelease) {
                const KeySym sym = XLookupKeysym(&e.xkey, 0);
                events << QStringLiteral("%1 %2")
                              .arg(e.type == KeyPress ? "press" : "release")
                              .arg(QString::fromLatin1(XKeysymToString(sym)));
            }
        }
        return events;
    }
    QPoint pointer() {
        Display *d = display.get();
        Window root = 0, child = 0;
        int x = 0, y = 0, wx = 0, wy = 0;
        unsigned int mask = 0;
        XQueryPointer(d, DefaultRootWindow(d), &root, &child, &x, &y, &wx, &wy, &mask);
        return QPoint(x, y);
    }
    static QStringList click(int button, QPoint at) {
        const QString where = QStringLiteral("%1,%2").arg(at.x()).arg(at.y());
        return {QStringLiteral("down %1 ").arg(button) + where,
                QStringLiteral("up %1 ").arg(button) + where};
    }
    static QStringList keys(const char *name, int n) {
        QStringList out;
        for (int i = 0; i < n; ++i)
            out << QStringLiteral("press ") + name << QStringLiteral("release ") + name;
        return out;
    }

    DisplayPtr display;
    Window window = 0;
    Form1 form;
    XTestInjector injector;
    tarvos::testing::FakeScreen screen;
    tarvos::testing::FakeMessageBox messages;
    MacroController macros{form, injector, screen, messages};
};

TEST_F(XTestMacroTest, MenuMacroBClicksAtItsOffsetsAndBringsThePointerBack) {
    QTest::keyClick(form.Text1, Qt::Key_F2);
    const QStringList expected =
        click(1, kP) + click(3, kP) + click(1, kP + QPoint(10, 5)) + click(1, kP + QPoint(160, 35));
    EXPECT_EQ(received(expected.size()), expected);
    // The last click, on the console spot, lies outside the window.
    EXPECT_EQ(received(1, 300), QStringList());
    EXPECT_EQ(pointer(), kP);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(XTestMacroTest, KeyMacroTypesTwentyF11ThenNineF12) {
    QTest::keyClick(form.Text1, Qt::Key_F6);
    const QStringList expected = click(1, kP) + keys("F11", 20) + keys("F12", 9);
    EXPECT_EQ(received(expected.size()), expected);
    EXPECT_EQ(received(1, 300), QStringList());
    EXPECT_EQ(pointer(), kP);
}

TEST(XTestInjector, WithoutAnXServerNothingIsInjected) {
    XTestInjector injector(QByteArrayLiteral(":4242"));
    EXPECT_FALSE(injector.available());
    injector.movePointer(QPoint(10, 10));
    injector.press(InputInjector::Button::Left);
    injector.typeKey(InputInjector::Key::F11);
    EXPECT_EQ(injector.pointerPosition(), QPoint());
}

} // namespace
