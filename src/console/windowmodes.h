#pragma once

#include "console/context.h"

#include <QObject>

namespace tarvos {

// Always on top, the mini window, the help panels, the flight-level lists, the separation
// stopwatch and the panels that are hidden by a click.
class WindowModesController : public QObject {
    Q_OBJECT
public:
    explicit WindowModesController(ConsoleContext context, QObject *parent = nullptr);

    void alwaysOnTopClicked();
    void mini();
    void back();
    void backToBoard();
    void miniToggle();
    void toggleHelp(QWidget *panel);
    void hideHelpPanels();
    void toggleLevels();
    void stopwatchClicked();
    void stopwatchTick();

    // Wires the buttons of a mini window; called when it is created.
    void wireForm2(Form2 &form2);

private:
    ConsoleContext m;
};

} // namespace tarvos
