#include "clientlink/commandcontroller.h"

#include "clientlink/commandwords.h"
#include "clientlink/groundinfocontroller.h"
#include "console/consolestate.h"
#include "console/form1.h"
#include "platform/platform.h"

#include <QFile>

namespace tarvos {

namespace {
constexpr int kVoiceLabelChars = 5;
} // namespace

CommandController::CommandController(Form1 &form, ConsoleState &state, Clipboard &clipboard,
                                     std::function<QString()> atcShortcutPath,
                                     GroundInfoController &groundInfo, QObject *parent)
    : QObject(parent), m_form(form), m_state(state), m_clipboard(clipboard),
      m_atcShortcutPath(std::move(atcShortcutPath)), m_groundInfo(groundInfo) {}

void CommandController::interpret(int row) {
    if (row < 0 || row >= Form1::kRows)
        return;
    const CommandWord word = interpretCommand(m_form.Text7[row]->text(), row);
    for (const CommandStep &step : word.steps)
        carryOut(step, row);
    confirm();
}

void CommandController::carryOut(const CommandStep &step, int row) {
    using Action = CommandStep::Action;
    Form1 &f = m_form;
    switch (step.action) {
    case Action::EmptyField:
        emptyField(row);
        break;
    case Action::CommandDone:
        m_state.commanddone = 1;
        break;
    case Action::SetLabel5:
        f.Label5->setText(step.text);
        break;
    case Action::SetLabel7:
        f.Label7->setText(step.text);
        break;
    case Action::TowerAtis:
        emit towerAtisWanted();
        break;
    case Action::LetterReset:
        emit letterResetWanted();
        break;
    case Action::ClearRow:
        // Each field's own change handling runs, Callsign first.
        for (Field *field : f.row(row))
            field->setText(QString());
        break;
    case Action::LookUpAtcShortcut:
        lookUpAtcShortcut(step.text, row);
        break;
    case Action::HideShortcutDisplay:
        f.Text23->hide();
        break;
    case Action::SetFlightPlanLabels:
        m_state.flightplanlabels = step.number;
        for (Caption *label : {f.Label11, f.Label12, f.Label13})
            label->setVisible(step.number == 1);
        break;
    case Action::SetDepContactMode:
        m_state.depcontactmode = step.number;
        break;
    case Action::SetVoiceHost:
        m_state.voicehost = step.text;
        break;
    case Action::SetRemarks:
        if (row + step.number < Form1::kRows)
            f.Text11[row + step.number]->setText(step.text);
        break;
    case Action::CountInStripLog:
        emit greetingWanted();
        break;
    case Action::SetWindowHeight:
        f.setHeightTwips(step.number);
        Form1::setTopTwips(f.Command5, Form1::kTodayHighTop);
        break;
    case Action::SetAutoSid:
        m_state.autosidswitch = step.number;
        break;
    case Action::ListTraffic:
        m_state.depsearchcode = step.text;
        emit trafficListingWanted();
        break;
    case Action::ShowChart:
        emit chartWanted();
        f.Text7[row]->setFocus();
        break;
    case Action::EchoIpAddress:
        emit ipEchoWanted(row);
        break;
    case Action::SetGroundCheckMode:
        m_groundInfo.setGroundCheckMode(step.number);
        break;
    }
}

void CommandController::emptyField(int row) {
    m_form.Text7[row]->setText(QString());
}

void CommandController::lookUpAtcShortcut(const QString &key, int row) {
    Panel *display = m_form.Text23;
    const QString path = m_atcShortcutPath ? m_atcShortcutPath() : QString();
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        // Said in the display itself, where the text would have appeared; the typed shortcut
        // stays in the field.
        display->setText(atcShortcutFileUnreadableText(path));
        display->show();
        return;
    }
    const std::optional<QString> text = findAtcShortcut(file, key);
    if (!text)
        return;
    display->setText(QString());
    display->show();
    display->setText(*text);
    m_clipboard.clear();
    m_clipboard.setText(*text);
    emptyField(row);
}

void CommandController::confirm() {
    if (m_state.commanddone != 1)
        return;
    Form1 &f = m_form;
    f.Label18->setText(m_state.voicehost.left(kVoiceLabelChars));
    f.showConfirmation();
    m_state.commanddone = 0;
}

} // namespace tarvos
