#pragma once

// Synthetic pointer and keyboard input for the ATC client: the console's macros click, move
// the pointer and type function keys as if the controller did it himself. Coordinates are
// screen pixels.

#include <QDeadlineTimer>
#include <QPoint>
#include <qwindowdefs.h>

namespace tarvos {

class InputInjector {
public:
    enum class Button { Left, Right };
    enum class Key { F11, F12 };

    virtual ~InputInjector() = default;

    // False where the desktop allows no synthetic input (no X server, or one without the
    // XTEST extension); then every other call does nothing.
    virtual bool available() const = 0;

    virtual QPoint pointerPosition() const = 0;
    virtual void movePointer(QPoint to) = 0;
    // Button events at `at`, where movePointer last put the pointer or where the controller
    // pointed when the macro began. On X the server takes them where the pointer is, which a
    // move has put there for good; Windows is told the spot (see SendInputInjector).
    virtual void press(Button button, QPoint at) = 0;
    virtual void release(Button button, QPoint at) = 0;
    // Presses and releases one key in the window that has the keyboard focus and returns when
    // the display has taken both events; where the desktop can tell when the receiving program
    // has read the key (Windows), it waits for that too, but not beyond `waitUntil`.
    virtual void typeKey(Key key, QDeadlineTimer waitUntil) = 0;
    // Sends what is pending and waits, so that the receiving program can react.
    virtual void pause(int milliseconds) = 0;
    // Gives the keyboard back to one of this program's shown top-level windows (its native id),
    // as a click on it would: the window becomes the active one even though another program
    // took the focus after the last input this program itself received, which is how a
    // toolkit's own activation request is dated and then refused.
    virtual void activate(WId window) = 0;
    // Whether the keyboard is with this program: on X the input focus is one of its windows, on
    // Windows the window in front is one of its own.
    virtual bool hasKeyboard() const = 0;
    // Returns once the keyboard has gone to another program (true) or at `until` (false),
    // looking every millisecond or so; the desktop learns of it without this program's events.
    virtual bool waitForKeyboardToLeave(QDeadlineTimer until);
};

} // namespace tarvos
