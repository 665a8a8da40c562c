#pragma once

#include "strips/destination.h"

#include <QObject>

namespace tarvos {

class Clipboard;
class DataDir;
class Form1;
class MessageBox;
class StripBoardController;
struct ConsoleState;

// The assistants of the strip fields: the destination lookup on every change of a Dest field,
// the SID shortcuts of the via field, the clipboard texts on entering a callsign or Remarks
// field, and the clearing and marking double clicks.
class StripAssistController : public QObject {
    Q_OBJECT
public:
    StripAssistController(Form1 &form, ConsoleState &state, DataDir &data, Clipboard &clipboard,
                          MessageBox &messages, StripBoardController &board,
                          QObject *parent = nullptr);

    void destChanged(int r);
    void via(int r);
    void shortcut();
    void callsignDoubleClicked(int r);
    void releaseRequest(int r);
    void markLanding(int r);

signals:
    void chartWanted();    // the SID chart for the landing runway
    void chartNotWanted(); // and putting it away

private:
    Form1 &m_form;
    ConsoleState &m_state;
    DataDir &m_data;
    Clipboard &m_clipboard;
    MessageBox &m_messages;
    StripBoardController &m_board;
    DestinationLookup m_destinations;
    bool m_expanded = false; // the shortcut lookup replaced the via text
    int m_shortcutRow = 0;
};

} // namespace tarvos
