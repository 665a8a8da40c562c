#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>

namespace tarvos {

class Beeper;
class Clipboard;
class Form1;
class HttpTransfer;
class MessageBox;
class NetworkConfig;
class WeatherController;
struct ConsoleState;

// AutoAtis: downloads the METAR of the airport in the ICAO field, decodes it into the weather
// row, chooses the runways and, for a new observation, advances the ATIS letter, beeps and
// reminds the controller to update the ATIS in the ATC client. It runs on "AutoAtis", on Enter in
// the ICAO field, and when the weather controller says it is due (half a second after start and
// every tenth minute). The check box chooses the source: ticked the first METAR URL of
// network.txt, used as it comes; unticked the second, cut down to the report first.
//
// A run that finds no report in the page (failed download, empty page, an unknown station)
// leaves "Load" in the field and the row empty; a text that is found but does not decode shows
// as found (the METAR label, the clipboard) with the error row. Neither changes anything else:
// not the airport, the runways or the letter; no beep, no reminder. The cycle goes on, and the
// next run fetches the same airport again.
class AutoAtisController : public QObject {
    Q_OBJECT
public:
    AutoAtisController(Form1 &form, ConsoleState &state, NetworkConfig &config,
                       HttpTransfer &transfer, Clipboard &clipboard, Beeper &beeper,
                       MessageBox &messages, WeatherController &weather, QObject *parent = nullptr);

    static QString reminderText();

public slots:
    // One AutoAtis run. It returns at the download; the run goes on when the page is in.
    void run();

signals:
    // A report was decoded and the runways chosen: the mini window takes the whole row, letter
    // and airport included.
    void weatherRowChanged();

private:
    QCoro::Task<> autoAtis();
    bool getautoatis(const QString &metarpage, const QString &station);
    void announceNewObservation();
    void icaoFieldClicked();
    void icaoFieldEntered();

    Form1 &m_form;
    ConsoleState &m_state;
    NetworkConfig &m_config;
    HttpTransfer &m_transfer;
    Clipboard &m_clipboard;
    Beeper &m_beeper;
    MessageBox &m_messages;
    WeatherController &m_weather;
    // Airport and observation time of the last report decoded by a run ("EDDT 12:20"); a run is
    // new when its report differs. Empty until the first report, which is always new.
    QString m_lastObservation;
    bool m_running = false; // this run's download is under way
};

} // namespace tarvos
