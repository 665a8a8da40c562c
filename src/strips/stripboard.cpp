#include "strips/stripboard.h"

#include "console/consolestate.h"
#include "console/datadir.h"
#include "console/form1.h"
#include "platform/platform.h"
#include "strips/airlines.h"
#include "strips/clearance.h"
#include "strips/codetable.h"

namespace tarvos {

namespace {
constexpr int kTodayLowTop = 4935;
} // namespace

StripBoardController::StripBoardController(Form1 &form, BoardFields &fields, ConsoleState &state,
                                           DataDir &data, Clipboard &clipboard,
                                           MessageBox &messages, QObject *parent)
    : QObject(parent), m_form(form), m_fields(fields), m_state(state), m_data(data),
      m_clipboard(clipboard), m_messages(messages) {
    Form1 &f = m_form;
    for (int r = 0; r < Form1::kRows; ++r) {
        connect(f.del[r], &QPushButton::clicked, this, [this, r] { deleteRow(r); });
        connect(f.fa[r], &QPushButton::clicked, this, [this, r] { fgc(r); });
        if (f.first[r])
            connect(f.first[r], &QPushButton::clicked, this, [this, r] { auf1(r); });
    }
    connect(f.Command19, &QPushButton::clicked, this, &StripBoardController::clearBoard);
    connect(f.Command8, &QPushButton::clicked, this, &StripBoardController::toggleBoard);
    for (Caption *label : {f.Label1, f.Label10, f.Label16})
        connect(label, &Caption::clicked, this, &StripBoardController::toggleBoard);
    connect(f.Label8, &Caption::doubleClicked, this,
            [this] { showStrips(Form1::kOneStripHeight); });
    connect(f.Label2, &Caption::doubleClicked, this,
            [this] { showStrips(Form1::kTwoStripsHeight); });
    connect(f.Label18, &Caption::doubleClicked, this, &StripBoardController::todayWanted);
    connect(f.Command5, &QPushButton::clicked, this, &StripBoardController::todayWanted);
    // A single click into the initial-climb field empties it for the next altitude.
    connect(f.Text12, &Field::clicked, f.Text12, &QLineEdit::clear);
    onChange(Callsign, [this](int r) { callsignChanged(r); });
}

void StripBoardController::onChange(Column column, std::function<void(int)> handler) {
    m_fields.onChange(column, std::move(handler));
}

Field *StripBoardController::field(Column column, int row) const {
    return m_fields.field(column, row);
}

void StripBoardController::callsignChanged(int r) {
    Field *callsign = field(Callsign, r);
    if (callsign->text().size() == 3) {
        m_translationRow = r;
        airlines();
        callsign->setCursorPosition(callsign->text().size());
    }
}

void StripBoardController::airlines() {
    Field *callsign = field(Callsign, m_translationRow);
    const DataDir::OpenResult table = m_data.openOrCreate(airlinesFile(), m_messages);
    if (table.outcome == DataDir::Outcome::Created) {
        callsign->clear();
        return;
    }
    const CodeExpansion expansion = expandCode(table.lines, callsign->text());
    if (expansion.replaced)
        callsign->setText(expansion.text);
}

void StripBoardController::deleteRow(int r) {
    emit aboutToDeleteRow(r);
    for (Field *f : m_form.row(r))
        f->clear();
    field(Callsign, r)->setFocus();
    fgc(r);
}

void StripBoardController::auf1(int r) {
    if (r <= 0 || r >= Form1::kRows)
        return;
    const auto top = m_form.row(0);
    const auto other = m_form.row(r);
    QString kept[kColumns];
    for (int c = 0; c < kColumns; ++c)
        kept[c] = top[c]->text();
    const int keptColour = top[Callsign]->textColour();
    for (int c = 0; c < kColumns; ++c)
        top[c]->setText(other[c]->text());
    for (int c = 0; c < kColumns; ++c)
        top[c]->setTextColour(other[c]->textColour());
    for (int c = 0; c < kColumns; ++c)
        other[c]->setText(kept[c]);
    for (int c = 0; c < kColumns; ++c)
        other[c]->setTextColour(keptColour);
}

void StripBoardController::clearBoard() {
    for (int r = 0; r < Form1::kRows; ++r) {
        for (Field *f : m_form.row(r))
            f->clear();
        setRowColour(r, kBlack);
        hideFlightPlanFields();
    }
}

void StripBoardController::hideFlightPlanFields() {
    m_form.Text16->setText(QString());
    m_form.Text16->hide();
    m_form.Text17->clear();
    m_form.Text17->hide();
}

void StripBoardController::toggleBoard() {
    Form1 &f = m_form;
    if (m_state.stripshidden == 1) {
        f.Label1->setText(QStringLiteral("Flightstrips"));
        f.setHeightTwips(Form1::kBoardHeight);
        f.Label3->show();
        f.Label1->show();
        m_state.stripshidden = 0;
        if (m_state.flightplanlabels == 1) {
            f.Label11->show();
            f.Label12->show();
            f.Label13->show();
        }
    } else {
        f.setHeightTwips(Form1::kShortHeight);
        for (QWidget *w : {f.Label3, f.Label1, f.Label11, f.Label12, f.Label13})
            w->hide();
        emit chartNotWanted();
        m_state.stripshidden = 1;
    }
    Form1::setTopTwips(f.Command5, kTodayLowTop);
}

void StripBoardController::showStrips(int heightTwips) {
    m_form.setHeightTwips(heightTwips);
    Form1::setTopTwips(m_form.Command5, Form1::kTodayHighTop);
    m_state.stripshidden = 0;
}

void StripBoardController::setRowColour(int r, int colour) {
    for (Field *f : m_form.row(r))
        f->setTextColour(colour);
}

void StripBoardController::fgc(int r) {
    const QString text = clearanceText(field(Remarks, r)->text(), field(Via, r)->text(),
                                       m_form.Text12->text(), field(Squawk, r)->text());
    m_clipboard.clear();
    m_clipboard.setText(text);
    setRowColour(r, field(Callsign, r)->textColour() == kRed ? kBlack : kRed);
}

} // namespace tarvos
