#pragma once

#include "clientlink/groundinfo.h"
#include "console/widgets.h"

#include <QWidget>
#include <array>

namespace tarvos {

// The ground-info window: ten rows of callsign and three stage check boxes (clearance,
// start-up, taxi) with a delete button each, and the buttons that close the gaps and clear all.
class Form4 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = GroundInfo::kRows;
    static constexpr int kWidthTwips = 2355;
    static constexpr int kHeightTwips = 3750;
    static constexpr int kParkedTopTwips = 11595; // where a click on the header parks it
    static int rowTopTwips(int row) { return 210 + 315 * row; }

    explicit Form4(QWidget *parent = nullptr);

    // Shows the rows as they stand.
    void showRows(const GroundInfo &rows);

    // The backgrounds of the first two check columns tell which stages a deleted strip ticks
    // by itself: green for those, the button face for the others.
    void setCheckColours(int groundcheckmode);

    QCheckBox *check(int row, int column) const;

    Caption *Label1; // header; a click parks the window low on the screen
    std::array<Field *, kRows> Text1{};
    std::array<QCheckBox *, kRows> Check1{}, Check2{}, Check3{};
    std::array<Button *, kRows> Command1{}; // "Lö"
    Button *Command2;                       // "ZAP"
    Button *Command3;                       // "A"

signals:
    // The window was closed through its frame (or by the program); its rows are gone.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
};

} // namespace tarvos
