#pragma once

#include "clientlink/groundinfo.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

namespace tarvos {

class Form4;
struct ConsoleState;
class WindowStacking;

// Owns the ground-info rows and the window that shows them. The window is created on first
// use, hidden and topmost; closing it through its frame discards it with its rows, and the next
// use builds it again, empty. Hiding it keeps the rows.
class GroundInfoController : public QObject {
    Q_OBJECT
public:
    GroundInfoController(ConsoleState &state, WindowStacking &stacking, QObject *parent = nullptr);
    ~GroundInfoController() override;

    const GroundInfo &rows() const { return m_rows; }

    // The window, created hidden when there is none.
    Form4 &window();
    bool hasWindow() const { return !m_window.isNull(); }

    // Start-up: the window stands right beside the main window, top edge at the screen's top.
    void placeBeside(const QWidget &mainWindow);

    // A departure deleted from the strip board: into the first empty row, with the stages of
    // groundcheckmode ticked. Returns the row, or -1 when all rows are taken.
    int enter(const QString &callsign);

    // "GND": shows the window (normal, not minimised) or hides it, by showgroundwindow.
    void toggle();

    // "eins" / "zwei": how many stages a deleted strip ticks, and the check-column colours.
    void setGroundCheckMode(int mode);

    // Shutdown: the window is closed and its rows are dropped.
    void closeWindow();

private:
    void connectWindow(Form4 &form);
    void refresh();
    void windowClosed();

    ConsoleState &m_state;
    WindowStacking &m_stacking;
    GroundInfo m_rows;
    QPointer<Form4> m_window;
    QPoint m_position;
    bool m_placed = false;
};

} // namespace tarvos
