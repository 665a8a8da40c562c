#pragma once

#include "console/consolestate.h"
#include "console/datadir.h"
#include "console/networkconfig.h"

#include <QObject>
#include <memory>

namespace tarvos {

class AerodromeListMaker;
class AutoAtisController;
class BoardFields;
class BoardRecovery;
class CommandController;
class Companions;
class Form1;
class Form2;
class FrequencyController;
class IpEcho;
class NetworkController;
class MacroController;
class OpenDataStore;
class OverviewController;
class RunwaySource;
class SquawkController;
class StripAssistController;
class StripBoardController;
class StripLogController;
class WeatherController;
class WindowModesController;
struct Platform;

// The composition root: builds the console's windows and every subsystem's controller, and
// connects what one subsystem announces to the subsystem that acts on it. startup() is the
// creation of the main window, shutdown() its closing; shutdown runs exactly once, however the
// console ends.
class Console : public QObject {
    Q_OBJECT
public:
    Console(Platform &platform, const QString &dataDirectory, QObject *parent = nullptr);
    ~Console() override;

    void startup();
    void shutdown();
    // Puts on the disk at once what waits for its second (the session is about to end).
    void saveState();
    bool isShutDown() const { return m_shutDown; }

    Form1 &form1() { return *m_form1; }
    Form2 &form2();
    bool hasForm2() const;
    ConsoleState &state() { return m_state; }
    DataDir &data() { return m_data; }
    NetworkConfig &networkConfig() { return m_networkConfig; }

    WindowModesController &windowModes() { return *m_windowModes; }
    StripBoardController &board() { return *m_board; }
    SquawkController &squawks() { return *m_squawks; }
    BoardRecovery &recovery() { return *m_recovery; }
    StripAssistController &assist() { return *m_assist; }
    StripLogController &stripLog() { return *m_stripLog; }
    Companions &companions() { return *m_companions; }
    WeatherController &weather() { return *m_weather; }
    FrequencyController &frequencies() { return *m_frequencies; }
    CommandController &commands() { return *m_commands; }
    MacroController &macros() { return *m_macros; }
    NetworkController &network() { return *m_network; }
    OpenDataStore &openData() { return *m_openData; }

signals:
    void shutDown();

private:
    void connectSubsystems();

    Platform &m_platform;
    DataDir m_data;
    NetworkConfig m_networkConfig;
    ConsoleState m_state;
    std::unique_ptr<Form1> m_form1;
    std::unique_ptr<OpenDataStore> m_openData;
    std::unique_ptr<BoardFields> m_fields;
    std::unique_ptr<WindowModesController> m_windowModes;
    std::unique_ptr<StripBoardController> m_board;
    std::unique_ptr<SquawkController> m_squawks;
    std::unique_ptr<AerodromeListMaker> m_aerodromes;
    std::unique_ptr<RunwaySource> m_runways;
    std::unique_ptr<BoardRecovery> m_recovery;
    std::unique_ptr<StripAssistController> m_assist;
    std::unique_ptr<StripLogController> m_stripLog;
    std::unique_ptr<Companions> m_companions;
    std::unique_ptr<WeatherController> m_weather;
    std::unique_ptr<FrequencyController> m_frequencies;
    std::unique_ptr<CommandController> m_commands;
    std::unique_ptr<MacroController> m_macros;
    std::unique_ptr<NetworkController> m_network;
    std::unique_ptr<IpEcho> m_ipEcho;
    std::unique_ptr<AutoAtisController> m_autoAtis;
    std::unique_ptr<OverviewController> m_overview;
    bool m_shutDown = false;
};

} // namespace tarvos
