#include "strips/stripassist.h"

#include "console/consolestate.h"
#include "console/form1.h"
#include "platform/platform.h"
#include "strips/assist.h"
#include "strips/shortcuts.h"
#include "strips/stripboard.h"
#include "strips/striplog.h"

namespace tarvos {

using Column = StripBoardController::Column;

StripAssistController::StripAssistController(Form1 &form, ConsoleState &state, DataDir &data,
                                             Clipboard &clipboard, MessageBox &messages,
                                             StripBoardController &board, QObject *parent)
    : QObject(parent), m_form(form), m_state(state), m_data(data), m_clipboard(clipboard),
      m_messages(messages), m_board(board), m_destinations(data) {
    board.onChange(StripBoardController::Dest, [this](int r) { destChanged(r); });
    board.onChange(StripBoardController::Via, [this](int r) { via(r); });
    auto hideChart = [this] { emit chartNotWanted(); };
    for (int r = 0; r < Form1::kRows; ++r) {
        Field *callsign = board.field(StripBoardController::Callsign, r);
        Field *dest = board.field(StripBoardController::Dest, r);
        Field *viaField = board.field(StripBoardController::Via, r);
        Field *remarks = board.field(StripBoardController::Remarks, r);

        connect(callsign, &Field::clicked, this, hideChart);
        connect(callsign, &Field::doubleClicked, this, [this, r] { callsignDoubleClicked(r); });
        connect(callsign, &Field::focusEntered, this, [this, r] { releaseRequest(r); });

        connect(dest, &Field::clicked, this, [this, r] {
            emit chartNotWanted();
            m_clipboard.clear();
            m_clipboard.setText(
                callsignTail(m_board.field(StripBoardController::Callsign, r)->text()));
        });
        connect(dest, &Field::doubleClicked, this, [this, dest, r] {
            dest->clear();
            m_board.field(StripBoardController::Remarks, r)->clear();
        });
        connect(dest, &Field::focusLeft, this, [dest] { dest->setText(dest->text().toUpper()); });

        connect(viaField, &Field::doubleClicked, viaField, &QLineEdit::clear);
        // With the automatic-SID switch on, entering a via field shows the chart. An empty field
        // gets the chart word (which opens the chart and empties it again); a field that holds
        // a route keeps it, so tabbing through a strip never loses its SID.
        connect(viaField, &Field::focusEntered, this, [this, viaField] {
            if (m_state.autosidswitch != 1)
                return;
            if (viaField->text().isEmpty())
                viaField->setText(QStringLiteral("sid"));
            else
                emit chartWanted();
        });

        connect(remarks, &Field::doubleClicked, this, [this, r] { markLanding(r); });
        connect(remarks, &Field::focusEntered, this, [this, remarks] {
            m_clipboard.setText(ipSentence(remarks->text()));
            emit chartNotWanted();
        });
    }
}

void StripAssistController::destChanged(int r) {
    Field *remarks = m_board.field(StripBoardController::Remarks, r);
    remarks->setText(m_destinations.remarksAfterDestChange(
        m_board.field(StripBoardController::Dest, r)->text(), remarks->text()));
}

void StripAssistController::via(int r) {
    Field *field = m_board.field(StripBoardController::Via, r);
    m_expanded = false;
    if (field->text().size() == 3) {
        m_shortcutRow = r;
        shortcut();
    }
    if (isChartWord(field->text())) {
        field->clear();
        emit chartWanted();
        field->setFocus();
    }
    if (m_expanded) {
        emit chartNotWanted();
        m_board.field(StripBoardController::Squawk, r)->setFocus();
    }
}

void StripAssistController::shortcut() {
    Field *field = m_board.field(StripBoardController::Via, m_shortcutRow);
    const CodeExpansion expansion = lookupShortcut(m_data, m_messages, field->text());
    if (expansion.replaced) {
        field->setText(expansion.text);
        m_expanded = true;
    }
}

void StripAssistController::callsignDoubleClicked(int r) {
    emit chartNotWanted();
    const auto row = m_form.row(r);
    if (row[StripBoardController::Callsign]->text().isEmpty()) {
        for (int c = StripBoardController::Dest; c <= StripBoardController::Remarks; ++c)
            row[c]->clear();
        m_board.hideFlightPlanFields();
    }
    row[StripBoardController::Callsign]->clear();
}

void StripAssistController::releaseRequest(int r) {
    const auto row = m_form.row(r);
    m_clipboard.clear();
    m_clipboard.setText(releaseRequestText(row[StripBoardController::Callsign]->text(),
                                           row[StripBoardController::Via]->text(),
                                           m_form.Text12->text()));
}

void StripAssistController::markLanding(int r) {
    m_board.field(StripBoardController::Remarks, r)->setText(landingRemarks(m_form.Text4->text()));
    m_board.setRowColour(r, kGreen);
}

} // namespace tarvos
