#pragma once

#include <QObject>
#include <memory>

namespace tarvos {

class DataDir;
class Form1;
class Form3;
class Form5;
class GroundInfoController;
struct ConsoleState;
struct Platform;

// The console's companion windows: today's strips (Form3), the ground-info list (Form4, owned
// by its controller) and the SID charts (Form5), created when first needed and closed at
// shutdown.
class Companions : public QObject {
    Q_OBJECT
public:
    Companions(Form1 &form, ConsoleState &state, DataDir &data, Platform &platform,
               QObject *parent = nullptr);
    ~Companions() override;

    GroundInfoController &groundInfo() { return *m_groundInfo; }
    Form5 &chart();
    Form3 &today();
    bool hasToday() const { return m_today != nullptr; }

    // Start-up: the ground-info window right beside the console, the chart pictures loaded.
    void placeAtStartup();
    void showChart(); // for the landing runway, under the console
    void hideChart();
    void showToday();
    void closeToday();
    void closeGroundInfo();
    void closeChart();

private:
    Form1 &m_form;
    DataDir &m_data;
    Platform &m_platform;
    std::unique_ptr<GroundInfoController> m_groundInfo;
    std::unique_ptr<Form5> m_chart;
    std::unique_ptr<Form3> m_today;
};

} // namespace tarvos
