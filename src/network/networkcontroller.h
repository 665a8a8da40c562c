#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>

namespace tarvos {

class Clipboard;
class DataDir;
class Form1;
class HttpTransfer;
class NetworkConfig;
struct ConsoleState;

// Everything the console answers from the network's status feed: the active controllers
// ("Controller"), the flight plan of a callsign when its field is left with auto-dest on, the
// airport traffic listing, the update check ("U"), and the greeting count from the strip log.
// The rules are in answers.h and statustext.h; each handler here guards against a download that
// is still running, awaits its download while the window goes on, and writes the fields.
class NetworkController : public QObject {
    Q_OBJECT
public:
    NetworkController(Form1 &form, ConsoleState &state, DataDir &data, NetworkConfig &config,
                      HttpTransfer &transfer, Clipboard &clipboard, QObject *parent = nullptr);

    // Each returns the task of its handler; a caller that does not wait for it may drop it.
    QCoro::Task<> controllerPressed();       // "Controller"
    QCoro::Task<> lookupFlightPlan(int row); // a callsign field left with auto-dest on
    QCoro::Task<> updatePressed();           // "U"
    QCoro::Task<> trafficListing();          // the traffic button and "dep" + code

    // `getaircraft`: how often row 0's callsign ("suchDLH123.") is in the strip log, into row
    // 0's Remarks, and the greeting on the clipboard. Reads only the log, so it never waits.
    void getaircraft();

private:
    // `getwhazz`: downloads the status feed and renders it into records. The text to read is
    // returned; a failed download leaves `whazzuptext` as it was and gives an empty text, so
    // that every reader takes its path for an absent record. `failure` gets the reason.
    QCoro::Task<QString> getwhazz(QString *failure = nullptr);
    QStringList controlLines(bool *created) const;

    Form1 &m_form;
    ConsoleState &m_state;
    DataDir &m_data;
    NetworkConfig &m_config;
    HttpTransfer &m_transfer;
    Clipboard &m_clipboard;
};

} // namespace tarvos
