#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace tarvos {

class Clipboard;
class Form1;
class GroundInfoController;
struct CommandStep;
struct ConsoleState;

// The command words of the callsign fields (commandwords.h) carried out on the console: the
// labels, the shortcut display, the strip row, the window-wide switches and the one-second "OK"
// in place of the voice channel label. What other parts of the console do for a word is asked
// for through the signals.
class CommandController : public QObject {
    Q_OBJECT
public:
    // `atcShortcutPath` gives the path of the ATC client's shortcut file, asked afresh for
    // every shortcut typed.
    CommandController(Form1 &form, ConsoleState &state, Clipboard &clipboard,
                      std::function<QString()> atcShortcutPath, GroundInfoController &groundInfo,
                      QObject *parent = nullptr);

public slots:
    // The change handling of callsign field `row` after the airline translation: looks for a
    // command word, carries it out and shows the confirmation. Emptying the field runs this
    // again through the field's change; the inner run finds nothing.
    void interpret(int row);

signals:
    void towerAtisWanted();      // abc1: the tower ATIS rebuilt onto the clipboard
    void letterResetWanted();    // the ATIS letter back to A, the tower ATIS rebuilt
    void greetingWanted();       // getaircraft: row 0's callsign counted in the strip log
    void trafficListingWanted(); // the airport traffic listing for state.depsearchcode
    void chartWanted();          // the SID chart window for the landing runway
    void ipEchoWanted(int row);  // the own IP address into the row's Remarks and the clipboard

private:
    void carryOut(const CommandStep &step, int row);
    void lookUpAtcShortcut(const QString &key, int row);
    void emptyField(int row);
    void confirm();

    Form1 &m_form;
    ConsoleState &m_state;
    Clipboard &m_clipboard;
    std::function<QString()> m_atcShortcutPath;
    GroundInfoController &m_groundInfo;
};

} // namespace tarvos
