#pragma once

#include <QObject>

class QSocketNotifier;

namespace tarvos {

// Turns SIGTERM, SIGINT and SIGHUP (the desktop session ending) into a Qt signal on the
// user-interface thread, so that the console shuts down as if its window had been closed.
// On Windows the session's end arrives as window messages, which Qt handles itself
// (terminationsignals_win.cpp); the signal is never emitted there.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Catches the signals from here on, before the application exists: a signal that arrives
    // while the console is still starting is delivered once the event loop runs.
    static void catchEarly();

    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested();

private:
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace tarvos
