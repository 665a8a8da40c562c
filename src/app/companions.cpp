#include "app/companions.h"

#include "clientlink/form5.h"
#include "clientlink/groundinfocontroller.h"
#include "console/datadir.h"
#include "console/form1.h"
#include "platform/platform.h"
#include "strips/form3.h"

#include <QEvent>
#include <QTimer>

namespace tarvos {

Companions::Companions(Form1 &form, ConsoleState &state, DataDir &data, Platform &platform,
                       QObject *parent)
    : QObject(parent), m_form(form), m_data(data), m_platform(platform),
      m_groundInfo(std::make_unique<GroundInfoController>(state, *platform.stacking)) {
    connect(m_form.Command36, &QPushButton::clicked, m_groundInfo.get(),
            &GroundInfoController::toggle);
}

Companions::~Companions() = default;

Form5 &Companions::chart() {
    if (!m_chart) {
        m_chart = std::make_unique<Form5>();
        m_chart->loadCharts(m_data.directory());
    }
    return *m_chart;
}

Form3 &Companions::today() {
    if (!m_today)
        m_today = std::make_unique<Form3>(m_data, *m_platform.clock, *m_platform.screen);
    return *m_today;
}

namespace {
// Runs a function once, right after the first paint of a window.
class AfterFirstPaint final : public QObject {
public:
    AfterFirstPaint(QWidget *window, std::function<void()> run)
        : QObject(window), m_run(std::move(run)) {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                m_run();
                deleteLater();
            });
        }
        return false;
    }

private:
    std::function<void()> m_run;
};
} // namespace

void Companions::placeAtStartup() {
    m_groundInfo->placeBeside(m_form);
    // The ground-info window and the chart pictures are made once for the whole run, but only
    // once the console has painted itself: the controller sees the console first.
    new AfterFirstPaint(&m_form, [this] {
        m_groundInfo->window();
        chart();
    });
}

void Companions::showChart() {
    chart().showChart(m_form.Text4->text(), m_form);
}

void Companions::hideChart() {
    if (m_chart)
        m_chart->hideChart();
}

void Companions::showToday() {
    today().showToday(m_form);
}

void Companions::closeToday() {
    if (m_today)
        m_today->close();
}

void Companions::closeGroundInfo() {
    m_groundInfo->closeWindow();
}

void Companions::closeChart() {
    if (m_chart)
        m_chart->close();
}

} // namespace tarvos
