#pragma once

#include "console/widgets.h"

#include <QWidget>

namespace tarvos {

class Form1;

// The mini window: one narrow row with the weather, the ATIS letter, the TL and the lines of
// the frequency lists, shown instead of the console.
class Form2 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidthTwips = 11145;
    static constexpr int kHeightTwips = 660;

    explicit Form2(QWidget *parent = nullptr);

    int topTwips() const;
    void moveTopTwips(int top);

    Caption *Label5; // header
    Field *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7;
    Caption *Label1, *Label2, *Label3, *Label4;
    Button *Command1, *Command2, *Command3;

    // Takes the weather row, the ATIS letter, the TL and the frequency lines from the console
    // once; the mini window does not follow later changes by itself.
    void copyFrom(const Form1 &console);

    // Shutdown's close, which is not the controller's.
    void closeAtShutdown();

signals:
    // The controller closed the window through its frame.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    int m_topTwips = 0;
    bool m_shuttingDown = false;
};

} // namespace tarvos
