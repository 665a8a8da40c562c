#pragma once

#include <QObject>

namespace tarvos {

class DataDir;
class Form1;
class StripBoardController;
struct ConsoleState;

// Squawk allocation: "a" in a Squawk field assigns the next code of the running sequence;
// "S" and "L" reload the start and the last value; squawk.txt keeps the state across runs.
class SquawkController : public QObject {
    Q_OBJECT
public:
    SquawkController(Form1 &form, ConsoleState &state, DataDir &data, StripBoardController &board,
                     QObject *parent = nullptr);

    void loadsquawk();
    void savesquawk();
    void squawkChanged(int r);
    void loadStartSquawk(); // "S"
    void loadLastSquawk();  // "L"

signals:
    void chartNotWanted(); // entering a Squawk field puts the SID chart away

private:
    Form1 &m_form;
    ConsoleState &m_state;
    DataDir &m_data;
    StripBoardController &m_board;
};

} // namespace tarvos
