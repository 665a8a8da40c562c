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
constexpr int kTodayHighTop = 1365;
} // namespace

StripBoardController::StripBoardController(ConsoleContext context, QObject *parent)
    : QObject(parent), m(std::move(context)) {
    Form1 &f = m.form1;
    for (int r = 0; r < Form1::kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            connect(field(Column(c), r), &QLineEdit::textChanged, this,
                    [this, c, r] { fieldChanged(Column(c), r); });
        }
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
    connect(f.Label18, &Caption::doubleClicked, this, [this] { callHook(m.hooks.showToday); });
    connect(f.Command5, &QPushButton::clicked, this, [this] { callHook(m.hooks.showToday); });
    // A single click into the initial-climb field empties it for the next altitude.
    connect(f.Text12, &Field::clicked, f.Text12, &QLineEdit::clear);
    onChange(Callsign, [this](int r) { callsignChanged(r); });
}

void StripBoardController::onChange(Column column, std::function<void(int)> handler) {
    m_handlers[column].push_back(std::move(handler));
}

Field *StripBoardController::field(Column column, int row) const {
    return m.form1.row(row)[column];
}

void StripBoardController::fieldChanged(Column column, int row) {
    int &depth = m_depth[column][row];
    if (depth >= kMaxNesting)
        return;
    ++depth;
    for (const auto &handler : m_handlers[column])
        handler(row);
    --depth;
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
    const DataDir::OpenResult table = m.data.openOrCreate(airlinesFile(), *m.platform.messages);
    if (table.outcome == DataDir::Outcome::Created) {
        callsign->clear();
        return;
    }
    const CodeExpansion expansion = expandCode(table.lines, callsign->text());
    if (expansion.replaced)
        callsign->setText(expansion.text);
}

void StripBoardController::deleteRow(int r) {
    if (m.hooks.logStrip)
        m.hooks.logStrip(r);
    for (Field *f : m.form1.row(r))
        f->clear();
    field(Callsign, r)->setFocus();
    fgc(r);
}

void StripBoardController::auf1(int r) {
    if (r <= 0 || r >= Form1::kRows)
        return;
    const auto top = m.form1.row(0);
    const auto other = m.form1.row(r);
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
        for (Field *f : m.form1.row(r))
            f->clear();
        setRowColour(r, kBlack);
        hideFlightPlanFields();
    }
}

void StripBoardController::hideFlightPlanFields() {
    m.form1.Text16->setText(QString());
    m.form1.Text16->hide();
    m.form1.Text17->clear();
    m.form1.Text17->hide();
}

void StripBoardController::toggleBoard() {
    Form1 &f = m.form1;
    if (m.state.stripshidden == 1) {
        f.Label1->setText(QStringLiteral("Flightstrips"));
        f.setHeightTwips(Form1::kBoardHeight);
        f.Label3->show();
        f.Label1->show();
        m.state.stripshidden = 0;
        if (m.state.flightplanlabels == 1) {
            f.Label11->show();
            f.Label12->show();
            f.Label13->show();
        }
    } else {
        f.setHeightTwips(Form1::kShortHeight);
        for (QWidget *w : {f.Label3, f.Label1, f.Label11, f.Label12, f.Label13})
            w->hide();
        callHook(m.hooks.hideChart);
        m.state.stripshidden = 1;
    }
    Form1::setTopTwips(f.Command5, kTodayLowTop);
}

void StripBoardController::showStrips(int heightTwips) {
    m.form1.setHeightTwips(heightTwips);
    Form1::setTopTwips(m.form1.Command5, kTodayHighTop);
    m.state.stripshidden = 0;
}

void StripBoardController::setRowColour(int r, int colour) {
    for (Field *f : m.form1.row(r))
        f->setTextColour(colour);
}

void StripBoardController::fgc(int r) {
    const QString text = clearanceText(field(Remarks, r)->text(), field(Via, r)->text(),
                                       m.form1.Text12->text(), field(Squawk, r)->text());
    m.platform.clipboard->clear();
    m.platform.clipboard->setText(text);
    setRowColour(r, field(Callsign, r)->textColour() == kRed ? kBlack : kRed);
}

} // namespace tarvos
