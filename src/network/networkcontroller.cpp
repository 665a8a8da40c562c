#include "network/networkcontroller.h"

#include "console/consolestate.h"
#include "console/datadir.h"
#include "console/form1.h"
#include "console/networkconfig.h"
#include "network/answers.h"
#include "network/statusfeed.h"
#include "platform/httptransfer.h"
#include "platform/platform.h"

#include <QPointer>

namespace tarvos {

namespace {
constexpr int kPanelShownTop = 0;
constexpr int kPanelHiddenTop = 6480;
constexpr int kBannerShownTop = 315;
constexpr int kListingLeft = 2415;
constexpr int kListingTop = 1680;
// The strip log, which the greeting counts in.
const QString kStripLog = QStringLiteral("log.txt");
} // namespace

NetworkController::NetworkController(Form1 &form, ConsoleState &state, DataDir &data,
                                     NetworkConfig &config, HttpTransfer &transfer,
                                     Clipboard &clipboard, QObject *parent)
    : QObject(parent), m_form(form), m_state(state), m_data(data), m_config(config),
      m_transfer(transfer), m_clipboard(clipboard) {
    connect(m_form.Command3, &QPushButton::clicked, this, [this] { controllerPressed(); });
    connect(m_form.Command4, &QPushButton::clicked, this, [this] { updatePressed(); });
    connect(m_form.Command42, &QPushButton::clicked, this, [this] { trafficListing(); });
    for (int r = 0; r < Form1::kRows; ++r)
        connect(m_form.Text7[r], &Field::focusLeft, this, [this, r] { lookupFlightPlan(r); });
}

QCoro::Task<QString> NetworkController::getwhazz(QString *failure) {
    const QPointer<NetworkController> self(this);
    const FetchResult result = co_await m_transfer.fetch(QUrl(m_config.settings().status));
    if (!self)
        co_return QString();
    if (!result.ok) {
        if (failure)
            *failure = result.reason;
        co_return QString();
    }
    m_state.whazzuptext = renderStatusText(result.body);
    co_return m_state.whazzuptext;
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
    if (m_transfer.stillExecuting())
        co_return;
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
    QString failure;
    const QString text = co_await getwhazz(&failure);
    if (!self)
        co_return;
    bool created = false;
    const QStringList lines = controlLines(&created);
    const ControllerPanel answer = controllerPanel(text, lines, created, failure);
    panel->setText(answer.text);
    if (answer.hideAfterTwoSeconds)
        m_form.Timer4->start();
    m_state.controllerlistshown = 0;
    m_state.ilspanelshown = 0;
}

QCoro::Task<> NetworkController::lookupFlightPlan(int r) {
    if (!m_form.Check2->isChecked() || m_transfer.stillExecuting())
        co_return;
    const auto row = m_form.row(r);
    Field *callsign = row[0];
    Field *dest = row[1];
    Field *via = row[2];
    Field *remarks = row[4];
    if (callsign->text().isEmpty())
        co_return;
    dest->setText(QStringLiteral("wait"));
    m_form.Text16->setText(QStringLiteral("get the info ..."));
    m_form.Text16->show();
    m_form.Text17->setText(QStringLiteral("...."));
    m_form.Text17->show();
    const QString key = lookupkey(callsign->text());
    m_state.lookupkey = key;

    // `getwhat`: a failed download is an empty text, so it ends as "nothing found".
    const QPointer<NetworkController> self(this);
    const QString text = co_await getwhazz();
    if (!self)
        co_return;
    const WhatAnswer what = getwhat(text, key);
    if (what.found) {
        dest->setText(what.destination);
        via->setFocus();
        if (what.emptyDestAndRemarks) {
            dest->clear();
            remarks->clear();
        }
    } else {
        dest->clear();
        remarks->clear();
        m_form.Text16->setText(what.planText);
        m_form.Text17->setText(what.departure);
    }
    // `getstrip`, on the same text.
    if (const auto plan = getstrip(text, key)) {
        m_form.Text16->setText(plan->planText);
        m_form.Text17->setText(plan->departure);
    }
}

QCoro::Task<> NetworkController::updatePressed() {
    if (!m_transfer.stillExecuting()) {
        const QPointer<NetworkController> self(this);
        const FetchResult result = co_await m_transfer.fetch(QUrl(m_config.settings().update));
        if (!self)
            co_return;
        const QString body = QString::fromLatin1(result.body);
        if (result.ok)
            m_state.whazzuptext = body;
        m_form.Text22->setText(getupd(body, result.ok));
        Form1::setTopTwips(m_form.Text22, kBannerShownTop);
        m_form.Text22->raise();
    }
    m_form.Timer5->start();
}

QCoro::Task<> NetworkController::trafficListing() {
    Panel *listing = m_form.Text20;
    if (!m_transfer.stillExecuting()) {
        listing->setText(QString());
        Form1::setLeftTwips(listing, kListingLeft);
        Form1::setTopTwips(listing, kListingTop);
        listing->raise();
        listing->show();
        const QPointer<NetworkController> self(this);
        const QString text = co_await getwhazz();
        if (!self)
            co_return;
        m_state.depsearchshown = m_state.depsearchcode;
        const TrafficListing answer = tarvos::trafficListing(text, m_state.depsearchcode);
        m_state.depsearchcode = answer.depsearchcode;
        m_state.depsearchpos = 1;
        // The answer says "nix da" itself when nothing is listed.
        listing->setText(answer.text);
    }
    if (listing->text().isEmpty())
        listing->setText(QString::fromLatin1(kNixDa));
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
