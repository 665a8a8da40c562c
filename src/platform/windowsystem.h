#pragma once

// Which window system the console opens its windows on, and opening it without Qt's abort.

#include <QByteArray>
#include <QString>
#include <memory>

class QApplication;

namespace tarvos {

struct WindowSystemChoice {
    // Qt's platform plugin to ask for; empty leaves the choice to Qt.
    QByteArray platform;
    // Not empty when no window can be opened at all: the one line to print.
    QString problem;
};

// The choice for a process with these environment variables. A platform the user chose
// (QT_QPA_PLATFORM) stands. Otherwise an X display wins, through XWayland on a Wayland desktop:
// there the console can place itself at the top of the screen and stay on top of the ATC client,
// which under Wine is an X client itself. A Wayland display alone is used as such; with neither
// there is nothing to open a window on.
WindowSystemChoice chooseWindowSystem(const QByteArray &qtPlatform, const QByteArray &display,
                                      const QByteArray &waylandDisplay);

// Makes the QApplication on the window system chosen from this process's environment (on
// desktops other than X11 and Wayland, Qt's own). When there is none, or Qt cannot open it (a
// display that does not answer, a plugin that is not installed), prints one line to stderr and
// returns null; otherwise Qt's messages of the start are passed on as they came.
std::unique_ptr<QApplication> openApplication(int argc, char **argv);

} // namespace tarvos
