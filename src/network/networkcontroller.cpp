#include "network/networkcontroller.h"

#include "console/consolestate.h"
#include "console/datadir.h"
#include "console/form1.h"
#include "console/networkconfig.h"
#include "network/answers.h"
#include "network/statusfeed.h"
#include "platform/httptransfer.h"
#include "platform/platform.h"

#include "platform/worker.h"

#include <QApplication>
#include <QPointer>

#include <functional>
#include <memory>

namespace tarvos {

namespace {
constexpr int kPanelShownTop = 0;
constexpr int kPanelHiddenTop = 6480;
constexpr int kBannerShownTop = 315;
constexpr int kListingLeft = 2415;
constexpr int kListingTop = 1680;
// The strip log, which the greeting counts in.
const QString kStripLog = QStringLiteral("log.txt");
// Dest while the flight plan is fetched; leaving the Dest field makes it "WAIT".
const QString kWait = QStringLiteral("wait");
bool saysWait(const Field *dest) {
    return dest->text().compare(kWait, Qt::CaseInsensitive) == 0;
}
} // namespace

NetworkController::NetworkController(Form1 &form, ConsoleState &state, DataDir &data,
                                     NetworkConfig &config, HttpTransfer &transfer, Worker &worker,
                                     Clipboard &clipboard, QObject *parent)
    : QObject(parent), m_form(form), m_state(state), m_data(data), m_config(config),
      m_transfer(transfer), m_worker(worker), m_clipboard(clipboard) {
    connect(m_form.Command3, &QPushButton::clicked, this, [this] { controllerPressed(); });
    connect(m_form.Command4, &QPushButton::clicked, this, [this] { updatePressed(); });
    connect(m_form.Command42, &QPushButton::clicked, this, [this] { trafficListing(); });
    for (int r = 0; r < Form1::kRows; ++r)
        connect(m_form.Text7[r], &Field::focusLeft, this, [this, r] { lookupFlightPlan(r); });
}

QCoro::Task<NetworkController::Status> NetworkController::getwhazz() {
    const QPointer<NetworkController> self(this);
    const FetchResult result = co_await m_transfer.fetch(QUrl(m_config.settings().status));
    if (!self)
        co_return Status{};
    if (!result.ok)
        co_return Status{QString(), QString(), result.reason};
    // The parse and the rendering of a busy feed take a few frames: a worker thread does them
    // while the window goes on. The worker has the body and nothing else of ours.
    // The job and its task are named: g++ 12 destroys a temporary of a co_await expression
    // twice, and a lambda's capture with it.
    auto records = std::make_shared<std::optional<StatusRecords>>();
    std::function<void()> job = [records, body = result.body] { *records = statusRecordsOf(body); };
    QCoro::Task<> reading = m_worker.run(std::move(job));
    co_await reading;
    if (!self)
        co_return Status{};
    if (!*records)
        co_return Status{QString(), QString(), QLatin1String(kFeedUnreadable)};
    const StatusRecords &read = **records;
    m_state.whazzuptext = read.online;
    co_return Status{read.online, read.prefiled, QString()};
}

QStringList NetworkController::controlLines(bool *created) const {
    *created = false;
    if (m_data.exists(QString::fromLatin1(kControlFileName))) {
        const DataDir::ReadResult file = m_data.read(QString::fromLatin1(kControlFileName));
        return file.lines;
    }
    // A folder that cannot hold the file lists the default positions without claiming that
    // the file was made.
    *created = m_data.replace(QString::fromLatin1(kControlFileName), controlFileDefaults());
    return controlFileDefaults();
}

QCoro::Task<> NetworkController::controllerPressed() {
    if (m_controllerRunning)
        co_return; // a double press stays one list
    Panel *panel = m_form.Text21;
    Form1::setTopTwips(panel, kPanelShownTop);
    panel->raise();
    panel->show();
    panel->setText(QString::fromLatin1(kGetData));
    if (m_state.controllerlistshown != 1) {
        Form1::setTopTwips(panel, kPanelHiddenTop);
        m_form.Timer4->stop();
        m_state.controllerlistshown = 1;
        m_state.ilspanelshown = 1;
        co_return;
    }
    const QPointer<NetworkController> self(this);
    m_controllerRunning = true;
    const Status status = co_await getwhazz();
    if (!self)
        co_return;
    m_controllerRunning = false;
    bool created = false;
    const QStringList lines = controlLines(&created);
    const ControllerPanel answer = controllerPanel(status.text, lines, created, status.failure);
    panel->setText(answer.text);
    if (answer.hideAfterTwoSeconds)
        m_form.Timer4->start();
    m_state.controllerlistshown = 0;
    m_state.ilspanelshown = 0;
}

int NetworkController::waitingRow(const QString &callsign) const {
    for (int r = 0; r < Form1::kRows; ++r) {
        if (m_form.Text7[r]->text() == callsign && saysWait(m_form.Text8[r]))
            return r;
    }
    return -1;
}

void NetworkController::clearStaleWaits() {
    for (int r = 0; r < Form1::kRows; ++r) {
        if (saysWait(m_form.Text8[r]) && !m_lookups.contains(m_form.Text7[r]->text()))
            m_form.Text8[r]->clear();
    }
}

QCoro::Task<> NetworkController::lookupFlightPlan(int r) {
    if (!m_form.Check2->isChecked())
        co_return;
    const QString callsign = m_form.Text7[r]->text();
    if (callsign.isEmpty())
        co_return;
    m_form.Text8[r]->setText(kWait);
    m_form.Text16->setText(QStringLiteral("get the info ..."));
    m_form.Text16->show();
    m_form.Text17->setText(QStringLiteral("...."));
    m_form.Text17->show();
    const QString key = lookupkey(callsign);
    m_state.lookupkey = key;
    const int lookup = ++m_lastLookup;
    // Where the controller went on leaving the callsign field; the focus moves on to via only
    // if it is still there when the answer comes.
    const QPointer<QWidget> focusLeftAt = QApplication::focusWidget();

    const QPointer<NetworkController> self(this);
    m_lookups.append(callsign);
    const Status status = co_await getwhazz();
    if (!self)
        co_return;
    m_lookups.removeOne(callsign);

    // The strip may have moved ("1."), been deleted ("Lö", "A") or retyped meanwhile: the answer
    // goes into the strip that still waits for it, wherever it stands, or nowhere.
    const int row = waitingRow(callsign);
    const bool focusStayed = QApplication::focusWidget() == focusLeftAt.data();
    // `getwhat`: a failed download or an unreadable feed answers like an absent record in the
    // strip, and says why in the plan field.
    // A plan filed for a callsign that is not online yet is found too.
    const QString &planText = flightPlanText(status.text, status.prefiled, key);
    const WhatAnswer what = getwhat(planText, key);
    if (row >= 0) {
        const auto strip = m_form.row(row);
        Field *dest = strip[1];
        Field *remarks = strip[4];
        if (what.found) {
            dest->setText(what.destination);
            if (focusStayed)
                strip[2]->setFocus();
        }
        if (!what.found || what.emptyDestAndRemarks) {
            dest->clear();
            remarks->clear();
        }
    }
    clearStaleWaits();
    // The plan fields beside the board show the answer of the last lookup that was started.
    if (lookup != m_lastLookup)
        co_return;
    if (!status.failure.isEmpty()) {
        m_form.Text16->setText(status.failure);
        m_form.Text17->setText(QString::fromLatin1(kNoDeparture));
    } else if (const auto plan = getstrip(planText, key)) { // `getstrip`, on the same text
        m_form.Text16->setText(plan->planText);
        m_form.Text17->setText(plan->departure);
    } else {
        m_form.Text16->setText(what.planText);
        m_form.Text17->setText(what.departure);
    }
}

QCoro::Task<> NetworkController::updatePressed() {
    if (m_updateRunning)
        co_return;
    const QPointer<NetworkController> self(this);
    m_updateRunning = true;
    const FetchResult result = co_await m_transfer.fetch(QUrl(m_config.settings().update));
    if (!self)
        co_return;
    m_updateRunning = false;
    const QString body = QString::fromLatin1(result.body);
    if (result.ok)
        m_state.whazzuptext = body;
    m_form.Text22->setText(getupd(body, result.ok));
    Form1::setTopTwips(m_form.Text22, kBannerShownTop);
    m_form.Text22->raise();
    m_form.Timer5->start();
}

QCoro::Task<> NetworkController::trafficListing() {
    // A second "dep" word while the listing downloads only sets the code that the running
    // listing then searches.
    if (m_listingRunning)
        co_return;
    Panel *listing = m_form.Text20;
    listing->setText(QString());
    Form1::setLeftTwips(listing, kListingLeft);
    Form1::setTopTwips(listing, kListingTop);
    listing->raise();
    listing->show();
    const QPointer<NetworkController> self(this);
    m_listingRunning = true;
    const Status status = co_await getwhazz();
    if (!self)
        co_return;
    m_listingRunning = false;
    if (!status.failure.isEmpty()) {
        // Not "nix da": the network was not read. The code stays as it was for another try.
        listing->setText(status.failure);
        co_return;
    }
    m_state.depsearchshown = m_state.depsearchcode;
    const TrafficListing answer = tarvos::trafficListing(status.text, m_state.depsearchcode);
    m_state.depsearchcode = answer.depsearchcode;
    m_state.depsearchpos = 1;
    // The answer says "nix da" itself when nothing is listed.
    listing->setText(answer.text);
}

void NetworkController::getaircraft() {
    // A log that does not exist yet (no strip deleted so far) counts nothing.
    const DataDir::ReadResult log = m_data.read(kStripLog);
    const Greeting greeting = tarvos::getaircraft(m_form.Text7[0]->text(), log.lines);
    m_form.Text11[0]->setText(greeting.remarks);
    m_state.greeting = greeting.clipboard;
    m_clipboard.clear();
    m_clipboard.setText(greeting.clipboard);
}

} // namespace tarvos
