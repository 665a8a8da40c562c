#pragma once

#include "console/context.h"

#include <QObject>

namespace tarvos {

class StripBoardController;

// Squawk allocation: "a" in a Squawk field assigns the next code of the running sequence;
// "S" and "L" reload the start and the last value; squawk.txt keeps the state across runs.
class SquawkController : public QObject {
    Q_OBJECT
public:
    SquawkController(ConsoleContext context, StripBoardController &board,
                     QObject *parent = nullptr);

    void loadsquawk();
    void savesquawk();
    void squawkChanged(int r);
    void loadStartSquawk(); // "S"
    void loadLastSquawk();  // "L"

private:
    ConsoleContext m;
    StripBoardController &m_board;
};

} // namespace tarvos
