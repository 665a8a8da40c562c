#pragma once

#include "platform/inputinjector.h"

#include <QByteArray>

namespace tarvos {

// Synthetic input on an X display through the XTEST extension, on a connection of its own.
// Without a display, or on one without XTEST (a pure Wayland session, Qt's offscreen
// platform without X), available() is false and the calls do nothing.
class XTestInjector final : public InputInjector {
public:
    // The display named like $DISPLAY; empty means $DISPLAY itself.
    explicit XTestInjector(const QByteArray &displayName = QByteArray());
    ~XTestInjector() override;
    XTestInjector(const XTestInjector &) = delete;
    XTestInjector &operator=(const XTestInjector &) = delete;

    bool available() const override { return display() != nullptr; }
    QPoint pointerPosition() const override;
    void movePointer(QPoint to) override;
    void press(Button button, QPoint at) override;
    void release(Button button, QPoint at) override;
    void typeKey(Key key, QDeadlineTimer waitUntil) override;
    void pause(int milliseconds) override;
    void activate(WId window) override;
    bool hasKeyboard() const override;
    bool waitForKeyboardToLeave(QDeadlineTimer until) override;

private:
    void button(Button button, bool down);
    // Whether no other program holds the pointer (a window manager that has not yet passed a
    // click on): a grab of it succeeds, and is let go at once.
    bool pointerIsFree();
    // The X server's time now, from a property change on a window of this connection.
    unsigned long serverTime();
    // The connection is opened at the first use, so that a console whose macros are never used
    // does not pay for it at start-up. Null when there is none to be had.
    void *display() const;

    QByteArray m_displayName;
    // Xlib's Display, kept opaque so that no X11 header leaves this folder.
    mutable void *m_display = nullptr;
    mutable bool m_opened = false;
    // An input-only window that is never shown, made at the first activation.
    unsigned long m_clockWindow = 0;
};

} // namespace tarvos
