#pragma once

#include "console/widgets.h"

#include <QTimer>
#include <QWidget>

namespace tarvos {

class DataDir;
class Clock;
class ScreenInfo;

// The window of today's strips: the lines of log.txt that carry today's date, and their count.
class Form3 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidthTwips = 12000;
    static constexpr int kHeightTwips = 4200;
    static constexpr int kCreatedTopTwips = 6000;
    static constexpr int kGapTwips = 10; // between the main window and this one

    // Created centred on the screen, top edge at 6000 twips; 200 ms later it fills its list.
    Form3(const DataDir &data, const Clock &clock, const ScreenInfo &screen,
          QWidget *parent = nullptr);

    // Fills the list from log.txt; a missing or unreadable log leaves it empty, "0 Flugzeuge".
    void testit();

    // "Today": just below the main window's frame, shown, and filled 200 ms later.
    void showToday(const QWidget &mainWindow);

    int count() const { return m_count; }

    Caption *Label1;
    Panel *Text1;
    Caption *Label2;
    Button *Command1;
    QTimer *Timer1;

private:
    const DataDir &m_data;
    const Clock &m_clock;
    int m_count = 0;
};

} // namespace tarvos
