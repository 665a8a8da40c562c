// The ATIS texts from any field contents: the letter field, the tower ATIS and the approach
// information must cope with whatever the fields and the last METAR hold.
#include "console/consolestate.h"
#include "weather/atis.h"

#include "fuzztext.h"

using namespace tarvos;
using tarvos::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QStringList f = fuzz::fieldsFrom(data, size);
    if (f.isEmpty())
        return 0;
    ConsoleState state;
    state.metartail = f.value(0);
    state.voicehost = f.value(1);
    state.depcontactmode = f.value(2).size() % 3;
    state.atisnumber = f.value(3).isEmpty() ? 1 : f.value(3).at(0).unicode() - 40;
    const AtisFields fields{f.value(4), f.value(5), f.value(6), f.value(7)};

    const int before = state.atisnumber;
    abc(state);
    if (before == 27)
        require(state.atisword == QLatin1String("Alpha") && state.atisnumber == 2);
    else
        require(state.atisword == phoneticWord(before).value_or(QString()) &&
                state.atisnumber == before + 1);
    require(letterFieldChanged(f.value(8), state).text18 == f.value(8).toUpper());

    const std::optional<QString> tower = abc1(state, fields);
    const bool berlin = fields.label8 == QLatin1String("EDDT") ||
                        fields.label8 == QLatin1String("EDDB") ||
                        fields.label8 == QLatin1String("EDDI");
    const bool direction =
        fields.text4.startsWith(QLatin1Char('0')) || fields.text4.startsWith(QLatin1Char('2'));
    require(tower.has_value() == (berlin && direction));
    if (tower) {
        require(tower->startsWith(state.voicehost + QLatin1Char('/') + fields.label8));
        require(tower->endsWith(state.atisword + QLatin1String(" - OUT.")));
        require(tower->contains(state.metartail.mid(14) +
                                QLatin1String("NOTAM! Please set mode -standby- on GND.\r\n")));
    }

    const QString approach = approachAtisText(state, fields);
    require(approach.startsWith(state.voicehost + QLatin1String("/EDBB_APP\r\n")));
    require(approach.endsWith(direction ? QLatin1String(", See local ATIS or ACARS.")
                                        : QLatin1String("initial contact.\r\n")));
    return 0;
}
