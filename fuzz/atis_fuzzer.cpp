// The ATIS texts from any field contents and any atis.txt: the letter field, the tower ATIS and
// the approach information must cope with whatever the fields, the last METAR and the file hold,
// and say what the chosen lines of the file and the fields say.
#include "console/consolestate.h"
#include "weather/atis.h"
#include "weather/metar.h"

#include "fuzztext.h"

using namespace tarvos;
using tarvos::fuzz::require;

namespace {

const QString crlf = QStringLiteral("\r\n");

void towerAndApproach(const ConsoleState &state, const AtisFields &fields, const AtisTable &table) {
    const std::optional<QString> tower = abc1(state, fields, table);
    const TowerAtisLine *line = chooseTowerAtis(table, fields.label8, fields.text4);
    require(tower.has_value() == (line != nullptr));
    if (tower) {
        require(tower->startsWith(state.voicehost + line->channel + crlf + line->intro +
                                  state.atisword + crlf + QStringLiteral("Time ")));
        require(tower->contains(line->runwayLines.join(crlf)));
        // The level's line, or none without a level; then the wind and the report's rest.
        const QString level = fields.label2.isEmpty() ? QString() : fields.label2 + crlf;
        require(tower->contains(level + QStringLiteral("Wind is ")));
        if (const auto report = readMetarTail(state.metartail)) {
            const QString rest =
                report->afterWind.isEmpty() ? QString() : QLatin1Char(' ') + report->afterWind;
            require(tower->contains(
                rest + crlf + QStringLiteral("NOTAM! Please set mode -standby- on GND.\r\n")));
        }
        require(tower->endsWith(state.atisword + QLatin1String(" - OUT.")));
    }

    const QString approach = approachAtisText(state, fields, table);
    require(approach.startsWith(state.voicehost + table.approachChannel + crlf));
    if (const ApproachAtisLine *app = chooseApproachAtis(table, fields.text4)) {
        require(approach.contains(app->airportLines.join(crlf)));
        require(
            approach.endsWith(fields.label2.isEmpty()
                                  ? QStringLiteral("\nSee local ATIS or ACARS.")
                                  : fields.label2 + QStringLiteral(", See local ATIS or ACARS.")));
    } else {
        require(approach.endsWith(QLatin1String("initial contact.\r\n")));
    }
}

} // namespace

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

    // The default atis.txt, and one made of the fields after the ninth, one line each.
    towerAndApproach(state, fields, defaultAtisTable());
    towerAndApproach(state, fields, readAtisTable(f.mid(9)));
    return 0;
}
