#pragma once

#include <QObject>
#include <QTimer>

namespace tarvos {

class DataDir;
class Form1;
class StripBoardController;
struct ConsoleState;

// Squawk allocation: "a" in a Squawk field assigns the next code of the running sequence;
// "S" and "L" reload the start and the last value; squawk.txt keeps the state across runs. The
// file is written at every change of its values: before a code is shown in its strip, a second
// after a hand-made change of the next-squawk field, and whenever savesquawk is called (the home
// airport and the ATIS letter, shutdown).
class SquawkController : public QObject {
    Q_OBJECT
public:
    SquawkController(Form1 &form, ConsoleState &state, DataDir &data, StripBoardController &board,
                     QObject *parent = nullptr);

    void loadsquawk();
    // Writes squawk.txt (at shutdown); saveChanges only if it does not hold these values
    // already. Line 1 is the file's own: an edit made there while the console runs is kept (and
    // becomes the S value).
    void savesquawk();
    void saveChanges();
    void squawkChanged(int r);
    void loadStartSquawk(); // "S"
    void loadLastSquawk();  // "L"

signals:
    void chartNotWanted(); // entering a Squawk field puts the SID chart away

private:
    void save(const QString &nextSquawk, bool always);

    Form1 &m_form;
    ConsoleState &m_state;
    DataDir &m_data;
    StripBoardController &m_board;
    // A hand-made change of the next-squawk field is written once the typing has had a second;
    // the timer is not restarted by each key, so typing on still saves every second.
    QTimer m_handChange;
};

} // namespace tarvos
