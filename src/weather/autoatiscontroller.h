#pragma once

#include <QCoroTask>
#include <QObject>
#include <QString>

#include <QDate>
#include <QHash>

#include <array>

class QUrl;

namespace tarvos {

class Beeper;
class Clipboard;
class Clock;
class Form1;
class HttpTransfer;
struct FetchResult;
class MessageBox;
class NetworkConfig;
class OpenDataStore;
class WeatherController;
class Worker;
struct ConsoleState;

// AutoAtis: downloads the METAR of the airport in the ICAO field, decodes it into the weather
// row, chooses the runways and, for a new observation, advances the ATIS letter, beeps and
// reminds the controller to update the ATIS in the ATC client. It runs on "AutoAtis", on Enter in
// the ICAO field, and when the weather controller says it is due (half a second after start and
// every tenth minute). The check box chooses the source: ticked the first METAR URL of
// network.txt, used as it comes; unticked the second, cut down to the report first.
//
// A run that finds no METAR (a failed download, an empty page, a page without the station or
// without a readable report, a station file whose report is more than three hours old) puts back
// the weather row and the ICAO field as they were before it, turns the lamp amber with the reason
// as its tooltip, and tries again every minute until a METAR is found; then the ten-minute cycle
// goes on. The airport, the runways and the letter stay; no beep, no reminder. Where OurAirports'
// airports.csv lists the airport as closed, the lamp's tooltip says that too. The reminder of a
// new observation does not wait for its OK.
class AutoAtisController : public QObject {
    Q_OBJECT
public:
    AutoAtisController(Form1 &form, ConsoleState &state, NetworkConfig &config,
                       HttpTransfer &transfer, Clipboard &clipboard, Beeper &beeper,
                       MessageBox &messages, Clock &clock, WeatherController &weather,
                       OpenDataStore &openData, Worker &worker, QObject *parent = nullptr);

    static QString reminderText();

public slots:
    // One AutoAtis run. It returns at the download; the run goes on when the page is in.
    void run();

signals:
    // A report was decoded and the runways chosen: the mini window takes the whole row, letter
    // and airport included.
    void weatherRowChanged();
    // A new observation made its airport the home airport and counted the letter on: the
    // values squawk.txt keeps.
    void homeAirportChanged();

private:
    QCoro::Task<> autoAtis();
    void getautoatis(const QString &metar, const QString &station);
    static QString missText(const QString &station, const QUrl &url, const FetchResult &result,
                            bool stationInPage);
    static QString tryAgainText(const QString &station, const QString &why);
    std::array<QString, 6> weatherRow() const;
    void keepWeather(const QString &why);
    // An airport without a report that the open data lists as closed: the lamp says so.
    QCoro::Task<> tellIfClosed(QString station, QString why);
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
    Clock &m_clock;
    WeatherController &m_weather;
    OpenDataStore &m_openData;
    Worker &m_worker;
    // Whether airports.csv of a date lists an airport as closed, by airport.
    QHash<QString, std::pair<QDate, bool>> m_closed;
    // Airport and observation time of the last report decoded by a run ("EDDT 12:20"); a run is
    // new when its report differs. Empty until the first report, which is always new.
    QString m_lastObservation;
    // Text1 to Text6 as they were when the run started, put back when it finds no METAR.
    std::array<QString, 6> m_rowBefore;
    bool m_running = false; // this run's download is under way
};

} // namespace tarvos
