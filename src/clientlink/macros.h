#pragma once

// The keyboard and mouse macros of the wind field's function keys F1..F8. They are blind: they
// look at no window of the ATC client, only at the pointer position at the key press, fixed
// offsets from it, two fixed screen spots and the keys they type into the foreground window.

#include <QPoint>
#include <QSize>
#include <optional>
#include <vector>

namespace tarvos {

struct MacroStep {
    enum class Kind {
        MovePointer, // to `at`
        LeftDown,    // button events at the pointer's position
        LeftUp,
        RightDown,
        RightUp,
        TypeF11, // one key into the foreground window, waiting until it is taken
        TypeF12,
        Pause,          // `pauseMs`: the ATC client handles the clicks meanwhile
        AwaitClient,    // until the keyboard has left the console for the ATC client
        FocusWindField, // the keyboard focus back into the console's wind field, and kept
    };

    Kind kind = Kind::Pause;
    QPoint at;
    int pauseMs = 0;

    bool operator==(const MacroStep &) const = default;
};

// A spot near the top of the screen that the macros click to bring the console back to the
// front (the console stands centred at the top of the screen).
inline constexpr QPoint kConsoleSpot{644, 12};
// How long the macros wait after their last click before they take the keyboard back.
inline constexpr int kMacroPauseMs = 30;
// All waits of one macro together (for the ATC client to take the keyboard, to read its keys,
// to try to take the keyboard back late) end this long after the macro's start: a client that
// never does costs that much and no more.
inline constexpr int kMacroWaitMs = 1000;
// How long after taking the keyboard back the console takes it back once more if another
// window takes it (a client that reads its click late takes the focus late).
inline constexpr int kKeepKeyboardMs = 300;

// The macro of a key code (Qt::Key_F1 .. Qt::Key_F8 give 1..8), or none for any other key.
std::optional<int> macroForKey(int key);

// The screen's centre as the macros reckon it: the size in twips divided by the fixed 15 twips
// per pixel and by 2, halves rounded to the even neighbour.
QPoint macroScreenCentre(QSize screenPixels);

// The steps of macro 1..8 for the pointer position `pointer` at the key press, ending with the
// pointer moved back where the macro says so. Coordinates saturate at the integer range
// instead of overflowing.
std::vector<MacroStep> macroSteps(int macro, QPoint pointer, QSize screenPixels);

} // namespace tarvos
