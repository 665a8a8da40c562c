#pragma once

#include "console/context.h"

#include <QObject>
#include <functional>

namespace tarvos {

class StripBoardController;

// The strip log: "Lö" writes the row as one fixed-width line to log.txt (and a departure into
// the ground-info window) before the row is cleared; "Log" opens log.txt in the text editor.
class StripLogController : public QObject {
    Q_OBJECT
public:
    // groundEntry enters a departure's callsign into the ground-info window.
    StripLogController(ConsoleContext context, StripBoardController &board,
                       std::function<void(const QString &)> groundEntry, QObject *parent = nullptr);

    void log(int r);
    void openLog();

private:
    ConsoleContext m;
    StripBoardController &m_board;
    std::function<void(const QString &)> m_groundEntry;
};

} // namespace tarvos
