#pragma once

#include "console/boardfields.h"

#include <QObject>
#include <array>
#include <vector>

namespace tarvos {

class Clipboard;
class DataDir;
class Field;
class Form1;
class MessageBox;
struct ConsoleState;

// The seven-row strip board: the per-row buttons, the board's sizes, the clearance, and the
// change handling of every strip field.
class StripBoardController : public QObject {
    Q_OBJECT
public:
    using Column = BoardFields::Column;
    using enum BoardFields::Column;
    static constexpr int kColumns = BoardFields::kColumns;

    StripBoardController(Form1 &form, BoardFields &fields, ConsoleState &state, DataDir &data,
                         Clipboard &clipboard, MessageBox &messages, QObject *parent = nullptr);

    // Handlers run, in the order they were added, on every change of a field of that column.
    void onChange(Column column, std::function<void(int row)> handler);

    Field *field(Column column, int row) const;

    void deleteRow(int r); // "Lö"
    void auf1(int r);      // "1."
    void clearBoard();     // "A"
    void toggleBoard();    // "DEP" and the board labels
    void showStrips(int heightTwips);
    void fgc(int r); // "Fa": clearance to the clipboard, colour red/black
    void airlines(); // translation of the callsign field of the translation row
    void setRowColour(int r, int colour);
    void hideFlightPlanFields();

    int translationRow() const { return m_translationRow; }

signals:
    // "Lö": the row is about to be emptied; the strip log writes it now.
    void aboutToDeleteRow(int row);
    void todayWanted();    // the window of today's strips
    void chartNotWanted(); // the SID chart window gives way

private:
    void callsignChanged(int r);

    Form1 &m_form;
    BoardFields &m_fields;
    ConsoleState &m_state;
    DataDir &m_data;
    Clipboard &m_clipboard;
    MessageBox &m_messages;
    int m_translationRow = 0;
};

} // namespace tarvos
