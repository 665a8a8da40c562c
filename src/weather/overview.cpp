#include "weather/overview.h"

#include "console/numbers.h"
#include "weather/metar.h"
#include "weather/metarpage.h"

#include <optional>

namespace tarvos {

namespace {
const QString kCrLf = QStringLiteral("\r\n");

// The report of `code` in the pages, from its code to the line end; nullopt when the code is not
// in them or what follows it is no report.
std::optional<QString> rowMetar(const QString &pages, const QString &code) {
    const qsizetype p = code.isEmpty() ? -1 : pages.indexOf(code);
    if (p < 0)
        return std::nullopt;
    QString metar = pages.mid(p, kMaxMetarLength);
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

std::array<QString, 3> overviewRunwayTexts(const QString &row1Metar,
                                           const std::array<QString, 3> &codes) {
    const std::optional<MetarReport> report = readMetar(row1Metar);
    const bool easterly = !report || report->directionDegrees() <= 180;
    std::array<QString, 3> texts =
        easterly ? std::array<QString, 3>{QStringLiteral("LA=08L TO=08R"),
                                          QStringLiteral("RWY 09R"), QStringLiteral("RWY 07R")}
                 : std::array<QString, 3>{QStringLiteral("LA=26R TO=26L"),
                                          QStringLiteral("RWY 27L"), QStringLiteral("RWY 25L")};
    static const char *const kBerlin[3] = {"EDDT", "EDDI", "EDDB"};
    for (int i = 0; i < 3; ++i) {
        if (codes[i] != QLatin1String(kBerlin[i]))
            texts[i].clear();
    }
    return texts;
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
                       const QString &lastmetar) {
    Overview o;
    o.lastmetar = lastmetar;
    std::array<std::optional<QString>, 3> metars;
    for (int i = 0; i < 3; ++i) {
        metars[i] = rowMetar(pages, codes[i]);
        o.found[i] = metars[i].has_value();
        if (metars[i])
            o.lastmetar = *metars[i];
    }
    for (const std::optional<QString> &metar : metars) {
        if (metar) {
            o.runwayTexts = overviewRunwayTexts(*metar, codes);
            break;
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
