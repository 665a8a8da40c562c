#pragma once

// The few control kinds of the console windows: they report the mouse and focus events the
// handlers need (click, double click, focus in and out) as signals, and carry the text colour
// as the colour value the handlers read and write (red in the low byte: 0 black, 255 red).

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>

namespace tarvos {

inline constexpr int kBlack = 0;
inline constexpr int kRed = 255;
inline constexpr int kGreen = 49152;       // 0, 192, 0
inline constexpr int kBrightGreen = 65280; // 0, 255, 0
inline constexpr int kAmber = 49151;       // 255, 191, 0

QColor colourFromValue(int value);
int valueFromColour(const QColor &colour);

// The object name of a control, with the index of a control array: "Text7(3)".
QString controlName(const QString &name, int index = -1);

class Field : public QLineEdit {
    Q_OBJECT
public:
    explicit Field(QWidget *parent = nullptr);
    int textColour() const { return m_colour; }
    void setTextColour(int value);

signals:
    void clicked();
    void doubleClicked();
    void focusEntered();
    void focusLeft();
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);
    void colourChanged();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_colour = kBlack;
};

// A label. Its text is always plain text (a METAR with "<b>" shows the tag as it stands).
class Caption : public QLabel {
    Q_OBJECT
public:
    explicit Caption(const QString &text = QString(), QWidget *parent = nullptr);

signals:
    void clicked();
    void doubleClicked();
};

// A multi-line text panel (help texts, lists) that reports clicks and double clicks.
class Panel : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit Panel(QWidget *parent = nullptr);
    // The panel's text exactly as the handlers wrote it (line ends CR LF); the display shows
    // the same lines.
    QString text() const { return m_text; }
    void setText(const QString &text);
    void appendText(const QString &text) { setText(m_text + text); }

signals:
    void clicked();
    void doubleClicked();

private:
    QString m_text;
};

class Button : public QPushButton {
    Q_OBJECT
public:
    explicit Button(const QString &caption, QWidget *parent = nullptr);
};

// The small font of the console windows, so that captions fit the fixed twip geometry.
QFont consoleFont();

// Reports a click (left button pressed and released over the control) and a double click on a
// control of any kind by calling the given functions; for a scrolling control the events of its
// viewport count. One event filter serves every control kind.
void reportClicks(QWidget *control, std::function<void()> clicked,
                  std::function<void()> doubleClicked);

// Sets the object name and tooltip of a control. A field is named for a screen reader by what
// it holds ("Callsign row 1"); a button, label or check box is named by what it shows, so it
// gets no fixed accessible name unless one is given (a per-row button adds its row).
void nameControl(QWidget *widget, const QString &objectName, const QString &accessibleName,
                 const QString &toolTip = QString());

} // namespace tarvos
