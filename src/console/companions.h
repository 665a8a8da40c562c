#pragma once

#include "console/context.h"

#include <QObject>
#include <memory>

namespace tarvos {

class Form3;
class Form5;
class GroundInfoController;

// The console's companion windows: today's strips (Form3), the ground-info list (Form4, owned
// by its controller) and the SID charts (Form5). Sets the hooks through which the strip board
// and start-up and shutdown reach them.
class Companions : public QObject {
    Q_OBJECT
public:
    explicit Companions(ConsoleContext context, QObject *parent = nullptr);
    ~Companions() override;

    GroundInfoController &groundInfo() { return *m_groundInfo; }
    Form5 &chart();
    Form3 &today();
    bool hasToday() const { return m_today != nullptr; }

private:
    void placeAtStartup();

    ConsoleContext m;
    std::unique_ptr<GroundInfoController> m_groundInfo;
    std::unique_ptr<Form5> m_chart;
    std::unique_ptr<Form3> m_today;
};

} // namespace tarvos
