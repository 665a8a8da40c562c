#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QTimer>

namespace tarvos {

class Form1;
class InputInjector;
class MessageBox;
class ScreenInfo;

// The function keys of the wind field: F1..F8 run the macros of macros.h on the input
// injector, whatever the Shift state; every other key is the field's own. Connects itself to
// the wind field's key presses.
//
// A macro runs inside the key's handler: its waits (for the ATC client to take the keyboard, on
// Windows for it to read each key) look at the desktop, not at the console's events, and end
// within a second of the key. Keys the console receives meanwhile wait in the desktop's queue and
// run their macros afterwards, in order. After the keyboard came back the console watches, on a
// timer and with its events running, whether another window takes the keyboard within 300 ms, and
// then takes it back once more; the next F-key ends that watch, since its clicks are meant to give
// the keyboard away.
class MacroController : public QObject {
    Q_OBJECT
public:
    MacroController(Form1 &form, InputInjector &injector, ScreenInfo &screen, MessageBox &messages,
                    QObject *parent = nullptr);

    // The text of the one message shown where the desktop allows no synthetic input.
    static QString unavailableText();
    // Whether the console still watches that it keeps the keyboard after the last macro.
    bool keepingTheKeyboard() const { return m_keep.isActive(); }

public slots:
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);
    // Macro 1..8 (F1..F8).
    void run(int macro);

private:
    void takeKeyboardBack();
    void keepTheKeyboard();

    Form1 &m_form;
    InputInjector &m_injector;
    ScreenInfo &m_screen;
    MessageBox &m_messages;
    bool m_toldUnavailable = false;
    QTimer m_keep;
    QDeadlineTimer m_keepUntil;
};

} // namespace tarvos
