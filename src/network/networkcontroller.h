#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>
#include <QStringList>

namespace tarvos {

class Clipboard;
class DataDir;
class Form1;
class HttpTransfer;
class NetworkConfig;
class Worker;
struct ConsoleState;

// Everything the console answers from the network's status feed: the active controllers
// ("Controller"), the flight plan of a callsign when its field is left with auto-dest on, the
// airport traffic listing, the update check ("U"), and the greeting count from the strip log.
// The rules are in answers.h and statustext.h; each handler here awaits its download while the
// window goes on, and afterwards writes only what is still its own: a strip is found again by
// its callsign, wherever it stands now. A button whose own download still runs ignores a second
// press; other downloads never stop a handler.
class NetworkController : public QObject {
    Q_OBJECT
public:
    NetworkController(Form1 &form, ConsoleState &state, DataDir &data, NetworkConfig &config,
                      HttpTransfer &transfer, Worker &worker, Clipboard &clipboard,
                      QObject *parent = nullptr);

    // Each returns the task of its handler; a caller that does not wait for it may drop it.
    QCoro::Task<> controllerPressed();       // "Controller"
    QCoro::Task<> lookupFlightPlan(int row); // a callsign field left with auto-dest on
    QCoro::Task<> updatePressed();           // "U"
    QCoro::Task<> trafficListing();          // the traffic button and "dep" + code

    // `getaircraft`: how often row 0's callsign ("suchDLH123.") is in the strip log, into row
    // 0's Remarks, and the greeting on the clipboard. Reads only the log, so it never waits.
    void getaircraft();

private:
    // The status text of one download, or why there is none: the transfer's reason, or
    // kFeedUnreadable for a body that is no status feed.
    struct Status {
        QString text;
        QString prefiled; // the plans filed for callsigns not online, apart from `text`
        QString failure;  // empty when `text` was read
    };
    // `getwhazz`: downloads the status feed and renders it into records on a worker thread. A
    // download that gives no status text leaves `whazzuptext` as it was.
    QCoro::Task<Status> getwhazz();
    QStringList controlLines(bool *created) const;
    // The row whose strip still waits for the lookup of `callsign` (the callsign and "wait" in
    // Dest); -1 when the strip is gone or its callsign changed.
    int waitingRow(const QString &callsign) const;
    // Empties every Dest that says "wait" for a lookup no longer running.
    void clearStaleWaits();

    Form1 &m_form;
    ConsoleState &m_state;
    DataDir &m_data;
    NetworkConfig &m_config;
    HttpTransfer &m_transfer;
    Worker &m_worker;
    Clipboard &m_clipboard;

    bool m_controllerRunning = false; // "Controller" awaits its download
    bool m_updateRunning = false;     // "U"
    bool m_listingRunning = false;    // the traffic listing
    QStringList m_lookups;            // the callsigns whose flight plans are being fetched
    int m_lastLookup = 0;             // the plan fields show the answer of this lookup
};

} // namespace tarvos
