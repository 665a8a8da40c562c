#include "weather/atis.h"

#include "console/numbers.h"
#include "weather/metar.h"

#include <array>
#include <limits>

namespace tarvos {

namespace {

const QString crlf = QStringLiteral("\r\n");

struct TowerTemplate {
    const char16_t *airport;
    char16_t direction; // first character of the landing runway
    const char16_t *suffix;
    const char16_t *intro;
    const char16_t *runwayLines[2];
};

const std::array<TowerTemplate, 6> towerTemplates{{
    {u"EDDT",
     u'0',
     u"/EDDT_TWR",
     u"This is Berlin Tegel Information ",
     {u"Expect ILS RWY 08L approach, take-off on request.", u"RWY 08R for take-off."}},
    {u"EDDT",
     u'2',
     u"/EDDT_TWR",
     u"This is Berlin Tegel Information ",
     {u"Expect ILS RWY 26R approach, take-off on request.", u"RWY 26L for take-off."}},
    {u"EDDB",
     u'0',
     u"/EDDB_TWR",
     u"This is Berlin Schönefeld Information ",
     {u"RWY 07R for landing and take-off.", nullptr}},
    {u"EDDB",
     u'2',
     u"/EDDB_TWR",
     u"This is Berlin Schönefeld Information ",
     {u"RWY 25L for landing and take-off.", nullptr}},
    {u"EDDI",
     u'0',
     u"/EDDI_TWR",
     u"This is Berlin Tempelhof Information ",
     {u"RWY 09R for landing and take-off.", nullptr}},
    {u"EDDI",
     u'2',
     u"/EDDI_TWR",
     u"This is Berlin Tempelhof Information ",
     {u"RWY 27L for landing and take-off.", nullptr}},
}};

QString text(const char16_t *s) {
    return QString::fromUtf16(s);
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

std::optional<QString> abc1(const ConsoleState &state, const AtisFields &fields) {
    const TowerTemplate *chosen = nullptr;
    const QString direction = mid1(fields.text4, 1, 1);
    for (const TowerTemplate &t : towerTemplates) {
        if (fields.label8 == text(t.airport) && direction == QChar(t.direction))
            chosen = &t;
    }
    if (!chosen)
        return std::nullopt;

    const QString &tail = state.metartail;
    QString atis;
    atis += state.voicehost + text(chosen->suffix) + crlf;
    atis += text(chosen->intro) + state.atisword + crlf;
    atis += timeLine(tail);
    for (const char16_t *line : chosen->runwayLines) {
        if (line)
            atis += text(line) + crlf;
    }
    atis += fields.label2 + crlf;
    atis += windLine(tail);
    atis += QStringLiteral("NOTAM! Please set mode -standby- on GND.") + crlf;
    if (state.depcontactmode == 1) {
        atis += QStringLiteral("Immediately after DEP contact EDBB_APP on 119.62 !") + crlf +
                state.atisword + QStringLiteral(" - OUT.");
    } else {
        atis += QStringLiteral("Advice that you have received information ") + state.atisword +
                QStringLiteral(" - OUT.");
    }
    return atis;
}

LetterReset letterReset(ConsoleState &state, const AtisFields &fields) {
    LetterReset reset{letterFieldChanged(QStringLiteral("A"), state).text18, std::nullopt};
    state.atisnumber = 1;
    abc(state);
    reset.clipboardText = abc1(state, fields);
    state.atisnumber -= 1;
    return reset;
}

QString approachAtisText(const ConsoleState &state, const AtisFields &fields) {
    QString atis = state.voicehost + QStringLiteral("/EDBB_APP") + crlf;
    atis += QStringLiteral("Information ") + state.atisword + QLatin1Char(' ') +
            fields.text6.left(2) + fields.text6.right(2) + QStringLiteral(" Z") + crlf;
    atis += QStringLiteral("Inform that you have initial contact.") + crlf;
    const QString direction = mid1(fields.text4, 1, 1);
    if (direction == QLatin1String("0")) {
        atis += QStringLiteral("EDDT RWY 08L APP 08R DEP") + crlf +
                QStringLiteral("EDDI RWY 09R APP/DEP") + crlf +
                QStringLiteral("EDDB RWY 07R APP/DEP") + crlf + fields.label2 +
                QStringLiteral(", See local ATIS or ACARS.");
    } else if (direction == QLatin1String("2")) {
        atis += QStringLiteral("EDDT RWY 26R APP 26L DEP") + crlf +
                QStringLiteral("EDDI RWY 27L APP/DEP") + crlf +
                QStringLiteral("EDDB RWY 25L APP/DEP") + crlf + fields.label2 +
                QStringLiteral(", See local ATIS or ACARS.");
    }
    return atis;
}

} // namespace tarvos
