#include "strips/boardrecovery.h"

#include "console/boardfields.h"
#include "console/consolestate.h"
#include "console/datadir.h"
#include "console/form1.h"
#include "platform/platform.h"
#include "strips/stripboard.h"

#include <QDir>
#include <QFile>
#include <QLockFile>

namespace tarvos {

namespace {

const QString kRestored =
    QStringLiteral("The strips of the last session, which ended unexpectedly, have been restored.");

} // namespace

BoardRecovery::BoardRecovery(Form1 &form, ConsoleState &state, DataDir &data, MessageBox &messages,
                             BoardFields &fields, StripBoardController &board, QObject *parent)
    : QObject(parent), m_form(form), m_state(state), m_data(data), m_messages(messages),
      m_fields(fields), m_board(board) {
    m_timer.setParent(this);
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &BoardRecovery::write);
    for (int r = 0; r < Form1::kRows; ++r) {
        for (Field *field : m_form.row(r)) {
            connect(field, &QLineEdit::textChanged, this, &BoardRecovery::changed);
            connect(field, &Field::colourChanged, this, &BoardRecovery::changed);
        }
    }
    // A strip deleted with "Lö" is in log.txt: the file follows at once (after the board's own
    // handling of the click, connected before), so that a crash cannot bring the strip back to
    // be logged twice. "A" empties the board as well.
    for (QPushButton *button : m_form.del)
        connect(button, &QPushButton::clicked, this, &BoardRecovery::saveNow);
    connect(m_form.Command19, &QPushButton::clicked, this, &BoardRecovery::saveNow);
    connect(&m_form, &Form1::heightChanged, this, &BoardRecovery::changed);
    // A view of one or two strips may open a board the window already has the height of.
    connect(m_form.Label8, &Caption::doubleClicked, this, &BoardRecovery::changed);
    connect(m_form.Label2, &Caption::doubleClicked, this, &BoardRecovery::changed);
}

BoardRecovery::~BoardRecovery() = default;

BoardSnapshot BoardRecovery::snapshot() const {
    BoardSnapshot board;
    for (int r = 0; r < Form1::kRows; ++r) {
        const auto fields = m_form.row(r);
        for (int c = 0; c < BoardSnapshot::kColumns; ++c)
            board.rows[r].texts[c] = fields[c]->text();
        board.rows[r].colour = fields[BoardFields::Callsign]->textColour();
    }
    board.heightTwips = m_form.heightTwips();
    board.stripsShown = m_state.stripshidden == 0;
    return board;
}

void BoardRecovery::start() {
    m_lock = std::make_unique<QLockFile>(m_data.path(kLockName));
    // A console runs for hours: only a lock whose process is gone is stale.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        if (m_lock->error() == QLockFile::LockFailedError) {
            m_messages.open(QStringLiteral("Another Tarvos is running on the data folder %1. "
                                           "The strips of this console are not kept for a "
                                           "restart after a crash.")
                                .arg(QDir::toNativeSeparators(m_data.directory())));
        }
        // A folder that cannot be written keeps no recovery file either.
        m_lock.reset();
        return;
    }
    m_written = snapshot();
    if (m_data.exists(kFileName)) {
        const std::optional<QByteArray> bytes = m_data.readBytes(kFileName);
        const std::optional<BoardSnapshot> board =
            bytes ? readRecoveryDocument(*bytes) : std::nullopt;
        if (board) {
            restore(*board);
            m_written = *board;
            m_messages.open(kRestored, MessageBox::Icon::Information);
        } else {
            setAside();
        }
    }
    m_active = true;
    // The board may not take everything the file held (a height of no board view): the file
    // follows what it shows.
    if (m_written != snapshot())
        changed();
}

void BoardRecovery::restore(const BoardSnapshot &board) {
    const BoardFields::Quiet quiet(m_fields);
    for (int r = 0; r < Form1::kRows; ++r) {
        const auto fields = m_form.row(r);
        for (int c = 0; c < BoardSnapshot::kColumns; ++c)
            fields[c]->setText(board.rows[r].texts[c]);
        m_board.setRowColour(r, board.rows[r].colour);
    }
    const int height = board.heightTwips;
    if (!board.stripsShown || height <= Form1::kShortHeight || height > Form1::kHelpHeight)
        return;
    if (height >= Form1::kBoardHeight) {
        m_board.toggleBoard();
        m_form.setHeightTwips(height);
    } else {
        m_board.showStrips(height);
    }
}

void BoardRecovery::setAside() {
    const QString bad = m_data.path(kBadFileName);
    QFile::remove(bad);
    const bool kept = QFile::rename(m_data.path(kFileName), bad);
    if (!kept)
        QFile::remove(m_data.path(kFileName));
    m_messages.open(
        kept ? QStringLiteral("The strips of the last session could not be restored: their "
                              "recovery file cannot be read. It is kept as %1.")
                   .arg(QDir::toNativeSeparators(bad))
             : QStringLiteral("The strips of the last session could not be restored: their "
                              "recovery file cannot be read."),
        MessageBox::Icon::Information);
}

void BoardRecovery::changed() {
    if (m_active && !m_timer.isActive())
        m_timer.start();
}

void BoardRecovery::write() {
    if (!m_active)
        return;
    const BoardSnapshot board = snapshot();
    if (board == m_written)
        return;
    // An empty hidden board is what a start shows anyway: no file is needed for it.
    const bool written = board.isPristine(Form1::kShortHeight)
                             ? !m_data.exists(kFileName) || QFile::remove(m_data.path(kFileName))
                             : m_data.replaceBytes(kFileName, recoveryDocument(board));
    if (written)
        m_written = board;
    else
        m_timer.start(); // tried again a second later
}

void BoardRecovery::saveNow() {
    m_timer.stop();
    write();
}

void BoardRecovery::finish() {
    if (!m_active)
        return;
    m_active = false;
    m_timer.stop();
    QFile::remove(m_data.path(kFileName));
    m_lock->unlock();
}

} // namespace tarvos
