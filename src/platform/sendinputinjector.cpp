#include "platform/sendinputinjector.h"

#include <QGuiApplication>
#include <QtGui/private/qguiapplication_p.h>

#include <windows.h>

namespace tarvos {

namespace {

void send(INPUT *inputs, UINT count) {
    SendInput(count, inputs, sizeof(INPUT));
}

// A button event at `at`. The spot travels in the event itself, so that nothing can move the
// pointer between placing it and the click: under Wine another program reports the motion of an
// earlier move late (each move is an X warp that program sees), and the pointer then goes back
// to the previous spot for a moment.
INPUT mouseInput(DWORD flags, QPoint at) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    // Absolute positions are in 65536ths of the virtual desktop; the desktop takes
    // left + (d * width) / 65536 for them, so the next 65536th up lands on the very pixel.
    const LONG left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const LONG top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const LONG width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const LONG height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (width > 0 && height > 0) {
        const auto normal = [](LONG offset, LONG extent) {
            return static_cast<LONG>((static_cast<LONGLONG>(offset) * 65536 + extent - 1) / extent);
        };
        input.mi.dx = normal(at.x() - left, width);
        input.mi.dy = normal(at.y() - top, height);
        input.mi.dwFlags |= MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    }
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

// The program that takes the front sends this one's windows their deactivation and waits until
// they have it: while the macro waits, the messages other threads send are delivered (as Windows
// does while a thread waits in SendMessage), nothing else is. Then waits up to `ms` for the next,
// or only yields.
void deliverSentMessages(DWORD ms) {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    if (ms > 0)
        MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_SENDMESSAGE, 0);
    else
        SwitchToThread();
}

// The thread of the window in front, if that window is another program's and has activated
// itself there, with a focus window of that thread's own: keys typed now go to that window.
// The window in front is read once: while another program takes the front, the foreground is
// for a moment nobody's (the new thread's input has no active window yet), and a second read
// could pair the console's own window with another program's turn.
DWORD otherProgramInFront() {
    const HWND front = GetForegroundWindow();
    DWORD process = 0;
    const DWORD thread = front ? GetWindowThreadProcessId(front, &process) : 0;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (thread == 0 || process == GetCurrentProcessId() || !GetGUIThreadInfo(thread, &info) ||
        info.hwndActive != front || !info.hwndFocus ||
        GetWindowThreadProcessId(info.hwndFocus, nullptr) != thread)
        return 0;
    return thread;
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

SendInputInjector::~SendInputInjector() {
    stopSharingInput();
}

void SendInputInjector::activate(WId window) {
    // This program sent the last input, so Windows lets it take the foreground back.
    stopSharingInput();
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
    stopSharingInput();
    SetCursorPos(to.x(), to.y());
}

void SendInputInjector::press(Button button, QPoint at) {
    stopSharingInput();
    INPUT input =
        mouseInput(button == Button::Left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN, at);
    send(&input, 1);
}

void SendInputInjector::release(Button button, QPoint at) {
    INPUT input = mouseInput(button == Button::Left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP, at);
    send(&input, 1);
}

void SendInputInjector::typeKey(Key key, QDeadlineTimer waitUntil) {
    const WORD vk = key == Key::F11 ? VK_F11 : VK_F12;
    // The key goes to the program in front, and the macro goes on only once that program has
    // read it: a click that brings another window to the front would otherwise take the keys
    // still waiting in the queue with it (Wine hands queued keys to whoever has the keyboard
    // when they are read, and drops them when the program in front has lost its focus window).
    // A thread's key state changes as it reads its key messages; sharing its input for the run
    // of keys lets this thread see that state. On Windows itself a key stays in the queue of
    // the program that was in front when it was sent, for the window focused there, even when
    // another program takes the front before it is read; there the wait costs microseconds.
    // Threads that share their input read it in turn: the console reads none of it during the
    // macro, so it shares it only while it types (every click, the end of the wait and the
    // return of the keyboard end it), and a client held up behind input of the console's costs
    // at most the macro's second, after which it reads its keys in order.
    // Sharing the input of a program whose window has no focus yet would lend it the console's.
    const DWORD target = otherProgramInFront();
    if (target != m_sharedInput)
        stopSharingInput();
    // Once the macro's time for waiting is up, a program that does not read its keys gets the
    // rest without a wait.
    if (waitUntil.hasExpired())
        stopSharingInput();
    else if (m_sharedInput == 0 && target != 0 &&
             AttachThreadInput(GetCurrentThreadId(), target, TRUE))
        m_sharedInput = target;
    // The press and the release are waited for one by one, each by the key's down bit: once
    // the key is read, the reader's state and the desktop's (asynchronous) state agree on it,
    // down after a press, up after a release. Its toggle bit would not do: Wine sets the shared
    // state to the desktop's whenever the queue holds no unread keys (and attached threads may
    // start from the desktop's state), so a toggle bit that differed from the desktop's before
    // the press comes back unturned after the read; the macro then waited out its second and
    // took the keyboard back while the client's last keys still waited in its queue.
    INPUT press = keyInput(vk, true);
    send(&press, 1);
    waitForKeyRead(vk, true, waitUntil);
    INPUT release = keyInput(vk, false);
    send(&release, 1);
    waitForKeyRead(vk, false, waitUntil);
}

void SendInputInjector::waitForKeyRead(unsigned short virtualKey, bool down,
                                       QDeadlineTimer waitUntil) {
    if (m_sharedInput == 0)
        return;
    const ULONGLONG start = GetTickCount64();
    while (((GetKeyState(virtualKey) & 0x8000) != 0) != down) {
        if (waitUntil.hasExpired()) {
            stopSharingInput();
            return;
        }
        // A program reads a key within microseconds; the desktop's sleep lasts a timer tick
        // (up to 16 ms), so the first few milliseconds only yield.
        deliverSentMessages(GetTickCount64() - start < 5 ? 0 : 1);
    }
}

void SendInputInjector::stopSharingInput() {
    if (m_sharedInput != 0)
        AttachThreadInput(GetCurrentThreadId(), m_sharedInput, FALSE);
    m_sharedInput = 0;
}

void SendInputInjector::pause(int milliseconds) {
    Sleep(static_cast<DWORD>(milliseconds));
}

bool SendInputInjector::hasKeyboard() const {
    const HWND front = GetForegroundWindow();
    DWORD process = 0;
    if (front)
        GetWindowThreadProcessId(front, &process);
    return process != 0 && process == GetCurrentProcessId();
}

bool SendInputInjector::waitForKeyboardToLeave(QDeadlineTimer until) {
    for (;;) {
        // Another program in front is not enough: the keys typed next share its input (see
        // typeKey) and go to the window that has its focus, which is still the console's until
        // that program has activated its window.
        if (otherProgramInFront() != 0) {
            // That program sent the console its deactivation before it activated its own
            // window (Wine does so). Delivered now, it deactivates the console; delivered while
            // the console shares that program's input (typeKey), it would deactivate that
            // program's window and leave the keys without a focus to go to.
            deliverSentMessages(0);
            return true;
        }
        if (until.hasExpired())
            return !hasKeyboard();
        deliverSentMessages(1);
    }
}

} // namespace tarvos
