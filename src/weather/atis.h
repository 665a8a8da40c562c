#pragma once

#include "console/consolestate.h"
#include "weather/atisfile.h"

#include <QString>

#include <optional>

namespace tarvos {

// The phonetic word of an ATIS letter number, 1 = "Alpha" ... 26 = "Zulu"; nullopt outside.
std::optional<QString> phoneticWord(int atisnumber);

// `abc`: sets `atisword` to the word of `atisnumber` and counts the number on, so that it then
// names the letter after the word. 27 wraps round ("Alpha", number 2); any other number
// outside 1..26 leaves the word as it is and is only counted on.
void abc(ConsoleState &state);

// The letter field Text18 after a change of its text: it shows the upper-case form, and a
// letter sets `atisnumber` from it (A = 1 ... Z = 26) and runs `abc`. The caller writes `text18`
// back when it differs from what the field holds.
struct LetterFieldChange {
    QString text18;
};
LetterFieldChange letterFieldChanged(const QString &text18, ConsoleState &state);

// The console fields the ATIS texts read.
struct AtisFields {
    QString label8; // airport of the last automatic METAR
    QString text4;  // landing runway
    QString label2; // transition level caption
    QString text6;  // observation time "hh:mm" (or still the ICAO code before any decoding)
};

// `abc1`: the tower ATIS of atis.txt for the airport in Label8 and the landing runway in Text4,
// to be put on the clipboard. nullopt when no TWR line applies: the clipboard then keeps its
// content.
std::optional<QString> abc1(const ConsoleState &state, const AtisFields &fields,
                            const AtisTable &table = defaultAtisTable());

// The letter reset (double-click on the letter's label): the letter field shows "A", the tower
// ATIS with "Alpha" goes to the clipboard (when the fields fit a template), and `atisnumber` is
// left at 1, so that the next new METAR is announced as A again.
struct LetterReset {
    QString text18;
    std::optional<QString> clipboardText;
};
LetterReset letterReset(ConsoleState &state, const AtisFields &fields,
                        const AtisTable &table = defaultAtisTable());

// The approach information of "APP" for the radar position. Without an APP-RWY line for the
// landing runway in Text4 it holds only the first three lines; it always goes to the clipboard.
QString approachAtisText(const ConsoleState &state, const AtisFields &fields,
                         const AtisTable &table = defaultAtisTable());

// What TWR and APP say, in their button's tooltip, when atis.txt has no line for the fields.
QString missingTowerAtisText(const AtisFields &fields);
QString missingApproachAtisText(const AtisFields &fields);

} // namespace tarvos
