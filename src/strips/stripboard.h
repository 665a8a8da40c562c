#pragma once

#include "console/context.h"

#include <QObject>
#include <array>
#include <vector>

namespace tarvos {

class Field;

// The seven-row strip board: the per-row buttons, the board's sizes, the clearance, and the
// change handling of every strip field.
class StripBoardController : public QObject {
    Q_OBJECT
public:
    enum Column { Callsign, Dest, Via, Squawk, Remarks };
    static constexpr int kColumns = 5;
    // How deep one field's change handling may re-enter itself (a handler that writes its own
    // field runs again). A code table whose replacement maps back to a code stops here and the
    // field keeps what it holds.
    static constexpr int kMaxNesting = 8;

    explicit StripBoardController(ConsoleContext context, QObject *parent = nullptr);

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

private:
    void fieldChanged(Column column, int row);
    void callsignChanged(int r);

    ConsoleContext m;
    std::array<std::vector<std::function<void(int)>>, kColumns> m_handlers;
    std::array<std::array<int, 7>, kColumns> m_depth{};
    int m_translationRow = 0;
};

} // namespace tarvos
