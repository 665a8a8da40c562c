#include "platform/sendinputinjector.h"

#include <QGuiApplication>
#include <QtGui/private/qguiapplication_p.h>

#include <windows.h>

namespace tarvos {

namespace {

void send(INPUT *inputs, UINT count) {
    SendInput(count, inputs, sizeof(INPUT));
}

INPUT mouseInput(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags; // no MOUSEEVENTF_MOVE: at the pointer's current position
    return input;
}

INPUT keyInput(WORD virtualKey, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return input;
}

} // namespace

SendInputInjector::SendInputInjector() {
    // The public form of this setting arrives with later Qt versions; 6.4 has it in its native
    // interface. A Qt platform other than the Windows one (the tests' offscreen) has none.
    using QNativeInterface::Private::QWindowsApplication;
    if (qGuiApp) {
        if (auto *windows = qGuiApp->nativeInterface<QWindowsApplication>())
            windows->setWindowActivationBehavior(QWindowsApplication::AlwaysActivateWindow);
    }
}

void SendInputInjector::activate(WId window) {
    // This program sent the last input, so Windows lets it take the foreground back.
    const auto hwnd = reinterpret_cast<HWND>(window);
    if (IsWindowVisible(hwnd))
        SetForegroundWindow(hwnd);
}

QPoint SendInputInjector::pointerPosition() const {
    POINT p{};
    if (!GetCursorPos(&p))
        return {};
    return QPoint(p.x, p.y);
}

void SendInputInjector::movePointer(QPoint to) {
    SetCursorPos(to.x(), to.y());
}

void SendInputInjector::press(Button button) {
    INPUT input = mouseInput(button == Button::Left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN);
    send(&input, 1);
}

void SendInputInjector::release(Button button) {
    INPUT input = mouseInput(button == Button::Left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP);
    send(&input, 1);
}

void SendInputInjector::typeKey(Key key) {
    const WORD vk = key == Key::F11 ? VK_F11 : VK_F12;
    // Both in one call: no other input can come between the press and the release.
    INPUT inputs[2] = {keyInput(vk, true), keyInput(vk, false)};
    send(inputs, 2);
}

void SendInputInjector::pause(int milliseconds) {
    Sleep(static_cast<DWORD>(milliseconds));
}

} // namespace tarvos
