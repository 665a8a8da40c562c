// Windows has no termination signals for a windowed program. What ends it reaches its windows
// as messages, and Qt's Windows platform turns each into the console's shutdown: WM_CLOSE (the
// close button, Alt+F4, `taskkill` without /f) closes the main window, and WM_ENDSESSION (log-off
// and system shutdown, after WM_QUERYENDSESSION, which it answers yes) emits aboutToQuit before
// the handler returns, that is before Windows ends the process. The Linux signal handling of
// terminationsignals.cpp has nothing to do here.
#include "platform/terminationsignals.h"

namespace tarvos {

void TerminationSignals::catchEarly() {}

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent) {}

TerminationSignals::~TerminationSignals() = default;

} // namespace tarvos
