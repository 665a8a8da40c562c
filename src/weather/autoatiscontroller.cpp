#include "weather/autoatiscontroller.h"

#include "console/consolestate.h"
#include "console/form1.h"
#include "console/networkconfig.h"
#include "console/opendata.h"
#include "console/opendatastore.h"
#include "platform/httptransfer.h"
#include "platform/platform.h"
#include "platform/worker.h"
#include "weather/atis.h"
#include "weather/metar.h"
#include "weather/metarpage.h"
#include "weather/weathercontroller.h"

#include <QPointer>
#include <QUrl>

#include <functional>
#include <memory>

namespace tarvos {

namespace {
const QString kLoad = QStringLiteral("Load");
constexpr int kCycleMinutes = 10;
constexpr int kRetryMinutes = 1;
} // namespace

AutoAtisController::AutoAtisController(Form1 &form, ConsoleState &state, NetworkConfig &config,
                                       HttpTransfer &transfer, Clipboard &clipboard, Beeper &beeper,
                                       MessageBox &messages, Clock &clock,
                                       WeatherController &weather, OpenDataStore &openData,
                                       Worker &worker, QObject *parent)
    : QObject(parent), m_form(form), m_state(state), m_config(config), m_transfer(transfer),
      m_clipboard(clipboard), m_beeper(beeper), m_messages(messages), m_clock(clock),
      m_weather(weather), m_openData(openData), m_worker(worker) {
    Form1 &f = m_form;
    connect(f.Command40, &QPushButton::clicked, this, &AutoAtisController::run);
    connect(f.Text6, &Field::clicked, this, &AutoAtisController::icaoFieldClicked);
    connect(f.Text6, &Field::doubleClicked, f.Text6, &QLineEdit::clear);
    connect(f.Text6, &QLineEdit::returnPressed, this, &AutoAtisController::icaoFieldEntered);
    connect(f.Check3, &QCheckBox::clicked, this,
            [this] { m_state.noaasearchicao = m_state.autoatisicao; });
}

QString AutoAtisController::reminderText() {
    return QStringLiteral(
        "Attention, a new METAR is available, please update the Pro-Controller ATIS also !!!");
}

void AutoAtisController::run() {
    // The task may be dropped: the run goes on to its end by itself.
    autoAtis();
}

QCoro::Task<> AutoAtisController::autoAtis() {
    Form1 &f = m_form;
    // 1. A typed code of four characters is the airport from now on.
    if (const std::optional<QString> code = codeFromField(f.Text6->text()))
        m_state.autoatisicao = *code;
    // 2. A run whose own download still runs is not started twice; another handler's download
    // does not stop it.
    if (m_running)
        co_return;
    // 3. The cycle runs. A run by hand does not shift the minute count. An amber lamp stays
    // until a METAR is found.
    if (!f.Timer2->isActive())
        f.Timer2->start();
    if (f.Shape1->fillColour() != kAmber)
        f.Shape1->setFillColour(kBrightGreen);
    // 4., 5. What the row held before is what comes back if no METAR is found ("Load" left by
    // a run that the closing console cut short is no row).
    if (f.Text6->text() != kLoad)
        m_rowBefore = weatherRow();
    f.Text6->setText(kLoad);
    for (Field *field : {f.Text1, f.Text2, f.Text3, f.Text4, f.Text5})
        field->clear();
    // 6., 7. The airport, source and search code are those of the moment the download starts.
    const QString station = m_state.autoatisicao;
    const QString searchCode = m_state.noaasearchicao;
    const bool noaa = !f.Check3->isChecked();
    const NetworkSettings &settings = m_config.settings();
    const QUrl url(metarUrl(noaa ? settings.metarNoaa : settings.metarNetwork, station));
    const QPointer<AutoAtisController> self(this);
    m_running = true;
    const FetchResult result = co_await m_transfer.fetch(url);
    if (!self)
        co_return; // the console is gone
    m_running = false;
    if (result.aborted)
        co_return; // the console is closing
    QString metarpage = result.ok ? pageText(result.body) : QString();
    // 8.
    if (noaa)
        metarpage = noaaCut(metarpage, searchCode);
    // 9. Only a text that decodes is a METAR; anything else keeps the weather shown.
    const std::optional<QString> metar = metarFromPage(metarpage, station);
    const std::optional<QString> stale =
        metar ? staleReport(metarpage, station, m_clock.now()) : std::nullopt;
    if (!metar || !readMetar(*metar) || stale) {
        const QString why = stale ? tryAgainText(station, *stale)
                                  : missText(station, url, result, metar.has_value());
        keepWeather(why);
        tellIfClosed(station, why);
    } else {
        getautoatis(*metar, station);
        m_weather.setAutoAtisInterval(kCycleMinutes);
        // 10. Without a reported wind the runways shown before the run stay.
        m_weather.loadrwy();
        if (f.Text1->text() == QLatin1String(kNoWind)) {
            if (f.Text4->text().isEmpty())
                f.Text4->setText(m_rowBefore[3]);
            if (f.Text5->text().isEmpty())
                f.Text5->setText(m_rowBefore[4]);
        }
        // 11. A new observation, or another airport's.
        const QString observation = f.Label8->text() + QLatin1Char(' ') + f.Text6->text();
        if (observation != m_lastObservation) {
            m_lastObservation = observation;
            announceNewObservation();
        } else {
            emit weatherRowChanged();
        }
    }
    // 12.
    m_state.autoatisfirst = 0;
}

QString AutoAtisController::missText(const QString &station, const QUrl &url,
                                     const FetchResult &result, bool stationInPage) {
    QString why;
    if (!result.ok)
        why = result.reason;
    else if (stationInPage)
        why = QStringLiteral("the answer from %1 holds no readable report").arg(url.host());
    else if (result.body.trimmed().isEmpty())
        why = QStringLiteral("the answer from %1 was empty").arg(url.host());
    else
        why = QStringLiteral("the answer from %1 holds none").arg(url.host());
    return tryAgainText(station, why);
}

QString AutoAtisController::tryAgainText(const QString &station, const QString &why) {
    return QStringLiteral("No METAR of %1 this time: %2. The next try comes in a minute.")
        .arg(station, why);
}

std::array<QString, 6> AutoAtisController::weatherRow() const {
    const Form1 &f = m_form;
    return {f.Text1->text(), f.Text2->text(), f.Text3->text(),
            f.Text4->text(), f.Text5->text(), f.Text6->text()};
}

void AutoAtisController::keepWeather(const QString &why) {
    Form1 &f = m_form;
    // What the run emptied comes back; a field written meanwhile (a METAR taken by hand, a code
    // typed) keeps what it has now.
    const std::array<Field *, 6> fields{f.Text1, f.Text2, f.Text3, f.Text4, f.Text5, f.Text6};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QString leftByTheRun = fields[i] == f.Text6 ? kLoad : QString();
        if (fields[i]->text() == leftByTheRun)
            fields[i]->setText(m_rowBefore[i]);
    }
    f.Shape1->showFailure(why);
    // The next try a minute from now, and every minute until a METAR is found.
    m_weather.setAutoAtisInterval(kRetryMinutes);
    f.Timer2->start();
}

