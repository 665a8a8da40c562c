#pragma once

// The console, built in code with the geometry of its window definition (twips). It only lays
// out its controls and reports window events; the controllers own the handlers.

#include "console/widgets.h"

#include <QComboBox>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <array>

class QProgressBar;

namespace tarvos {

// The status lamp: a filled circle whose colour value the weather handlers set. Amber tells that
// something failed: the tooltip (and the description a screen reader gives) says what.
class Lamp : public QWidget {
    Q_OBJECT
public:
    explicit Lamp(QWidget *parent = nullptr);
    int fillColour() const { return m_colour; }
    // Any colour; a failure shown before is gone.
    void setFillColour(int value);
    // Amber, with `why` as the tooltip, shown as plain text.
    void showFailure(const QString &why);
    QString failure() const { return m_failure; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_colour = kBrightGreen;
    QString m_failure;
};

class Form1 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidthTwips = 11145;
    // The heights the handlers set are those of the whole window, title bar and frame
    // included; the client area is this much lower.
    static constexpr int kFrameTwips = 345;
    static constexpr int kShortHeight = 1760;
    static constexpr int kOneStripHeight = 2475;
    static constexpr int kTwoStripsHeight = 2890;
    static constexpr int kBoardHeight = 5580;
    static constexpr int kHelpHeight = 5595;
    static constexpr int kRows = 7;
    // The "Today" button's place when only some strips are shown.
    static constexpr int kTodayHighTop = 1365;

    explicit Form1(QWidget *parent = nullptr);

    int heightTwips() const { return m_heightTwips; }
    void setHeightTwips(int twips);
    int leftTwips() const;
    int topTwips() const;
    void moveTwips(int left, int top);
    // Moves a control's top edge (panels are shown and hidden this way).
    static void setTopTwips(QWidget *control, int top);
    static int topTwipsOf(const QWidget *control);
    static void setLeftTwips(QWidget *control, int left);

    // Weather row and airport.
    Caption *Label14, *Label2, *Label8, *Label16, *Label17, *Label18, *Label19;
    Field *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text18;
    Lamp *Shape1;
    Button *Command18, *Command10, *Command37, *Command40;
    QCheckBox *Check1, *Check2, *Check3;

    // Frequency and contact lines.
    Button *Command1, *Command2;
    Caption *Label5, *Label7;

    // Buttons of the top panel.
    Button *Command3, *Command4, *Command5, *Command6, *Command7, *Command8, *Command9;
    Button *Command34, *Command35, *Command36, *Command39, *Command41, *Command42, *Command43;

    // Strip board.
    Caption *Label1, *Label3, *Label4, *Label6, *Label10, *Label11, *Label12, *Label13;
    std::array<Field *, kRows> Text7{}, Text8{}, Text9{}, Text10{}, Text11{};
    std::array<Button *, kRows> fa{}, first{}, del{}; // "Fa", "1." (none on row 0), "Lö"
    Button *Command19, *Command20, *Command38;
    Field *Text12, *Text13, *Text17;
    Panel *Text16;

    // Flight-level lists.
    Caption *Label20;
    QComboBox *Combo1, *Combo2, *Combo3, *Combo4;

    // Panels parked outside the visible area.
    Panel *Text14, *Text15, *Text19, *Text20, *Text21, *Text23;
    Field *Text22;

    QTimer *Timer1, *Timer2, *Timer3, *Timer4, *Timer5, *Timer6;

    // How far a file download has come, in a free spot of the top panel beside the board's
    // label: it covers no control, never takes the focus, and is hidden while nothing comes.
    QProgressBar *ProgressBar1;
    void showDownload(const QString &fileName, qint64 received, qint64 total);
    void endDownload(const QString &fileName);

    // The one-second "OK" that takes the place of the voice channel label after an ATIS was
    // prepared or a command word was understood; Timer6 ends it.
    void showConfirmation();
    void endConfirmation();

    // The five fields of a row, Callsign to Remarks.
    std::array<Field *, 5> row(int r) const {
        return {Text7[r], Text8[r], Text9[r], Text10[r], Text11[r]};
    }

signals:
    void backgroundPressed();
    void closing();
    void heightChanged();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildTopPanel();
    void buildBoard();
    void buildPanels();
    void buildTimers();

    int m_heightTwips = kShortHeight;
    QSet<QString> m_downloads; // the files whose download the bar shows
};

// The general help text and the via help text of the two help panels.
QString generalHelpText();
QString viaHelpText();

} // namespace tarvos
