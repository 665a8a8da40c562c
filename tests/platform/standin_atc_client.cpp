// A stand-in for the ATC client on Windows: one window at the place given on the command line
// (left top width height), in front and with the keyboard, that writes every button and key
// message it receives to standard output, one line each, as the X test's window does:
//   down 1 300,400 / up 3 300,400   (button 1 left, 3 right; screen coordinates)
//   press F11 / release F11
// It prints "ready" once it is shown and ends when its standard input closes or it is killed.
// A fifth argument, milliseconds, makes it hang that long after the first click, as a busy
// program does. A sixth says when it takes the keyboard after it has read a click: a number of
// milliseconds (as a program does that gets round to it late), or "never"; without it the
// desktop gives it the keyboard as it reads the click.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

DWORD stallMs = 0;
// When the window takes the keyboard after reading a click: as the desktop does, never, or a
// number of milliseconds.
constexpr int kAsTheDesktopDoes = -1, kNever = -2;
int focusAfterMs = kAsTheDesktopDoes;
constexpr UINT_PTR kFocusTimer = 1;
bool focusPending = false;

void takeFocusLater(HWND window) {
    if (focusAfterMs < 0 || focusPending)
        return;
    focusPending = true;
    SetTimer(window, kFocusTimer, static_cast<UINT>(focusAfterMs), nullptr);
}

void button(const char *what, int number, HWND window, LPARAM lParam) {
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(window, &p);
    std::printf("%s %d %ld,%ld\n", what, number, p.x, p.y);
    std::fflush(stdout);
}

void key(const char *what, WPARAM virtualKey) {
    if (virtualKey >= VK_F1 && virtualKey <= VK_F24)
        std::printf("%s F%d\n", what, static_cast<int>(virtualKey - VK_F1 + 1));
    else
        std::printf("%s 0x%02x\n", what, static_cast<unsigned>(virtualKey));
    std::fflush(stdout);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEACTIVATE:
        if (focusAfterMs == kAsTheDesktopDoes)
            return DefWindowProcW(window, message, wParam, lParam);
        return MA_NOACTIVATE;
    case WM_TIMER:
        KillTimer(window, kFocusTimer);
        focusPending = false;
        SetForegroundWindow(window);
        return 0;
    case WM_LBUTTONDOWN:
        button("down", 1, window, lParam);
        takeFocusLater(window);
        return 0;
    case WM_LBUTTONUP:
        button("up", 1, window, lParam);
        Sleep(stallMs);
        stallMs = 0;
        return 0;
    case WM_RBUTTONDOWN:
        button("down", 3, window, lParam);
        takeFocusLater(window);
        return 0;
    case WM_RBUTTONUP:
        button("up", 3, window, lParam);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        key("press", wParam);
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        key("release", wParam);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// Ends the program when the test closes our standard input.
DWORD WINAPI watchInput(void *) {
    char buffer[64];
    DWORD read = 0;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &read, nullptr) &&
           read > 0) {
    }
    ExitProcess(0);
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 5 || argc > 7) {
        std::fprintf(stderr, "usage: standin_atc_client left top width height [stall-ms "
                             "[focus-after-ms|never]]\n");
        return 2;
    }
    if (argc >= 6)
        stallMs = static_cast<DWORD>(std::atoi(argv[5]));
    if (argc == 7)
        focusAfterMs =
            std::strcmp(argv[6], "never") == 0 ? kNever : std::max(1, std::atoi(argv[6]));
    const int left = std::atoi(argv[1]), top = std::atoi(argv[2]);
    const int width = std::atoi(argv[3]), height = std::atoi(argv[4]);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"StandInAtcClient";
    RegisterClassW(&windowClass);
    // A frameless window, so that the client area is exactly the rectangle asked for.
    const HWND window =
        CreateWindowExW(WS_EX_TOPMOST, L"StandInAtcClient", L"ATC client", WS_POPUP | WS_VISIBLE,
                        left, top, width, height, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    SetForegroundWindow(window);
    SetFocus(window);
    UpdateWindow(window);
    CreateThread(nullptr, 0, watchInput, nullptr, 0, nullptr);
    std::printf("ready\n");
    std::fflush(stdout);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
