#pragma once

// The command words of the callsign fields: the whole text of a strip's callsign field is
// looked at after every change, and a recognised word turns into an ordered list of steps that
// the command controller carries out. The rules know nothing of widgets; the order in which
// the words are tried is the table in commandwords.cpp.

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace tarvos {

// One thing a command word does, in the order it has to happen.
struct CommandStep {
    enum class Action {
        EmptyField,          // the callsign field := "" (its change runs the words again)
        CommandDone,         // commanddone := 1: the "OK" confirmation is due
        SetLabel5,           // ATC frequency line := text
        SetLabel7,           // contact line := text
        TowerAtis,           // abc1: rebuild the tower ATIS onto the clipboard
        LetterReset,         // ATIS letter back to A, tower ATIS rebuilt
        ClearRow,            // Callsign, Dest, via, Squawk, Remarks of the row := ""
        LookUpAtcShortcut,   // text: the typed shortcut without its closing "."
        HideShortcutDisplay, // Text23 hidden
        SetFlightPlanLabels, // number: 1 shown, 0 hidden (flightplanlabels)
        SetDepContactMode,   // number: depcontactmode
        SetVoiceHost,        // text: voicehost
        SetRemarks,          // number: row offset from the typed row; text: the remarks
        CountInStripLog,     // getaircraft: row 0's callsign counted in the strip log
        SetWindowHeight,     // number: height in twips; "Today" moves up under the board
        SetAutoSid,          // number: autosidswitch
        ListTraffic,         // text: depsearchcode, then the airport traffic listing
        ShowChart,           // the SID chart window, then the focus back into the field
        EchoIpAddress,       // the own address from the IP-echo service
        SetGroundCheckMode,  // number: groundcheckmode and the ground-info check colours
    };

    Action action = Action::EmptyField;
    QString text;
    int number = 0;

    bool operator==(const CommandStep &) const = default;
};

// What a field text asks for: the number of the test that recognised it (1..25, 0 for an
// ordinary callsign) and the steps in their order.
struct CommandWord {
    int test = 0;
    std::vector<CommandStep> steps;

    bool recognised() const { return test != 0; }
};

// The words of one field text typed into row `row` (0..6; the help word writes fewer lines
// into the two lowest rows).
CommandWord interpretCommand(const QString &text, int row);

// Readable form of a step, for test failures and the fuzzer's reports.
QString describe(const CommandStep &step);

// The three help lines of "???".
QString helpLine(int index);

// The sentence put on the clipboard with the reply of the IP-echo service.
QString ipEchoSentence(const QString &reply);
// What the row's Remarks say when the IP-echo service did not answer.
QString ipEchoFailedText();

// The ATC client's shortcut file: each line starts with a shortcut beginning with "."; its text
// starts 12 characters after the end of the shortcut. `key` is the typed shortcut without its
// closing "."; the text of the first line that starts with it is returned. The file is read as
// bytes line by line (LF or CR LF, any bytes, any length) up to the first match.
std::optional<QString> findAtcShortcut(QIODevice &file, const QString &key);

// What Text23 says when the ATC client's shortcut file cannot be opened.
QString atcShortcutFileUnreadableText(const QString &path);

} // namespace tarvos
