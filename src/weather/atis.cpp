#include "weather/atis.h"

#include "console/numbers.h"
#include "weather/metar.h"

#include <array>
#include <limits>

namespace tarvos {

namespace {

const QString crlf = QStringLiteral("\r\n");

// An empty field reads as what it lacks, so that the text never names a blank.
QString named(const QString &text, const char *none) {
    return text.isEmpty() ? QString::fromLatin1(none) : text;
}

// The observation time as four digits: "Time 1120 Zulu.".
QString timeLine(const QString &metartail) {
    const std::optional<MetarReport> report = readMetarTail(metartail);
    const QString hhmm = report ? report->hour + report->minute : mid1(metartail, 1, 4);
    return QStringLiteral("Time ") + hhmm + QStringLiteral(" Zulu.") + crlf;
}

// The wind in knots with its gust, then the rest of the report on the same line. A text that is
// no report (the clipboard held something else) is shown as it stands after its fifth character.
QString windLine(const QString &metartail) {
    const std::optional<MetarReport> report = readMetarTail(metartail);
    if (!report) {
        return QStringLiteral("Wind is ") + mid1(metartail, 7, 3) + QStringLiteral(" at ") +
               mid1(metartail, 10, 2) + QLatin1Char(' ') + mid1(metartail, 15);
    }
    QString line =
        QStringLiteral("Wind is ") + report->direction + QStringLiteral(" at ") + report->speed;
    if (report->gust)
        line += QStringLiteral(" gusting ") + *report->gust;
    if (!report->afterWind.isEmpty())
        line += QLatin1Char(' ') + report->afterWind;
    return line + crlf;
}

} // namespace

std::optional<QString> phoneticWord(int atisnumber) {
    static const std::array<const char *, 26> words{
        "Alpha",  "Bravo", "Charlie", "Delta",  "Echo",     "Fox",   "Golf",   "Hotel",  "India",
        "Juliet", "Kilo",  "Lima",    "Mike",   "November", "Oscar", "Papa",   "Quebek", "Romeo",
        "Sierra", "Tango", "Uniform", "Victor", "Whiskey",  "X-Ray", "Yankee", "Zulu"};
    if (atisnumber < 1 || atisnumber > 26)
        return std::nullopt;
    return QString::fromLatin1(words[static_cast<std::size_t>(atisnumber - 1)]);
}

void abc(ConsoleState &state) {
    if (state.atisnumber == 27)
        state.atisnumber = 1;
    if (const auto word = phoneticWord(state.atisnumber))
        state.atisword = *word;
    // A number read from an edited squawk.txt can be anything; it stops at the largest int
    // instead of running over.
    if (state.atisnumber < std::numeric_limits<int>::max())
        ++state.atisnumber;
}

LetterFieldChange letterFieldChanged(const QString &text18, ConsoleState &state) {
    LetterFieldChange change{text18.toUpper()};
    if (!change.text18.isEmpty()) {
        state.atisnumber = static_cast<int>(change.text18.at(0).unicode()) - 64;
        abc(state);
    }
    return change;
}

std::optional<QString> abc1(const ConsoleState &state, const AtisFields &fields,
                            const AtisTable &table) {
    const TowerAtisLine *chosen = chooseTowerAtis(table, fields.label8, fields.text4);
    if (!chosen)
        return std::nullopt;

    const QString &tail = state.metartail;
    QString atis;
    atis += state.voicehost + chosen->channel + crlf;
    atis += chosen->intro + state.atisword + crlf;
    atis += timeLine(tail);
    for (const QString &line : chosen->runwayLines)
        atis += line + crlf;
    // Without a level for the airport the line is left out; no other country's level is said.
    if (!fields.label2.isEmpty())
        atis += fields.label2 + crlf;
    atis += windLine(tail);
    atis += QStringLiteral("NOTAM! Please set mode -standby- on GND.") + crlf;
    if (state.depcontactmode == 1) {
        atis += table.departureSentence + crlf + state.atisword + QStringLiteral(" - OUT.");
    } else {
        atis += QStringLiteral("Advice that you have received information ") + state.atisword +
                QStringLiteral(" - OUT.");
    }
    return atis;
}

LetterReset letterReset(ConsoleState &state, const AtisFields &fields, const AtisTable &table) {
    LetterReset reset{letterFieldChanged(QStringLiteral("A"), state).text18, std::nullopt};
    state.atisnumber = 1;
    abc(state);
    reset.clipboardText = abc1(state, fields, table);
    state.atisnumber -= 1;
    return reset;
}

QString approachAtisText(const ConsoleState &state, const AtisFields &fields,
                         const AtisTable &table) {
    QString atis = state.voicehost + table.approachChannel + crlf;
    atis += QStringLiteral("Information ") + state.atisword + QLatin1Char(' ') +
            fields.text6.left(2) + fields.text6.right(2) + QStringLiteral(" Z") + crlf;
    atis += QStringLiteral("Inform that you have initial contact.") + crlf;
    if (const ApproachAtisLine *chosen = chooseApproachAtis(table, fields.text4)) {
        for (const QString &line : chosen->airportLines)
            atis += line + crlf;
        atis += fields.label2.isEmpty()
                    ? QStringLiteral("See local ATIS or ACARS.")
                    : fields.label2 + QStringLiteral(", See local ATIS or ACARS.");
    }
    return atis;
}

QString missingTowerAtisText(const AtisFields &fields) {
    return QStringLiteral("atis.txt has no tower ATIS (TWR line) for %1 runway %2: TWR left the "
                          "clipboard as it was.")
        .arg(named(fields.label8, "no airport"), named(fields.text4, "none"));
}

QString missingApproachAtisText(const AtisFields &fields) {
    return QStringLiteral("atis.txt has no APP-RWY line for runway %1: APP put only its first "
                          "three lines on the clipboard.")
        .arg(named(fields.text4, "none"));
}

} // namespace tarvos
