// Windows has no termination signals for a windowed program. What ends it reaches its windows
// as messages, and Qt's Windows platform turns each into the console's shutdown: WM_CLOSE (the
// close button, Alt+F4, `taskkill` without /f) closes the main window, and WM_ENDSESSION (log-off
// and system shutdown) emits aboutToQuit before the handler returns, that is before Windows ends
// the process. WM_QUERYENDSESSION before it emits commitDataRequest, which main() connects to
// the console's saving of what waits for its timer, and is answered yes without a question. The
// Linux signal handling of terminationsignals.cpp has nothing to do here.
#include "platform/terminationsignals.h"

namespace tarvos {

void TerminationSignals::catchEarly() {}

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent) {}

TerminationSignals::~TerminationSignals() = default;

} // namespace tarvos
