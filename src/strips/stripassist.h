#pragma once

#include "console/context.h"
#include "strips/destination.h"

#include <QObject>

namespace tarvos {

class StripBoardController;

// The assistants of the strip fields: the destination lookup on every change of a Dest field,
// the SID shortcuts of the via field, the clipboard texts on entering a callsign or Remarks
// field, and the clearing and marking double clicks.
class StripAssistController : public QObject {
    Q_OBJECT
public:
    StripAssistController(ConsoleContext context, StripBoardController &board,
                          QObject *parent = nullptr);

    void destChanged(int r);
    void via(int r);
    void shortcut();
    void callsignDoubleClicked(int r);
    void releaseRequest(int r);
    void markLanding(int r);

private:
    ConsoleContext m;
    StripBoardController &m_board;
    DestinationLookup m_destinations;
    bool m_expanded = false; // the shortcut lookup replaced the via text
    int m_shortcutRow = 0;
};

} // namespace tarvos
