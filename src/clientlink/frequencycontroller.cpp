#include "clientlink/frequencycontroller.h"

#include "clientlink/frequencylist.h"
#include "console/consolestate.h"
#include "console/datadir.h"
#include "console/form1.h"
#include "platform/platform.h"

namespace tarvos {

FrequencyController::FrequencyController(ConsoleContext context, QObject *parent)
    : QObject(parent), m(std::move(context)) {
    connect(m.form1.Command1, &QPushButton::clicked, this, &FrequencyController::atcClicked);
    connect(m.form1.Command2, &QPushButton::clicked, this, &FrequencyController::conClicked);
}

void FrequencyController::atcClicked() {
    step(freq1DefaultFile(), m.form1.Label5, m.state.atcline);
}

void FrequencyController::conClicked() {
    step(freq2DefaultFile(), m.form1.Label7, m.state.conline);
}

void FrequencyController::step(const DefaultFile &file, Caption *label, int &counter) {
    DataDir::ReadResult list = m.data.read(file.name);
    // Where the folder cannot hold the file, the list steps through its built-in lines (the
    // controller was told so once) instead of starting over on every press.
    if (list.status == DataDir::Status::Missing && m_builtIn.contains(file.name))
        list = DataDir::ReadResult{DataDir::Status::Ok, file.lines};
    const FrequencyStep next = stepFrequencyList(list, counter);
    label->setText(next.caption);
    counter = next.counter;
    // Only a missing file is created; the press that finds it missing shows nothing.
    if (next.createFile &&
        m.data.openOrCreate(file, *m.platform.messages).outcome == DataDir::Outcome::BuiltIn)
        m_builtIn.insert(file.name);
}

} // namespace tarvos
