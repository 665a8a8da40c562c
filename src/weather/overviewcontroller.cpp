#include "weather/overviewcontroller.h"

#include "console/consolestate.h"
#include "console/datadir.h"
#include "console/form1.h"
#include "console/networkconfig.h"
#include "platform/httptransfer.h"
#include "platform/platform.h"
#include "weather/metarpage.h"
#include "weather/overview.h"
#include "weather/runway.h"
#include "weather/runwaysource.h"

#include <QPointer>
#include <QUrl>

namespace tarvos {

OverviewController::OverviewController(Form1 &form, ConsoleState &state, DataDir &data,
                                       NetworkConfig &config, HttpTransfer &transfer,
                                       MessageBox &messages, Clock &clock, RunwaySource &runways,
                                       QObject *parent)
    : QObject(parent), m_form(form), m_state(state), m_data(data), m_config(config),
      m_transfer(transfer), m_messages(messages), m_clock(clock), m_runways(runways) {
    connect(m_form.Command41, &QPushButton::clicked, this, &OverviewController::overviewPressed);
    connect(m_form.Text19, &Panel::doubleClicked, this, &OverviewController::hidePanel);
}

void OverviewController::overviewPressed() {
    if (m_running)
        return;
    overview();
}

void OverviewController::showPanel() {
    Form1::setTopTwips(m_form.Text19, kPanelShownTop);
    m_form.Text19->raise();
}

void OverviewController::hidePanel() {
    Form1::setTopTwips(m_form.Text19, kPanelHiddenTop);
    Form1::setTopTwips(m_form.Label2, kLevelTop);
}

QCoro::Task<> OverviewController::overview() {
    Form1 &f = m_form;
    Panel *panel = f.Text19;
    // 1., 2. A missing metar.txt is created with its message; its Berlin codes serve at once.
    const std::array<QString, 3> codes =
        overviewCodes(m_data.openOrCreate(metarListDefaultFile(), m_messages).lines);
    // Each row's runways come from rwy.txt; a file only just created serves with its lines.
    const QStringList rwyLines = m_data.openOrCreate(rwyDefaultFile(), m_messages).lines;
    // 3. A press while the panel's own downloads run was turned away above; another handler's
    // download no longer keeps the panel from downloading.
    const bool downloads = true;
    Overview result;
    if (downloads) {
        m_running = true;
        // 4.
        panel->setText(overviewWaitText());
        showPanel();
        // 5., 6.
        const bool noaa = !f.Check3->isChecked();
        const QString urlTemplate =
            noaa ? m_config.settings().metarNoaa : m_config.settings().metarNetwork;
        const QPointer<OverviewController> self(this);
        QString pages;
        for (int i = 0; i < 3; ++i) {
            panel->appendText(overviewProgressMark(i, noaa));
            const QUrl url(metarUrl(urlTemplate, codes[i]));
            const FetchResult r = co_await m_transfer.fetch(url);
            if (!self)
                co_return; // the console is gone
            // Only the console's closing aborts a download: no further page is fetched.
            if (r.aborted)
                co_return;
            QString page = r.ok ? pageText(r.body) : QString();
            if (noaa)
                page = noaaCut(page, codes[i]);
            // A station file's report from hours ago is no current weather: "no METAR".
            if (staleReport(page, codes[i], m_clock.now()))
                page.clear();
            // Each page ends its own line, so that one airport's report never runs into the
            // next one's (the second source's pages have no line end).
            pages += page + QLatin1Char('\n');
        }
        m_running = false;
        // 7., 8.
        const QString lastmetar = m_state.lastmetar;
        result = buildOverview(codes, pages, lastmetar, rwyLines);
        m_state.lastmetar = result.lastmetar;
        m_state.rwytext1 = result.runwayTexts[0];
        m_state.rwytext2 = result.runwayTexts[1];
        m_state.rwytext3 = result.runwayTexts[2];
        panel->setText(result.text);
        showPanel();
        // Airports without lines in rwy.txt get them from the open data; the rows then show
        // their runways, as long as the panel still shows these rows.
        bool added = false;
        for (const QString &code : codes) {
            if (hasRunwayLines(rwyLines, code))
                continue;
            const RunwayFill fill = co_await m_runways.fill(code);
            if (!self)
                co_return;
            added = added || fill.outcome == RunwayFill::Outcome::Added;
        }
        if (added && panel->text() == result.text) {
            const Overview again = buildOverview(
                codes, pages, lastmetar, m_data.openOrCreate(rwyDefaultFile(), m_messages).lines);
            m_state.rwytext1 = again.runwayTexts[0];
            m_state.rwytext2 = again.runwayTexts[1];
            m_state.rwytext3 = again.runwayTexts[2];
            panel->setText(again.text);
        }
    }
    // 9. Nothing came, or the last row still shows Tegel's report of AutoAtis.
    if (overviewTimedOut(result, downloads)) {
        panel->setText(overviewTimeoutText());
        showPanel();
    }
    // 10.
    Form1::setTopTwips(f.Label2, kLevelBelowPanelTop);
}

} // namespace tarvos
