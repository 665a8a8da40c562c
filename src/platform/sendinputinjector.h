#pragma once

#include "platform/inputinjector.h"

namespace tarvos {

// Synthetic input on the Windows desktop through SendInput, with the pointer read and placed by
// GetCursorPos and SetCursorPos. Coordinates are the desktop's physical pixels, which are the
// ones the ATC client's window is placed in.
//
// After a macro the console takes the keyboard back by activating its window, which Windows
// grants only to the program the user worked in last; Qt is told to activate its windows even
// when another program is in front (it attaches to that program's input for the moment).
class SendInputInjector final : public InputInjector {
public:
    SendInputInjector();

    bool available() const override { return true; }
    QPoint pointerPosition() const override;
    void movePointer(QPoint to) override;
    void press(Button button) override;
    void release(Button button) override;
    void typeKey(Key key) override;
    void pause(int milliseconds) override;
    void activate(WId window) override;
};

} // namespace tarvos
