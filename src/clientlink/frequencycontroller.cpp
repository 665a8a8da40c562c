#include "clientlink/frequencycontroller.h"

#include "clientlink/frequencylist.h"
#include "console/consolestate.h"
#include "console/datadir.h"
#include "console/form1.h"

namespace tarvos {

FrequencyController::FrequencyController(Form1 &form, ConsoleState &state, DataDir &data,
                                         MessageBox &messages, QObject *parent)
    : QObject(parent), m_form(form), m_state(state), m_data(data), m_messages(messages) {
    connect(m_form.Command1, &QPushButton::clicked, this, &FrequencyController::atcClicked);
    connect(m_form.Command2, &QPushButton::clicked, this, &FrequencyController::conClicked);
}

void FrequencyController::atcClicked() {
    step(freq1DefaultFile(), m_form.Label5, m_state.atcline);
}

void FrequencyController::conClicked() {
    step(freq2DefaultFile(), m_form.Label7, m_state.conline);
}

void FrequencyController::step(const DefaultFile &file, Caption *label, int &counter) {
    DataDir::ReadResult list = m_data.read(file.name);
    // Where the folder cannot hold the file, the list steps through its built-in lines (the
    // controller was told so once) instead of starting over on every press.
    if (list.status == DataDir::Status::Missing && m_builtIn.contains(file.name))
        list = DataDir::ReadResult{DataDir::Status::Ok, file.lines};
    const FrequencyStep next = stepFrequencyList(list, counter);
    label->setText(next.caption);
    counter = next.counter;
    // Only a missing file is created; the press that finds it missing shows nothing.
    if (next.createFile &&
        m_data.openOrCreate(file, m_messages).outcome == DataDir::Outcome::BuiltIn)
        m_builtIn.insert(file.name);
}

} // namespace tarvos
