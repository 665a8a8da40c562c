#pragma once

#include "strips/recovery.h"

#include <QObject>
#include <QTimer>
#include <memory>

class QLockFile;

namespace tarvos {

class BoardFields;
class DataDir;
class Form1;
class MessageBox;
class StripBoardController;
struct ConsoleState;

// The recovery file of the strip board: while the console runs, the board is kept in
// recovery.tarvos in the data folder, written half a second after a change (at once after "Lö"
// and "A"); a normal end removes it. A start that finds it puts the board back as it was, since the
// session before did not end normally. The folder is locked (recovery.lock) for the console that
// keeps the file: a second console on the same folder neither restores, writes nor removes it.
class BoardRecovery : public QObject {
    Q_OBJECT
public:
    static inline const QString kFileName = QStringLiteral("recovery.tarvos");
    static inline const QString kBadFileName = QStringLiteral("recovery.bad");
    static inline const QString kLockName = QStringLiteral("recovery.lock");
    static constexpr int kDelayMs = 500;

    BoardRecovery(Form1 &form, ConsoleState &state, DataDir &data, MessageBox &messages,
                  BoardFields &fields, StripBoardController &board, QObject *parent = nullptr);
    ~BoardRecovery() override;

    // At start-up: takes the folder, puts back a board the last session left, and keeps the file
    // from here on.
    void start();
    // Writes a change that still waits for its second (the session is about to end).
    void saveNow();
    // A normal end: the file is removed and the folder freed.
    void finish();

    BoardSnapshot snapshot() const;
    bool keepsFile() const { return m_active; }

private:
    void changed();
    void write();
    void restore(const BoardSnapshot &board);
    void setAside();

    Form1 &m_form;
    ConsoleState &m_state;
    DataDir &m_data;
    MessageBox &m_messages;
    BoardFields &m_fields;
    StripBoardController &m_board;
    // Started by the first change and not by the ones after it, so that typing on is saved
    // every second.
    QTimer m_timer;
    std::unique_ptr<QLockFile> m_lock;
    BoardSnapshot m_written;
    bool m_active = false;
};

} // namespace tarvos
