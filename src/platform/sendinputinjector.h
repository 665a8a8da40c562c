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
// Each typed key is waited for until the program in front has read it (within the macro's time
// for waiting), so that the click back into the console cannot take keys still in the queue.
class SendInputInjector final : public InputInjector {
public:
    SendInputInjector();
    ~SendInputInjector() override;

    bool available() const override { return true; }
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
    void stopSharingInput();
    // Waits until the program in front has read the press (`down`) or release of the key, or
    // until `waitUntil`, when it stops sharing that program's input.
    void waitForKeyRead(unsigned short virtualKey, bool down, QDeadlineTimer waitUntil);

    // The thread whose input this one shares while keys are typed (a DWORD, which the header
    // does not spell so that windows.h's macros stay out of the rest of the program).
    unsigned long m_sharedInput = 0;
};

} // namespace tarvos
