#pragma once

#include <QObject>

namespace tarvos {

class Form1;
class InputInjector;
class MessageBox;
class ScreenInfo;

// The function keys of the wind field: F1..F8 run the macros of macros.h on the input
// injector, whatever the Shift state; every other key is the field's own. Connects itself to
// the wind field's key presses.
class MacroController : public QObject {
    Q_OBJECT
public:
    MacroController(Form1 &form, InputInjector &injector, ScreenInfo &screen, MessageBox &messages,
                    QObject *parent = nullptr);

    // The text of the one message shown where the desktop allows no synthetic input.
    static QString unavailableText();

public slots:
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);
    // Macro 1..8 (F1..F8).
    void run(int macro);

private:
    Form1 &m_form;
    InputInjector &m_injector;
    ScreenInfo &m_screen;
    MessageBox &m_messages;
    bool m_toldUnavailable = false;
};

} // namespace tarvos
