#pragma once

#include <QCoroTask>
#include <QObject>

namespace tarvos {

class Clock;
class DataDir;
class Form1;
class HttpTransfer;
class MessageBox;
class NetworkConfig;
class RunwaySource;
struct ConsoleState;

// "3": the weather of the three airports of metar.txt, one short line each (time, wind, QNH and
// the airport's runways from rwy.txt for its own wind), in the panel that slides over the top of
// the console. It downloads from the source the check box selects, as AutoAtis does, and leaves the
// weather row, the letter and the clipboard alone. An airport that rwy.txt does not know gets its
// lines from the open data, and its row its runways once they are in. A double click on the panel
// hides it.
class OverviewController : public QObject {
    Q_OBJECT
public:
    static constexpr int kPanelShownTop = 0;
    static constexpr int kPanelHiddenTop = 9120;
    // The transition level caption moves below the shown panel, and back.
    static constexpr int kLevelBelowPanelTop = 1080;
    static constexpr int kLevelTop = 630;

    OverviewController(Form1 &form, ConsoleState &state, DataDir &data, NetworkConfig &config,
                       HttpTransfer &transfer, MessageBox &messages, Clock &clock,
                       RunwaySource &runways, QObject *parent = nullptr);

public slots:
    void overviewPressed();
    void hidePanel();

private:
    QCoro::Task<> overview();
    void showPanel();

    Form1 &m_form;
    ConsoleState &m_state;
    DataDir &m_data;
    NetworkConfig &m_config;
    HttpTransfer &m_transfer;
    MessageBox &m_messages;
    Clock &m_clock;
    RunwaySource &m_runways;
    // Set while the overview downloads: another press meanwhile leaves the progress alone.
    bool m_running = false;
};

} // namespace tarvos
