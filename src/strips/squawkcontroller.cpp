#include "strips/squawkcontroller.h"

#include "console/consolestate.h"
#include "console/datadir.h"
#include "console/form1.h"
#include "console/numbers.h"
#include "strips/squawk.h"
#include "strips/stripboard.h"

namespace tarvos {

namespace {
const QString kSquawkFile = QStringLiteral("squawk.txt");
constexpr int kHandChangeDelayMs = 1000;
} // namespace

SquawkController::SquawkController(Form1 &form, ConsoleState &state, DataDir &data,
                                   StripBoardController &board, QObject *parent)
    : QObject(parent), m_form(form), m_state(state), m_data(data), m_board(board) {
    Form1 &f = m_form;
    board.onChange(StripBoardController::Squawk, [this](int r) { squawkChanged(r); });
    for (int r = 0; r < Form1::kRows; ++r) {
        Field *squawk = board.field(StripBoardController::Squawk, r);
        connect(squawk, &Field::doubleClicked, squawk, &QLineEdit::clear);
        connect(squawk, &Field::focusEntered, this, &SquawkController::chartNotWanted);
    }
    m_handChange.setParent(this);
    m_handChange.setSingleShot(true);
    m_handChange.setInterval(kHandChangeDelayMs);
    connect(&m_handChange, &QTimer::timeout, this, &SquawkController::saveChanges);
    connect(f.Text13, &QLineEdit::textChanged, this, [this] {
        if (!m_handChange.isActive())
            m_handChange.start();
    });
    connect(f.Command38, &QPushButton::clicked, this, &SquawkController::loadStartSquawk);
    connect(f.Command20, &QPushButton::clicked, this, &SquawkController::loadLastSquawk);
}

void SquawkController::loadsquawk() {
    const DataDir::ReadResult file = m_data.read(kSquawkFile);
    if (file.status == DataDir::Status::Ok) {
        const SquawkFile values = parseSquawkFile(file.lines);
        if (values.linesRead > 0)
            m_state.startsquawk = values.startsquawk;
        if (values.linesRead > 1)
            m_state.lastsquawk = values.lastsquawk;
        if (values.linesRead > 2)
            m_state.homeicao = values.homeicao;
        if (values.linesRead > 3)
            m_state.atisnumber = leadingInt(values.atisnumber);
    }
    m_form.Text6->setText(m_state.homeicao);
}

void SquawkController::savesquawk() {
    save(m_form.Text13->text(), true);
}

void SquawkController::saveChanges() {
    save(m_form.Text13->text(), false);
}

void SquawkController::save(const QString &nextSquawk, bool always) {
    m_handChange.stop();
    const DataDir::ReadResult file = m_data.read(kSquawkFile);
    if (file.status == DataDir::Status::Ok && !file.lines.isEmpty())
        m_state.startsquawk = file.lines.first();
    const QStringList lines =
        squawkFileLines(m_state.startsquawk, nextSquawk, m_state.homeicao, m_state.atisnumber);
    if (!always && file.status == DataDir::Status::Ok && file.lines == lines)
        return;
    // A failed write leaves the previous squawk.txt whole; it is not reported.
    m_data.replace(kSquawkFile, lines);
}

void SquawkController::squawkChanged(int r) {
    Form1 &f = m_form;
    if (f.Text13->text().isEmpty())
        f.Text13->setText(kFirstSquawk);
    Field *squawk = m_board.field(StripBoardController::Squawk, r);
    if (squawk->text() != QLatin1String("a"))
        return;
    const QString assigned = f.Text13->text();
    const QString next = nextSquawk(assigned);
    // The code is taken on the disk before anyone can read it off the strip: after a crash the
    // sequence goes on behind it.
    save(next, false);
    squawk->setText(assigned);
    m_board.field(StripBoardController::Remarks, r)->setFocus();
    m_board.hideFlightPlanFields();
    m_state.lastsquawk = next;
    f.Text13->setText(m_state.lastsquawk);
    m_handChange.stop();
}

void SquawkController::loadStartSquawk() {
    const DataDir::ReadResult file = m_data.read(kSquawkFile);
    // The S value is taken as the file now holds it, so that an edit of line 1 is also what
    // squawk.txt keeps at shutdown.
    if (file.status == DataDir::Status::Ok && !file.lines.isEmpty())
        m_state.startsquawk = parseSquawkFile(file.lines).startsquawk;
    m_form.Text13->setText(m_state.startsquawk);
}

void SquawkController::loadLastSquawk() {
    m_form.Text13->setText(m_state.lastsquawk);
}

} // namespace tarvos
