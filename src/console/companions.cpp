#include "console/companions.h"

#include "clientlink/form5.h"
#include "clientlink/groundinfocontroller.h"
#include "console/datadir.h"
#include "console/form1.h"
#include "strips/form3.h"

namespace tarvos {

Companions::Companions(ConsoleContext context, QObject *parent)
    : QObject(parent), m(std::move(context)),
      m_groundInfo(std::make_unique<GroundInfoController>(m.state, m.platform)) {
    ConsoleHooks &h = m.hooks;
    h.placeCompanions = [this] { placeAtStartup(); };
    h.showChart = [this] { chart().showChart(m.form1.Text4->text(), m.form1); };
    h.hideChart = [this] {
        if (m_chart)
            m_chart->hideChart();
    };
    h.showToday = [this] { today().showToday(m.form1); };
    h.closeToday = [this] {
        if (m_today)
            m_today->close();
    };
    h.closeGroundInfo = [this] { m_groundInfo->closeWindow(); };
    h.closeChart = [this] {
        if (m_chart)
            m_chart->close();
    };
    connect(m.form1.Command36, &QPushButton::clicked, m_groundInfo.get(),
            &GroundInfoController::toggle);
}

Companions::~Companions() = default;

Form5 &Companions::chart() {
    if (!m_chart) {
        m_chart = std::make_unique<Form5>();
        m_chart->loadCharts(m.data.directory());
    }
    return *m_chart;
}

Form3 &Companions::today() {
    if (!m_today)
        m_today = std::make_unique<Form3>(m.data, m.platform);
    return *m_today;
}

void Companions::placeAtStartup() {
    // The ground-info window right beside the console, its check columns green; the chart
    // pictures loaded once for the whole run.
    m_groundInfo->placeBeside(m.form1);
    chart();
}

} // namespace tarvos
