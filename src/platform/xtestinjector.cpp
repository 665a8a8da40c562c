#include "platform/xtestinjector.h"

#include <QGuiApplication>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <thread>

// The X headers define macros such as None and Status; they come last and stay in this file.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace tarvos {

namespace {
Display *dpy(void *display) {
    return static_cast<Display *>(display);
}
} // namespace

XTestInjector::XTestInjector(const QByteArray &displayName) : m_displayName(displayName) {}

void *XTestInjector::display() const {
    if (m_opened)
        return m_display;
    m_opened = true;
    Display *display = XOpenDisplay(m_displayName.isEmpty() ? nullptr : m_displayName.constData());
    if (!display)
        return nullptr;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        XCloseDisplay(display);
        return nullptr;
    }
    m_display = display;
    return m_display;
}

XTestInjector::~XTestInjector() {
    if (m_display)
        XCloseDisplay(dpy(m_display)); // destroys the clock window with it
}

QPoint XTestInjector::pointerPosition() const {
    if (!display())
        return {};
    Display *d = dpy(m_display);
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned int mask = 0;
    XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rootX, &rootY, &windowX, &windowY,
                  &mask);
    return QPoint(rootX, rootY);
}

void XTestInjector::movePointer(QPoint to) {
    if (!display())
        return;
    Display *d = dpy(m_display);
    XTestFakeMotionEvent(d, DefaultScreen(d), to.x(), to.y(), CurrentTime);
    // The move must have happened before the next button event or position query.
    XSync(d, False);
}

void XTestInjector::button(Button which, bool down) {
    if (!display())
        return;
    Display *d = dpy(m_display);
    XTestFakeButtonEvent(d, which == Button::Left ? Button1 : Button3, down ? True : False,
                         CurrentTime);
    XSync(d, False);
}

void XTestInjector::press(Button which, QPoint) {
    button(which, true);
}

void XTestInjector::release(Button which, QPoint) {
    button(which, false);
}

void XTestInjector::typeKey(Key key, QDeadlineTimer) {
    if (!display())
        return;
    Display *d = dpy(m_display);
    const KeyCode code = XKeysymToKeycode(d, key == Key::F11 ? XK_F11 : XK_F12);
    if (code == 0)
        return; // the keyboard map has no such key
    XTestFakeKeyEvent(d, code, True, CurrentTime);
    XTestFakeKeyEvent(d, code, False, CurrentTime);
    // X cannot tell when the receiving program has handled a key (so there is nothing to wait
    // for): the server sends each key to the window that has the focus when it takes the key,
    // and waiting until it has taken both keeps the keys in order with the clicks that follow.
    XSync(d, False);
}

void XTestInjector::pause(int milliseconds) {
    if (m_display)
        XSync(dpy(m_display), False);
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

unsigned long XTestInjector::serverTime() {
    Display *d = dpy(m_display);
    if (!m_clockWindow) {
        XSetWindowAttributes attributes{};
        attributes.event_mask = PropertyChangeMask;
        m_clockWindow = XCreateWindow(d, DefaultRootWindow(d), -1, -1, 1, 1, 0, 0, InputOnly,
                                      CopyFromParent, CWEventMask, &attributes);
    }
    const Atom clock = XInternAtom(d, "_TARVOS_CLOCK", False);
    XChangeProperty(d, m_clockWindow, clock, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent event;
    XWindowEvent(d, m_clockWindow, PropertyChangeMask, &event);
    return event.xproperty.time;
}

void XTestInjector::activate(WId window) {
    if (!display() || window == 0)
        return;
    Display *d = dpy(m_display);
    const auto w = static_cast<Window>(window);
    // Setting the focus to a window that is not shown is an error of the X protocol.
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(d, w, &attributes) || attributes.map_state != IsViewable)
        return;
    // Under a window manager, the request of the desktop's own tools (a pager or task bar), dated
    // now: the manager raises the window and gives it the focus, and knows it did. Without one
    // nobody listens to it.
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = w;
    event.xclient.message_type = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2; // source: a pager, acting for the user
    event.xclient.data.l[1] = static_cast<long>(serverTime());
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
    // Without a window manager the program sets the focus itself; dated "now" (CurrentTime), the
    // X server takes it however recently another program took the focus.
    XRaiseWindow(d, w);
    XSetInputFocus(d, w, RevertToParent, CurrentTime);
    XSync(d, False);
}

bool XTestInjector::hasKeyboard() const {
    if (!display())
        return false;
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(dpy(m_display), &focus, &revert);
    // None or PointerRoot (the keys go to whatever lies under the pointer, which the macros put
    // over the ATC client) are no window of ours. Qt gives the focus to the very windows it made,
    // and asks no other program's window about its parent, which may be gone by then.
    if (focus == 0 || focus == PointerRoot)
        return false;
    const QWindowList windows = QGuiApplication::allWindows();
    return std::any_of(windows.begin(), windows.end(), [focus](const QWindow *window) {
        // Only a window that has a native one: asking another for its id would create it.
        return window->handle() && static_cast<Window>(window->winId()) == focus;
    });
}

bool XTestInjector::waitForKeyboardToLeave(QDeadlineTimer until) {
    if (!display() || !InputInjector::waitForKeyboardToLeave(until))
        return false;
    // A window manager that gives the focus on a click holds the pointer until it has handled
    // the click, gives the focus and only then passes the click on: keys typed meanwhile would
    // reach the ATC client before its click.
    while (!pointerIsFree() && !until.hasExpired())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

bool XTestInjector::pointerIsFree() {
    Display *d = dpy(m_display);
    if (XGrabPointer(d, DefaultRootWindow(d), False, 0, GrabModeAsync, GrabModeAsync, 0, 0,
                     CurrentTime) != GrabSuccess)
        return false;
    XUngrabPointer(d, CurrentTime);
    XSync(d, False);
    return true;
}

} // namespace tarvos
