#include "weather/overview.h"

#include "weather/metar.h"
#include "weather/metarpage.h"
#include "weather/runway.h"

#include <optional>

namespace tarvos {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
constexpr qsizetype kRowMetarLength = 100;

// The report of `code` in the pages, from its code to the line end and at most 100 characters
// (what `lastmetar` keeps); nullopt when the code is not in them or what follows it is no
// report.
std::optional<QString> rowMetar(const QString &pages, const QString &code) {
    const qsizetype p = code.isEmpty() ? -1 : pages.indexOf(code);
    if (p < 0)
        return std::nullopt;
    QString metar = pages.mid(p, kRowMetarLength);
    for (qsizetype i = 0; i < metar.size(); ++i) {
        if (metar[i] == u'\r' || metar[i] == u'\n') {
            metar.truncate(i);
            break;
        }
    }
    if (!readMetar(metar))
        return std::nullopt;
    return metar;
}

// The wind of a row's report for the runway choice (a text that is no report: calm).
RunwayWind overviewWind(const QString &rowMetar) {
    const std::optional<MetarReport> report = readMetar(rowMetar);
    return report ? runwayWind(*report) : RunwayWind{};
}

QString rowSeparator(int row) {
    return row == 2 ? QStringLiteral("  ") : QStringLiteral(" ");
}
} // namespace

DefaultFile metarListDefaultFile() {
    return DefaultFile{
        QStringLiteral("metar.txt"),
        {
            QStringLiteral("EDDT"),
            QStringLiteral("EDDI"),
            QStringLiteral("EDDB"),
            QString(),
            QStringLiteral("Hier müssen 3 ICAO-Codes eingetragen werden."),
            QStringLiteral("Es werden auch nur insgesamt 3 angezeigt."),
        },
        QStringLiteral("The file metar.txt has been created. If you do not controll in Berlin, "
                       "please change the metar.txt! Now, press this Button again!"),
    };
}

std::array<QString, 3> overviewCodes(const QStringList &lines) {
    return {lines.value(0), lines.value(1), lines.value(2)};
}

QString overviewWaitText() {
    return QStringLiteral("Please wait, while getting data...   ");
}

QString overviewProgressMark(int fetchIndex, bool noaaSource) {
    return fetchIndex == 2 && !noaaSource ? QStringLiteral("X") : QStringLiteral("X ");
}

QString overviewRunwayText(const QStringList &rwyLines, const QString &code,
                           const QString &rowMetar) {
    const RunwayChoice choice =
        chooseRunways(rwyLines, code, overviewWind(rowMetar), At180::Easterly);
    if (!choice.text4)
        return {};
    if (choice.text4 == choice.text5)
        return QStringLiteral("RWY ") + *choice.text4;
    return QStringLiteral("LA=") + *choice.text4 + QStringLiteral(" TO=") + *choice.text5;
}

QString overviewRow(const MetarReport &m, int row, const QString &runwayText) {
    QString text = QStringLiteral(" ") + m.station + QLatin1Char(' ') + rowSeparator(row);
    text += m.time();
    text += QStringLiteral(" Wind ") + m.direction;
    text += QStringLiteral(" @ ") + m.speed;
    text += QStringLiteral("  QNH ") + (m.qnh ? m.qnhFourDigits() : QStringLiteral("////"));
    text += QStringLiteral("   ") + runwayText;
    if (row != 3)
        text += kCrLf;
    return text;
}

QString overviewTimeoutText() {
    return QStringLiteral("Timeout!") + kCrLf +
           QStringLiteral("The Metar is currently not available.") + kCrLf +
           QStringLiteral("Please try again later.");
}

QString overviewMissingRow(const QString &code, int row) {
    QString text = QStringLiteral(" ") + code + QLatin1Char(' ') + rowSeparator(row) +
                   QStringLiteral("no METAR");
    if (row != 3)
        text += kCrLf;
    return text;
}

Overview buildOverview(const std::array<QString, 3> &codes, const QString &pages,
                       const QString &lastmetar, const QStringList &rwyLines) {
    Overview o;
    o.lastmetar = lastmetar;
    std::array<std::optional<QString>, 3> metars;
    for (int i = 0; i < 3; ++i) {
        metars[i] = rowMetar(pages, codes[i]);
        o.found[i] = metars[i].has_value();
        if (metars[i]) {
            o.lastmetar = *metars[i];
            o.runwayTexts[i] = overviewRunwayText(rwyLines, codes[i], *metars[i]);
        }
    }
    for (int i = 0; i < 3; ++i) {
        o.text += metars[i] ? overviewRow(*readMetar(*metars[i]), i + 1, o.runwayTexts[i])
                            : overviewMissingRow(codes[i], i + 1);
    }
    return o;
}

bool overviewTimedOut(const Overview &o, bool downloaded) {
    if (!downloaded || (!o.found[0] && !o.found[1] && !o.found[2]))
        return true;
    return !o.found[2] && o.lastmetar.startsWith(QLatin1String("EDDT"));
}

} // namespace tarvos
