#pragma once

#include <functional>

namespace tarvos {

class DataDir;
class Form1;
class Form2;
struct ConsoleState;
struct Platform;

// Seams where one subsystem hands over to another without knowing it: each is set by the
// subsystem that owns the work and may be empty while that subsystem is absent (tests).
struct ConsoleHooks {
    std::function<void(int row)> logStrip; // "Lö" writes the strip log before clearing
    std::function<void()> showChart;       // the SID chart window for the landing runway
    std::function<void()> hideChart;       // and hiding it again
    std::function<void()> showToday;       // the window of today's strips
    std::function<void()> autoAtis;        // one AutoAtis run
    std::function<void()> placeCompanions; // start-up: ground-info window, chart pictures
    std::function<void()> closeToday;      // shutdown closes today's strips,
    std::function<void()> closeGroundInfo; // then the mini window, the ground-info window
    std::function<void()> closeChart;      // and the chart window, in this order
};

// What every controller works with: the console's windows, its window-wide state, the data
// files and the desktop.
struct ConsoleContext {
    Form1 &form1;
    std::function<Form2 &()> form2; // created on first use
    std::function<bool()> hasForm2;
    ConsoleState &state;
    DataDir &data;
    Platform &platform;
    ConsoleHooks &hooks;
};

inline void callHook(const std::function<void()> &hook) {
    if (hook)
        hook();
}

} // namespace tarvos
