#include "console/console.h"

#include "clientlink/frequencycontroller.h"
#include "clientlink/groundinfocontroller.h"
#include "console/companions.h"
#include "console/form1.h"
#include "console/form2.h"
#include "console/servers.h"
#include "console/twips.h"
#include "console/windowmodes.h"
#include "platform/platform.h"
#include "strips/squawkcontroller.h"
#include "strips/stripassist.h"
#include "strips/stripboard.h"
#include "strips/striplogcontroller.h"
#include "weather/weathercontroller.h"

namespace tarvos {

Console::Console(Platform &platform, const QString &dataDirectory, QObject *parent)
    : QObject(parent), m_platform(platform), m_data(dataDirectory),
      m_form1(std::make_unique<Form1>()) {
    m_windowModes = std::make_unique<WindowModesController>(context());
    m_board = std::make_unique<StripBoardController>(context());
    m_squawks = std::make_unique<SquawkController>(context(), *m_board);
    m_companions = std::make_unique<Companions>(context());
    m_assist = std::make_unique<StripAssistController>(context(), *m_board);
    m_stripLog =
        std::make_unique<StripLogController>(context(), *m_board, [this](const QString &callsign) {
            m_companions->groundInfo().enter(callsign);
        });
    m_weather = std::make_unique<WeatherController>(context());
    m_frequencies = std::make_unique<FrequencyController>(context());
    connect(m_form1.get(), &Form1::closing, this, &Console::shutdown);
    connect(m_form1->Timer2, &QTimer::timeout, this, [this] {
        m_state.autoatisminutes += 1;
        if (m_state.autoatisminutes == 10) {
            callHook(m_hooks.autoAtis);
            m_state.autoatisminutes = 0;
        }
    });
    connect(m_form1->Timer3, &QTimer::timeout, this, [this] {
        callHook(m_hooks.autoAtis);
        m_form1->Timer3->stop();
    });
}

Console::~Console() = default;

ConsoleContext Console::context() {
    return ConsoleContext{*m_form1,
                          [this]() -> Form2 & { return form2(); },
                          [this] { return hasForm2(); },
                          m_state,
                          m_data,
                          m_platform,
                          m_hooks};
}

Form2 &Console::form2() {
    if (!m_form2) {
        m_form2 = std::make_unique<Form2>();
        m_windowModes->wireForm2(*m_form2);
    }
    return *m_form2;
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
    // 10.
    s.rwytext1.clear();
    s.rwytext2.clear();
    s.rwytext3.clear();
    // 11. to 13. The ground-info window beside the console and the chart pictures.
    callHook(m_hooks.placeCompanions);
}

void Console::shutdown() {
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_squawks->savesquawk();
    callHook(m_hooks.closeToday);
    if (m_form2)
        m_form2->close();
    callHook(m_hooks.closeGroundInfo);
    callHook(m_hooks.closeChart);
    emit shutDown();
}

} // namespace tarvos
