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

StripAssistController::StripAssistController(ConsoleContext context, StripBoardController &board,
                                             QObject *parent)
    : QObject(parent), m(std::move(context)), m_board(board), m_destinations(m.data) {
    board.onChange(StripBoardController::Dest, [this](int r) { destChanged(r); });
    board.onChange(StripBoardController::Via, [this](int r) { via(r); });
    auto hideChart = [this] { callHook(m.hooks.hideChart); };
    for (int r = 0; r < Form1::kRows; ++r) {
        Field *callsign = board.field(StripBoardController::Callsign, r);
        Field *dest = board.field(StripBoardController::Dest, r);
        Field *viaField = board.field(StripBoardController::Via, r);
        Field *remarks = board.field(StripBoardController::Remarks, r);

        connect(callsign, &Field::clicked, this, hideChart);
        connect(callsign, &Field::doubleClicked, this, [this, r] { callsignDoubleClicked(r); });
        connect(callsign, &Field::focusEntered, this, [this, r] { releaseRequest(r); });

        connect(dest, &Field::clicked, this, [this, r] {
            callHook(m.hooks.hideChart);
            m.platform.clipboard->clear();
            m.platform.clipboard->setText(
                callsignTail(m_board.field(StripBoardController::Callsign, r)->text()));
        });
        connect(dest, &Field::doubleClicked, this, [this, dest, r] {
            dest->clear();
            m_board.field(StripBoardController::Remarks, r)->clear();
        });
        connect(dest, &Field::focusLeft, this, [dest] { dest->setText(dest->text().toUpper()); });

        connect(viaField, &Field::doubleClicked, viaField, &QLineEdit::clear);
        connect(viaField, &Field::focusEntered, this, [this, viaField] {
            if (m.state.autosidswitch == 1)
                viaField->setText(QStringLiteral("sid"));
        });

        connect(remarks, &Field::doubleClicked, this, [this, r] { markLanding(r); });
        connect(remarks, &Field::focusEntered, this, [this, remarks] {
            m.platform.clipboard->setText(ipSentence(remarks->text()));
            callHook(m.hooks.hideChart);
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
        callHook(m.hooks.showChart);
        field->setFocus();
    }
    if (m_expanded) {
        callHook(m.hooks.hideChart);
        m_board.field(StripBoardController::Squawk, r)->setFocus();
    }
}

void StripAssistController::shortcut() {
    Field *field = m_board.field(StripBoardController::Via, m_shortcutRow);
    const CodeExpansion expansion = lookupShortcut(m.data, *m.platform.messages, field->text());
    if (expansion.replaced) {
        field->setText(expansion.text);
        m_expanded = true;
    }
}

void StripAssistController::callsignDoubleClicked(int r) {
    callHook(m.hooks.hideChart);
    const auto row = m.form1.row(r);
    if (row[StripBoardController::Callsign]->text().isEmpty()) {
        for (int c = StripBoardController::Dest; c <= StripBoardController::Remarks; ++c)
            row[c]->clear();
        m_board.hideFlightPlanFields();
    }
    row[StripBoardController::Callsign]->clear();
}

void StripAssistController::releaseRequest(int r) {
    const auto row = m.form1.row(r);
    m.platform.clipboard->clear();
    m.platform.clipboard->setText(releaseRequestText(row[StripBoardController::Callsign]->text(),
                                                     row[StripBoardController::Via]->text(),
                                                     m.form1.Text12->text()));
}

void StripAssistController::markLanding(int r) {
    m_board.field(StripBoardController::Remarks, r)->setText(landingRemarks(m.form1.Text4->text()));
    m_board.setRowColour(r, kGreen);
}

} // namespace tarvos