QCoro::Task<> AutoAtisController::tellIfClosed(QString station, QString why) {
    const QPointer<AutoAtisController> self(this);
    const OpenDataCopy copy = co_await m_openData.copy(OpenDataFile::Airports);
    if (!self || !copy.usable())
        co_return;
    const QDate date = copy.date.date();
    auto listing = std::make_shared<AirportListing>();
    if (const auto known = m_closed.constFind(station);
        known == m_closed.constEnd() || known->first != date) {
        // The job and its task are named: g++ 12 destroys a temporary of a co_await expression
        // twice.
        std::function<void()> job = [listing, path = copy.path, station] {
            *listing = airportListing(path, station);
        };
        QCoro::Task<> reading = m_worker.run(std::move(job));
        co_await reading;
        if (!self)
            co_return;
        m_closed.insert(station, {date, listing->closed});
    }
    // Only the lamp that still tells this run's failure is written.
    if (!m_closed.value(station).second || m_form.Shape1->failure() != why)
        co_return;
    m_form.Shape1->showFailure(why + QLatin1Char(' ') + station +
                               QLatin1String(" is listed as closed in OurAirports' data."));
}

void AutoAtisController::getautoatis(const QString &metar, const QString &station) {
    Form1 &f = m_form;
    m_state.lastmetar = metar;
    m_clipboard.clear();
    m_clipboard.setText(metar);
    f.Label16->setText(metar);
    // The decoding stops the cycle and turns the lamp red, as a decoding by hand does; AutoAtis
    // goes on.
    m_weather.decodeFromClipboard();
    f.Timer2->start();
    f.Shape1->setFillColour(kBrightGreen);
    f.Label8->setText(station);
}

void AutoAtisController::announceNewObservation() {
    Form1 &f = m_form;
    abc(m_state);
    // The letter field's own change handling sets the number from the letter and maps it again.
    f.Text18->setText(m_state.atisword.left(1));
    m_state.homeicao = f.Label8->text();
    emit homeAirportChanged();
    emit weatherRowChanged();
    m_beeper.beep();
    if (m_state.autoatisfirst == 0)
        m_messages.open(reminderText(), MessageBox::Icon::Information);
}

void AutoAtisController::icaoFieldClicked() {
    Field *field = m_form.Text6;
    // A code starts with E here; a time or "Load" stays.
    if (field->text().startsWith(u'E') || field->text().startsWith(u'e'))
        field->clear();
}

void AutoAtisController::icaoFieldEntered() {
    m_state.noaasearchicao = m_form.Text6->text().trimmed().toUpper();
    run();
}

} // namespace tarvos
