#pragma once

#include <QObject>
#include <memory>

namespace tarvos {

class Form1;
class Form2;
class ScreenInfo;
class WindowStacking;
struct ConsoleState;

// Always on top, the mini window, the help panels, the flight-level lists, the separation
// stopwatch and the panels that are hidden by a click.
class WindowModesController : public QObject {
    Q_OBJECT
public:
    WindowModesController(Form1 &form, ConsoleState &state, ScreenInfo &screen,
                          WindowStacking &stacking, QObject *parent = nullptr);
    ~WindowModesController() override;

    // The mini window, created (hidden) on first use.
    Form2 &miniWindow();
    bool hasMini() const { return m_mini != nullptr; }
    // The mini window takes the console's weather row, whether or not it is on the screen.
    void copyWeatherToMini();
    // Shutdown closes the mini window with the other companions.
    void closeMini();

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

signals:
    void chartNotWanted(); // the mini window replaces the console; the chart goes too

private:
    void wireMini(Form2 &form2);

    Form1 &m_form;
    ConsoleState &m_state;
    ScreenInfo &m_screen;
    WindowStacking &m_stacking;
    std::unique_ptr<Form2> m_mini;
};

} // namespace tarvos
