#pragma once

#include "clientlink/sidchart.h"
#include "console/widgets.h"

#include <QPixmap>
#include <QWidget>

namespace tarvos {

// The SID chart window: the west or the east departure chart, exactly the picture's size,
// hanging directly under the console. A click on the chart hides it.
class Form5 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidthTwips = 8250;
    static constexpr int kHeightTwips = 5355;
    static constexpr QSize kBuiltInWestSize{564, 381};
    static constexpr QSize kBuiltInEastSize{570, 364};

    explicit Form5(QWidget *parent = nullptr);

    // Loads sidwest.bmp and sideast.bmp from the data folder (any picture format Qt reads,
    // whatever the name's ending). A missing file, or one that is no picture, keeps the built-in
    // picture, which tells the controller which file to put where.
    void loadCharts(const QString &directory);

    // Shows the chart for the landing runway under the anchor window's frame, left edges
    // aligned, without taking the keyboard focus from the console.
    void showChart(const QString &landingRunway, const QWidget &anchor);
    void hideChart() { hide(); }

    SidChart shownChart() const { return m_shown; }
    bool isBuiltIn(SidChart chart) const;

    // The picture shown while no chart file could be read.
    static QPixmap builtInChart(SidChart chart, const QString &directory);

    Caption *Picture1; // west chart
    Caption *Picture2; // east chart

private:
    Caption *picture(SidChart chart) const { return chart == SidChart::East ? Picture2 : Picture1; }

    SidChart m_shown = SidChart::West;
    bool m_builtIn[2] = {true, true};
};

} // namespace tarvos
