#include "app/console.h"

#include "app/companions.h"
#include "clientlink/commandcontroller.h"
#include "clientlink/frequencycontroller.h"
#include "clientlink/groundinfocontroller.h"
#include "clientlink/ipecho.h"
#include "clientlink/macrocontroller.h"
#include "console/boardfields.h"
#include "console/form1.h"
#include "console/form2.h"
#include "console/opendatastore.h"
#include "console/servers.h"
#include "console/twips.h"
#include "console/windowmodes.h"
#include "network/networkcontroller.h"
#include "platform/httptransfer.h"
#include "platform/platform.h"
#include "strips/aerodromelist.h"
#include "strips/boardrecovery.h"
#include "strips/squawkcontroller.h"
#include "strips/stripassist.h"
#include "strips/stripboard.h"
#include "strips/striplogcontroller.h"
#include "weather/autoatiscontroller.h"
#include "weather/overviewcontroller.h"
#include "weather/runwaysource.h"
#include "weather/weathercontroller.h"

namespace tarvos {

Console::Console(Platform &platform, const QString &dataDirectory, QObject *parent)
    : QObject(parent), m_platform(platform), m_data(dataDirectory), m_networkConfig(dataDirectory),
      m_form1(std::make_unique<Form1>()) {
    Form1 &f = *m_form1;
    Platform &p = m_platform;
    m_openData =
        std::make_unique<OpenDataStore>(m_data, m_networkConfig, *p.transfer, *p.worker, *p.clock);
    m_fields = std::make_unique<BoardFields>(f);
    m_windowModes = std::make_unique<WindowModesController>(f, m_state, *p.screen, *p.stacking);
    // The strip board's own change handling (the airline translation of a three-character
    // callsign) comes first on every field; the assistants follow.
    m_board = std::make_unique<StripBoardController>(f, *m_fields, m_state, m_data, *p.clipboard,
                                                     *p.messages);
    m_squawks = std::make_unique<SquawkController>(f, m_state, m_data, *m_board);
    m_aerodromes =
        std::make_unique<AerodromeListMaker>(m_data, *m_openData, *p.worker, *p.messages);
    m_recovery =
        std::make_unique<BoardRecovery>(f, m_state, m_data, *p.messages, *m_fields, *m_board);
    m_assist = std::make_unique<StripAssistController>(f, m_state, m_data, *p.clipboard,
                                                       *p.messages, *m_board);
    m_stripLog =
        std::make_unique<StripLogController>(f, m_data, *p.clock, *p.editor, *p.messages, *m_board);
    m_companions = std::make_unique<Companions>(f, m_state, m_data, p);
    m_runways = std::make_unique<RunwaySource>(m_data, *m_openData, *p.worker, *p.messages);
    m_weather = std::make_unique<WeatherController>(f, m_state, m_data, *p.clipboard, *p.messages,
                                                    *m_runways);
    m_frequencies = std::make_unique<FrequencyController>(f, m_state, m_data, *p.messages);
    m_commands = std::make_unique<CommandController>(
        f, m_state, *p.clipboard, [this] { return m_networkConfig.settings().atcShortcuts; },
        m_companions->groundInfo());
    m_macros = std::make_unique<MacroController>(f, *p.injector, *p.screen, *p.messages);
    m_network = std::make_unique<NetworkController>(f, m_state, m_data, m_networkConfig,
                                                    *p.transfer, *p.worker, *p.clipboard);
    m_ipEcho = std::make_unique<IpEcho>(f, m_networkConfig, *p.transfer, *p.clipboard);
    m_autoAtis = std::make_unique<AutoAtisController>(f, m_state, m_networkConfig, *p.transfer,
                                                      *p.clipboard, *p.beeper, *p.messages,
                                                      *p.clock, *m_weather, *m_openData, *p.worker);
    m_overview = std::make_unique<OverviewController>(
        f, m_state, m_data, m_networkConfig, *p.transfer, *p.messages, *p.clock, *m_runways);
    connectSubsystems();
}

Console::~Console() = default;

void Console::connectSubsystems() {
    Companions *companions = m_companions.get();
    connect(m_form1.get(), &Form1::closing, this, &Console::shutdown);
    // A file of the open data on its way shows in the console's progress bar.
    connect(m_openData.get(), &OpenDataStore::progress, m_form1.get(), &Form1::showDownload);
    connect(m_openData.get(), &OpenDataStore::downloadEnded, m_form1.get(), &Form1::endDownload);

    // The SID chart comes and goes with the strip fields and the window modes.
    connect(m_assist.get(), &StripAssistController::chartWanted, companions,
            &Companions::showChart);
    connect(m_assist.get(), &StripAssistController::chartNotWanted, companions,
            &Companions::hideChart);
    connect(m_squawks.get(), &SquawkController::chartNotWanted, companions, &Companions::hideChart);
    connect(m_board.get(), &StripBoardController::chartNotWanted, companions,
            &Companions::hideChart);
    connect(m_windowModes.get(), &WindowModesController::chartNotWanted, companions,
            &Companions::hideChart);
    connect(m_board.get(), &StripBoardController::todayWanted, companions, &Companions::showToday);
    connect(m_stripLog.get(), &StripLogController::departureLogged, &companions->groundInfo(),
            &GroundInfoController::enter);
    connect(m_weather.get(), &WeatherController::weatherRowChanged, m_windowModes.get(),
            &WindowModesController::copyWeatherToMini);
    connect(m_weather.get(), &WeatherController::autoAtisDue, m_autoAtis.get(),
            &AutoAtisController::run);
    connect(m_autoAtis.get(), &AutoAtisController::weatherRowChanged, m_windowModes.get(),
            &WindowModesController::copyWeatherToMini);
    // squawk.txt keeps the home airport and the ATIS letter as well as the sequence.
    connect(m_autoAtis.get(), &AutoAtisController::homeAirportChanged, m_squawks.get(),
            &SquawkController::saveChanges);
    connect(m_weather.get(), &WeatherController::atisLetterChanged, m_squawks.get(),
            &SquawkController::saveChanges);

    // The command words of the callsign fields come after the board's own handling of the
    // field (the airline translation of a three-character text).
    m_fields->onChange(BoardFields::Callsign, [this](int row) { m_commands->interpret(row); });
    CommandController *commands = m_commands.get();
    connect(commands, &CommandController::towerAtisWanted, m_weather.get(),
            &WeatherController::abc1);
    connect(commands, &CommandController::letterResetWanted, m_weather.get(),
            &WeatherController::resetLetter);
    connect(commands, &CommandController::chartWanted, companions, &Companions::showChart);
    NetworkController *network = m_network.get();
    connect(commands, &CommandController::greetingWanted, network, &NetworkController::getaircraft);
    connect(commands, &CommandController::trafficListingWanted, network,
            [network] { network->trafficListing(); });
    connect(commands, &CommandController::ipEchoWanted, m_ipEcho.get(),
            [this](int row) { m_ipEcho->fetch(row); });
}

Form2 &Console::form2() {
    return m_windowModes->miniWindow();
}

bool Console::hasForm2() const {
    return m_windowModes->hasMini();
}

void Console::startup() {
    Form1 &f = *m_form1;
    ConsoleState &s = m_state;
    // 1. Centred horizontally.
    const int screenWidth = m_platform.screen->sizePixels().width();
    const int left = (screenWidth - f.frameGeometry().width()) / 2;
    // 2. The window-wide variables, in this order.
    s.atcline = 0;
    s.conline = 0;
    s.autoatisminutes = 0;
    s.atisnumber = 1;
    s.autoatisfirst = 1;
    s.levelshidden = 1;
    s.controllerlistshown = 1;
    s.ilspanelshown = 1;
    s.showgroundwindow = 1;
    s.groundcheckmode = 2;
    s.stripshidden = 1;
    s.sepminutes = 0;
    s.sepseconds = 0;
    s.depcontactmode = 0;
    s.autosidswitch = 1;
    s.voicehost = servers::kDefaultVoiceHost;
    s.commanddone = 0;
    s.homeicao = QStringLiteral("EDDT");
    // 3. The short form at the top of the screen.
    f.setHeightTwips(Form1::kShortHeight);
    f.moveTwips(twips(left), 0);
    // 4., 5.
    f.Label1->hide();
    f.Label3->hide();
    f.Label11->hide();
    f.Label18->setText(s.voicehost.left(5));
    // 6. On top of the other windows, as the checked box says.
    m_platform.stacking->setTopmost(&f, true);
    // 7. to 9. The squawk state file.
    m_squawks->loadsquawk();
    f.Text13->setText(s.lastsquawk);
    s.autoatisicao = s.homeicao;
    f.Text6->setText(s.homeicao);
    // The runways and the ATIS template follow the saved home airport from the first run on.
    f.Label8->setText(s.homeicao);
    // 10.
    s.rwytext1.clear();
    s.rwytext2.clear();
    s.rwytext3.clear();
    // 11. to 13. The ground-info window beside the console and the chart pictures.
    m_companions->placeAtStartup();
    // The METAR box names the network that network.txt chooses.
    const Network network = m_networkConfig.settings().network;
    f.Check3->setAccessibleName(metarSourceCaption(network));
    f.Check3->setToolTip(metarSourceTooltip(network));
    // Without an aerodrome list of the controller's own, one is made from the open data in the
    // background.
    m_aerodromes->makeIfMissing();
    // The board of a session that did not end normally comes back.
    m_recovery->start();
}

void Console::shutdown() {
    if (m_shutDown)
        return;
    m_shutDown = true;
    // A download still running ends here; its handler sees the console gone and stops.
    m_platform.transfer->abort();
    m_squawks->savesquawk();
    m_recovery->finish();
    m_companions->closeToday();
    m_windowModes->closeMini();
    m_companions->closeGroundInfo();
    m_companions->closeChart();
    emit shutDown();
}

void Console::saveState() {
    if (m_shutDown)
        return;
    m_squawks->saveChanges();
    m_recovery->saveNow();
}

} // namespace tarvos
